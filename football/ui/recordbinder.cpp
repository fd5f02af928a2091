#include "football/ui/recordbinder.h"

#include "base/textformat.h"
#include "football/recordset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace football {

void RecordBinder::bind(QLineEdit* edit, const QString& column, bool number)
{
    bindings_ << Binding{edit, column, number ? Binding::Number : Binding::Text};
}

void RecordBinder::bind(QComboBox* combo, const QString& column)
{
    bindings_ << Binding{combo, column, Binding::Combo};
}

void RecordBinder::bind(QCheckBox* check, const QString& column)
{
    bindings_ << Binding{check, column, Binding::Flag};
}

QString RecordBinder::shown(const Binding& b) const
{
    switch (b.kind) {
    case Binding::Text:
        return static_cast<QLineEdit*>(b.control.data())->text();
    case Binding::Number:
        return QString::number(leadingInt(static_cast<QLineEdit*>(b.control.data())->text()));
    case Binding::Combo:
        return static_cast<QComboBox*>(b.control.data())->currentText();
    case Binding::Flag:
        return static_cast<QCheckBox*>(b.control.data())->isChecked() ? "1" : "0";
    }
    return QString();
}

QVariant RecordBinder::stored(const Binding& b) const
{
    switch (b.kind) {
    case Binding::Number:
        return leadingInt(static_cast<QLineEdit*>(b.control.data())->text());
    case Binding::Flag:
        return static_cast<QCheckBox*>(b.control.data())->isChecked() ? 1 : 0;
    default:
        return shown(b);
    }
}

QString RecordBinder::recorded(const Binding& b) const
{
    switch (b.kind) {
    case Binding::Number:
        return QString::number(records_.number(b.column));
    case Binding::Flag:
        return records_.number(b.column) != 0 ? "1" : "0";
    default:
        return records_.text(b.column);
    }
}

void RecordBinder::load()
{
    const bool has = records_.hasCurrent();
    for (const Binding& b : bindings_) {
        QWidget* w = b.control;
        if (!w)
            continue;
        // Text boxes announce the new text (their scroll bars follow it); the
        // windows react to the user's own edits only.
        switch (b.kind) {
        case Binding::Text:
        case Binding::Number:
            static_cast<QLineEdit*>(w)->setText(has ? records_.text(b.column) : QString());
            static_cast<QLineEdit*>(w)->setCursorPosition(0);
            break;
        case Binding::Combo: {
            auto* combo = static_cast<QComboBox*>(w);
            const QString text = has ? records_.text(b.column) : QString();
            if (combo->isEditable())
                combo->setEditText(text);
            else
                combo->setCurrentIndex(combo->findText(text));
            break;
        }
        case Binding::Flag:
            static_cast<QCheckBox*>(w)->setChecked(has && records_.number(b.column) != 0);
            break;
        }
        w->setEnabled(has);
    }
}

bool RecordBinder::dirty() const
{
    if (!records_.hasCurrent())
        return false;
    for (const Binding& b : bindings_)
        if (b.control && shown(b) != recorded(b))
            return true;
    return false;
}

Outcome<> RecordBinder::save()
{
    if (!dirty())
        return {};
    if (Outcome<> editing = records_.edit(); !editing)
        return editing;
    for (const Binding& b : bindings_)
        if (b.control && shown(b) != recorded(b))
            records_.setValue(b.column, stored(b));
    Outcome<> updated = records_.update();
    if (!updated)
        records_.cancelUpdate();
    return updated;
}

} // namespace football
