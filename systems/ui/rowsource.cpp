#include "systems/ui/rowsource.h"

#include "base/rowfile.h"
#include "base/texts.h"
#include "base/ui/rowfileflows.h"
#include "systems/frametext.h"

bool chooseAndReadRows(AppContext& context, const QString& dialogTitle, DamagedRows damaged)
{
    SharedState& s = context.state;
    Messages& messages = context.services.messages;
    s.DialogMode = 1;
    const QString path = ChooseRowFile(context, dialogTitle, QString::fromUtf8(Texts::RowFileFilter));
    if (path.isEmpty())
        return false;
    s.CurrentFile = path;
    if (!ReadRowFile(context, RowReader::Checking, QString::fromUtf8(Texts::ThisFileUnreadable)))
        return false;
    if (s.Rows.empty()) {
        messages.show(QString::fromUtf8(Texts::FileHasNoRows), Messages::Critical, QString());
        return false;
    }
    if (allRowsComplete(s.Rows))
        return true;
    messages.show(QString::fromUtf8(Texts::RowFileDamaged) + ' ' + s.CurrentFileTitle, Messages::Exclamation,
                  QString());
    return damaged == DamagedRows::Used;
}
