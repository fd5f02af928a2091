#include "app/realservices.h"

#include "base/platformpaths.h"
#include "base/textformat.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSoundEffect>
#include <QTreeView>
#include <QUrl>
#include <chrono>

int BoxMessages::show(const QString& text, int flags, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QString(kProgramTitle) : title);
    // A closing "?" or "!" stays on the line of the word before it.
    static const QRegularExpression blankBeforeMark(QStringLiteral(" ([?!])"));
    box.setText(QString(text).replace("\r\n", "\n").replace(blankBeforeMark, QStringLiteral("\u00A0\\1")));
    switch (flags & 0x70) {
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    if ((flags & 7) == YesNo) {
        QPushButton* yes = box.addButton("&Kyllä", QMessageBox::YesRole);
        QPushButton* no = box.addButton("&Ei", QMessageBox::NoRole);
        box.setDefaultButton((flags & DefaultButton2) ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Yes : No;
    }
    box.addButton("OK", QMessageBox::AcceptRole);
    box.exec();
    return Ok;
}

QString DialogFileDialogs::run(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, start_.folderFor(request.directory),
                       qtFileFilter(request.filter));
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        // The program asks about an existing name itself, in its own words.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        QString suffix = request.defaultExt;
        if (suffix.startsWith('.'))
            suffix.remove(0, 1);
        dialog.setDefaultSuffix(suffix);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    // The detail view's size, type and date columns take the width their
    // texts need in the language shown ("143 tavua"), not a fixed one that cuts them.
    if (auto* details = dialog.findChild<QTreeView*>("treeView"))
        for (int column = 1; column < details->header()->count(); ++column)
            details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    // Wide enough for the name and all three details side by side.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(820, 460)));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString chosen = dialog.selectedFiles().value(0);
    start_.chosen(chosen);
    return chosen;
}

QString DialogFileDialogs::openFile(const FileDialogRequest& request)
{
    return run(request, false);
}

QString DialogFileDialogs::saveFile(const FileDialogRequest& request)
{
    return run(request, true);
}

EffectSound::EffectSound() = default;
EffectSound::~EffectSound() = default;

void EffectSound::play(int number)
{
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl(QString("qrc:/RK_SOUND/%1").arg(number)));
    effect_->play();
}

bool ProcessLauncher::start(const QString& program, const QStringList& arguments, int windowStyle)
{
    Q_UNUSED(windowStyle);
    if (program.trimmed().isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

TimerRandom::TimerRandom()
{
    std::random_device device;
    engine_.seed((quint64(device()) << 32) ^ device());
}

double TimerRandom::next()
{
    return std::generate_canonical<double, 53>(engine_);
}

void TimerRandom::reseed()
{
    engine_.seed(quint64(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}
