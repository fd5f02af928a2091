#include "football/ui/footballdatabaseflows.h"

#include "base/textformat.h"
#include "football/footballdb.h"
#include "football/ui/footballtexts.h"

#include <QDir>

namespace football {

namespace {

// A damaged database opens for reading only; the user hears why nothing will be saved.
void tellDamage(AppContext& context, const FootballDb& db)
{
    if (db.readOnly())
        context.services.messages.show(databaseDamagedMessage(db.damagedFile()), Messages::Exclamation, kDatabaseTitle);
}

// The connection, or none once the user has been told why.
std::unique_ptr<FootballDb> toldOf(AppContext& context, Outcome<std::unique_ptr<FootballDb>> opened)
{
    if (!opened) {
        context.services.messages.show(opened.failure().message, Messages::Critical, kDatabaseTitle);
        return nullptr;
    }
    tellDamage(context, **opened);
    return std::move(*opened);
}

std::unique_ptr<FootballDb> openOne(AppContext& context, const char* file, FootballDb::Kind kind)
{
    Outcome<std::unique_ptr<FootballDb>> opened = FootballDb::open(QDir(context.state.ProgramDir).filePath(file), kind);
    if (!opened)
        return toldOf(context, databaseUnusable(file, opened.failure()));
    return toldOf(context, std::move(opened));
}

} // namespace

std::unique_ptr<FootballDb> openTeamDatabase(AppContext& context)
{
    return openOne(context, kTeamDatabaseFile, FootballDb::Kind::Teams);
}

std::unique_ptr<FootballDb> openFormDatabase(AppContext& context)
{
    return openOne(context, kFormDatabaseFile, FootballDb::Kind::Form);
}

std::unique_ptr<FootballDb> openBothDatabases(AppContext& context)
{
    return toldOf(context, FootballDb::openWithForm(context.state.ProgramDir));
}

void showDatabaseError(AppContext& context, const QString& what, const QString& detail)
{
    QString text = what;
    if (!detail.isEmpty())
        text += kLineBreak + detail;
    context.services.messages.show(text, Messages::Critical, kDatabaseTitle);
}

} // namespace football
