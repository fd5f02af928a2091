#pragma once

#include "base/textformat.h"

#include "base/services.h"
#include "base/statsfiles.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The win and correct-row statistics: what is stored, listed and printed.

// The name field of a win record and what the checked rows' title becomes.
struct WinRecordName {
    QString title; // the new CurrentFileTitle
    QString field; // at most 20 characters
};
// Typed systems are stored as "Järjestelmä. " and their size; reduced systems
// by their name and ".HAR"; long file titles are shortened.
WinRecordName winRecordName(const QString& currentFileTitle, bool haravaTask, const QString& systemName,
                            qint64 fullSystemSize);

// The title that marks a typed full system.
inline const QString kTypedSystemTitle = QStringLiteral("Järjestelmä");

// The stored form of a figure as the checking window shows it (" 282",
// " 12,500"): as shown when it fits its field, else without the leading blank,
// and an amount also without its grouping. Nothing when even that does not
// fit: a figure cut to its field would be read back as another number.
std::optional<QString> storedFigure(const QString& shown, int width);
// The win record to store for the figures as shown, each figure in its stored
// form; nothing when one does not fit its field (that figure, trimmed, in `unfit`).
std::optional<VoitotRecord> storedWinRecord(const VoitotRecord& shown, QString* unfit = nullptr);
// Why a check's wins were not stored.
QString unfitFigureMessage(const QString& figure);

// The amount at the start of a stored winnings field (" 1,250", " 1 250" …),
// whatever separator grouped its thousands; 0 when there is none.
qint64 storedAmount(const QString& field);

// How often each sign was the correct one on each match.
struct Distribution {
    std::array<std::array<int, 13>, 3> counts{}; // [sign][match]
    void add(const QString& row);
    // As the labels show it: " 0", " 12".
    QString text(int sign, int match) const;
};

// The records of a statistics file; nothing when it cannot be read (see readRecords).
std::optional<QList<VoitotRecord>> readWinRecords(const QString& path);
std::optional<QList<OikeatRecord>> readCorrectRows(const QString& path);

// The on-screen listing of the win records, with the heading and the total.
QStringList winListing(const QList<VoitotRecord>& records);
QString winListLine(const VoitotRecord& record);

// The on-screen listing of one year's correct rows; their signs are added to `distribution`.
QStringList correctRowListing(const QList<OikeatRecord>& records, const QString& year, Distribution& distribution);
QString correctRowListLine(const OikeatRecord& record);
bool sameYear(const OikeatRecord& record, const QString& year);

// The years offered for the correct-row listing, each with a leading blank:
// from 1972 to 2010, or to `currentYear` when that is later.
QStringList statisticsYears(int currentYear);

// Print-out lines, without the left margin that puts every line at column 3.
inline constexpr int kRecordLinesPerPage = 55;
inline constexpr double kFooterTop = 275; // mm from the top of the page
QString winPrintHeading();
QString winPrintLine(const VoitotRecord& record);
QString correctRowPrintHeading();
QString correctRowPrintLine(const OikeatRecord& record);
QString distributionPrintLine(const Distribution& distribution, int sign);
// A line as printed: starting at column 3.
QString atColumn3(const QString& line);

// The print-outs. False when the printer failed; the document is then thrown away.
bool printWins(PrintDevice& printer, const QList<VoitotRecord>& records, const QDate& today);
bool printCorrectRows(PrintDevice& printer, const QList<OikeatRecord>& records, const QString& year,
                      Distribution& distribution, const QDate& today);
