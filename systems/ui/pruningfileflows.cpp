#include "systems/ui/pruningfileflows.h"

#include "base/safewrite.h"
#include "base/texts.h"
#include "systems/pruningfile.h"
#include "systems/ui/matchnumbersbox.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString pruningFilter()
{
    return QString("Karsintaehdot (*.%1)|*.%1").arg(kPruningFileSuffix);
}

} // namespace

void returnToProgramDir(AppContext& context)
{
    if (!context.state.ProgramDir.isEmpty())
        QDir::setCurrent(context.state.ProgramDir);
}

std::optional<OpenedPruningSet> openPruningSetFile(AppContext& context, const QString& title)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = pruningFilter();
    const QString path = context.services.fileDialogs.openFile(request);
    returnToProgramDir(context);
    if (path.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> bytes = readSmallFileBytes(path);
    QString error;
    const std::optional<PruningSet> set = bytes ? parsePruningFile(*bytes, error) : std::nullopt;
    if (!set) {
        context.services.messages.show(QFileInfo(path).fileName() + ": " +
                                           (error.isEmpty() ? QString::fromUtf8(Texts::FileUnreadable) : error),
                                       Messages::Critical);
        return std::nullopt;
    }
    return OpenedPruningSet{*set, QFileInfo(path).fileName()};
}

QString savePruningSetFile(AppContext& context, const QString& title, const PruningSet& set)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = pruningFilter();
    request.defaultExt = QString(".") + kPruningFileSuffix;
    const QString path = context.services.fileDialogs.saveFile(request);
    returnToProgramDir(context);
    if (path.isEmpty())
        return QString();
    const Outcome<> written = replaceFile(path, pruningFileBytes(set));
    if (!written) {
        context.services.messages.show(written.failure().message, Messages::Critical);
        return QString();
    }
    return QFileInfo(path).fileName();
}
