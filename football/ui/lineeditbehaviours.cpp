#include "football/ui/lineeditbehaviours.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace football {

namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            action_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

void onMouseClick(QLineEdit* edit, std::function<void()> action)
{
    edit->installEventFilter(new ClickFilter(edit, std::move(action)));
}

void enterMovesOn(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::returnPressed, edit, [edit] {
        if (QWidget* next = edit->nextInFocusChain())
            for (QWidget* w = next; w && w != edit; w = w->nextInFocusChain())
                if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) {
                    w->setFocus(Qt::TabFocusReason);
                    return;
                }
    });
}

} // namespace football
