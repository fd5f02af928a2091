#include "rows/correctrow.h"

#include "base/settings.h"
#include "base/statsfiles.h"

#include <QDir>

StoredRound keptRound(const Settings& settings)
{
    StoredRound kept;
    if (settings.number(keys::LastRound) > 0)
        kept.round = settings.read(keys::LastRound).trimmed();
    if (settings.number(keys::LastYear) > 0)
        kept.year = settings.read(keys::LastYear).trimmed();
    return kept;
}

StoredRound lastStoredRound(Settings& settings, const QString& programDir)
{
    if (settings.number(keys::LastRound) != 0)
        return keptRound(settings);
    const std::optional<OikeatRecord> last = lastCorrectRow(correctRowsPath(programDir));
    if (!last)
        return {};
    StoredRound found{last->round.trimmed(), last->year.trimmed()};
    settings.write({{keys::LastRound, found.round}, {keys::LastYear, found.year}});
    return found;
}

QString correctRowsPath(const QString& programDir)
{
    return QDir(programDir).filePath(kCorrectRowsFile);
}

Outcome<> appendCorrectRow(const QString& programDir, const MatchStrings& signs, const QString& year,
                           const QString& round)
{
    QString row;
    for (const QString& sign : signs)
        row += sign.left(1).leftJustified(1, ' ');
    return appendRecord(correctRowsPath(programDir), encodeRecord(OikeatRecord{row, year, round}), kOikeatRecordLength);
}
