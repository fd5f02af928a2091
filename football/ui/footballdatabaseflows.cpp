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

std::unique_ptr<FootballDb> openOne(AppContext& context, const char* file, FootballDb::Kind kind)
{
    QString reason;
    auto db = FootballDb::open(QDir(context.state.ProgramDir).filePath(file), kind, &reason);
    if (!db)
        context.services.messages.show(databaseUnusableMessage(file, reason), Messages::Critical, kDatabaseTitle);
    else
        tellDamage(context, *db);
    return db;
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
    QString error;
    auto db = FootballDb::openWithForm(context.state.ProgramDir, &error);
    if (!db)
        context.services.messages.show(error, Messages::Critical, kDatabaseTitle);
    else
        tellDamage(context, *db);
    return db;
}

void showDatabaseError(AppContext& context, const QString& what, const QString& detail)
{
    QString text = what;
    if (!detail.isEmpty())
        text += kLineBreak + detail;
    context.services.messages.show(text, Messages::Critical, kDatabaseTitle);
}

} // namespace football
