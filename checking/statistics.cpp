#include "checking/statistics.h"
#include "base/texts.h"

#include "base/printlayout.h"
#include "base/rows.h"
#include "base/textformat.h"

#include <algorithm>

WinRecordName winRecordName(const QString& currentFileTitle, bool haravaTask, const QString& systemName,
                            qint64 fullSystemSize)
{
    if (currentFileTitle == kTypedSystemTitle)
        return {currentFileTitle, currentFileTitle.left(15) + ". " + QString::number(fullSystemSize)};
    QString title = haravaTask ? systemName + ".HAR" : currentFileTitle;
    title = shortenedName(title);
    return {title, title.left(20)};
}

std::optional<QString> storedFigure(const QString& shown, int width)
{
    if (shown.size() <= width)
        return shown;
    const QString bare = shown.trimmed();
    if (bare.size() <= width)
        return bare;
    // Only the grouping of an amount can go as well: "1,234,567,890" is read back as 1234567890.
    QString digits;
    for (const QChar c : bare)
        if (c.isDigit() || c == '-')
            digits += c;
    if (digits.size() <= width && storedAmount(digits) == storedAmount(bare))
        return digits;
    return std::nullopt;
}

std::optional<VoitotRecord> storedWinRecord(const VoitotRecord& shown, QString* unfit)
{
    VoitotRecord stored = shown;
    const std::pair<QString*, int> figures[5] = {{&stored.hits13, kVoitotCountWidth},
                                                 {&stored.hits12, kVoitotCountWidth},
                                                 {&stored.hits11, kVoitotCountWidth},
                                                 {&stored.hits10, kVoitotCountWidth},
                                                 {&stored.winnings, kVoitotWinningsWidth}};
    for (const auto& [figure, width] : figures) {
        const std::optional<QString> fitted = storedFigure(*figure, width);
        if (!fitted) {
            if (unfit)
                *unfit = figure->trimmed();
            return std::nullopt;
        }
        *figure = *fitted;
    }
    return stored;
}

QString unfitFigureMessage(const QString& figure)
{
    return "Luku " + figure + " ei mahdu tilastotiedostoon !" + kLineBreak + "Voittoja ei tilastoitu.";
}

qint64 storedAmount(const QString& field)
{
    const QString t = field.trimmed();
    int i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (negative)
        ++i;
    qint64 amount = 0;
    bool digits = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= '0' && c <= '9') {
            if (amount < (qint64(1) << 50))
                amount = amount * 10 + (c.unicode() - '0');
            digits = true;
            continue;
        }
        // A thousands separator of any locale, but only between digits.
        const bool separator = c == ',' || c == '.' || c == ' ' || c == '\'' || c == QChar(0x00A0) ||
                               c == QChar(0x202F) || c == QChar(0x2007);
        if (!(digits && separator && i + 1 < t.size() && t[i + 1].isDigit()))
            break;
    }
    return negative ? -amount : amount;
}

void Distribution::add(const QString& row)
{
    for (int k = 0; k < kMatches && k < row.size(); ++k) {
        const int s = signIndex(char(row[k].toLatin1()));
        if (s >= 0)
            ++counts[s][k];
    }
}

QString Distribution::text(int sign, int match) const
{
    return signedNumber(counts[sign][match]);
}

std::optional<QList<VoitotRecord>> readWinRecords(const QString& path)
{
    const Outcome<QList<QByteArray>> records = readRecords(path, kVoitotRecordLength);
    if (!records)
        return std::nullopt;
    QList<VoitotRecord> out;
    out.reserve(records->size());
    for (const QByteArray& bytes : *records)
        out << decodeVoitot(bytes);
    return out;
}

std::optional<QList<OikeatRecord>> readCorrectRows(const QString& path)
{
    const Outcome<QList<QByteArray>> records = readRecords(path, kOikeatRecordLength);
    if (!records)
        return std::nullopt;
    QList<OikeatRecord> out;
    out.reserve(records->size());
    for (const QByteArray& bytes : *records)
        out << decodeOikeat(bytes);
    return out;
}

static QString blanks(qsizetype n)
{
    return QString(std::max<qsizetype>(0, n), QChar(' '));
}

// The amount column: right-aligned in eight characters, then " Mk.".
static QString amountColumn(const VoitotRecord& r)
{
    const QString a = groupedAmount(storedAmount(r.winnings));
    return blanks(8 - a.size()) + a + " Mk.";
}

QString winListLine(const VoitotRecord& r)
{
    return fitField(r.name, 20) + " " + fitField(r.year, 5) + "  " + fitField(r.round, 3) + "  " +
           fitField(r.hits13, 4) + "  " + fitField(r.hits12, 4) + "  " + fitField(r.hits11, 4) + "  " +
           fitField(r.hits10, 4) + "  " + amountColumn(r);
}

// The winnings column's heading and the sum under it, alike on screen and on paper.
const char* const kWinningsHeading = "  Voitot";
const char* const kTotalLead = "Yhteensä: ";

QStringList winListing(const QList<VoitotRecord>& records)
{
    QStringList lines;
    lines << QStringLiteral("Tiedosto             ") + "Vuosi   " + "Krs.  " + "X13 " + "  X12 " + "  X11 " + "  X10 " +
                 kWinningsHeading;
    lines << QString(70, QChar('='));
    qint64 total = 0;
    for (const VoitotRecord& r : records) {
        total += storedAmount(r.winnings);
        lines << winListLine(r);
    }
    lines << QString::fromUtf8(kTotalLead) + groupedAmount(total) + " Mk.";
    return lines;
}

// The 13 signs of a stored row, with `wide` before matches 4, 7 and 10 and `narrow` elsewhere.
static QString spacedSigns(const QString& row, const QString& narrow, const QString& wide)
{
    const QString signs = fitField(row, kMatches);
    QString out;
    for (int k = 0; k < kMatches; ++k) {
        if (k > 0)
            out += (k == 3 || k == 6 || k == 9) ? wide : narrow;
        out += signs[k];
    }
    return out;
}

QString correctRowListLine(const OikeatRecord& r)
{
    return " " + fitField(r.year, 5) + "  " + fitField(r.round, 3) + "     " +
           spacedSigns(r.row, QStringLiteral("    "), QStringLiteral("     "));
}

bool sameYear(const OikeatRecord& record, const QString& year)
{
    return record.year.trimmed() == year.trimmed();
}

QStringList correctRowListing(const QList<OikeatRecord>& records, const QString& year, Distribution& distribution)
{
    QStringList lines{QStringLiteral(" Vuosi  Kier.")};
    for (const OikeatRecord& r : records) {
        if (!sameYear(r, year))
            continue;
        distribution.add(r.row);
        lines << correctRowListLine(r);
    }
    return lines;
}

QStringList statisticsYears(int currentYear)
{
    QStringList years;
    for (int y = 1972; y <= std::max(2010, currentYear); ++y)
        years << signedNumber(y);
    return years;
}

QString winPrintHeading()
{
    return QStringLiteral("Tiedosto              ") + "Vuosi " + "Krs. " + "X13" + "  X12" + "  X11" + "  X10" +
           kWinningsHeading;
}

QString winPrintLine(const VoitotRecord& r)
{
    return fitField(r.name, 20) + "  " + fitField(r.year, 5) + " " + fitField(r.round, 3) + " " +
           fitField(r.hits13, 4) + " " + fitField(r.hits12, 4) + " " + fitField(r.hits11, 4) + " " +
           fitField(r.hits10, 4) + " " + amountColumn(r);
}

QString correctRowPrintHeading()
{
    return QStringLiteral("Vuosi  Kierros.   Oikeat rivit");
}

QString correctRowPrintLine(const OikeatRecord& r)
{
    return fitField(r.year, 5) + "  " + fitField(r.round, 3) + "        " +
           spacedSigns(r.row, QStringLiteral("  "), QStringLiteral("   "));
}

// Puts `text` at 1-based `column` of a printed line (the margin included);
// text that would run into the column is kept apart by one blank.
static void placeAt(QString& line, int column, const QString& text)
{
    const int at = column - 3;
    if (line.size() < at)
        line += blanks(at - line.size());
    else if (line.size() > at)
        line += QChar(' ');
    line += text;
}

QString distributionPrintLine(const Distribution& d, int sign)
{
    static constexpr int kCountColumns[kMatches] = {19, 22, 25, 29, 32, 35, 39, 42, 45, 49, 52, 55, 58};
    QString line = QStringLiteral("Jakautuma: ");
    placeAt(line, 15, QString(QChar::fromLatin1(kSigns[sign])));
    for (int k = 0; k < kMatches; ++k)
        placeAt(line, kCountColumns[k], d.text(sign, k));
    return line;
}

QString atColumn3(const QString& line)
{
    return line.isEmpty() ? line : QStringLiteral("  ") + line;
}

namespace {

// The page model both print-outs share: a double frame, lines from the top
// left corner and the footer near the bottom.
class StatisticsPage {
public:
    StatisticsPage(PrintDevice& printer, const QDate& today) : p_(printer), today_(today) {}

    void begin()
    {
        p_.setScaleMode(6);
        p_.setFont(QString::fromUtf8(Texts::ListingFont), 12, false);
        frame();
    }
    void line(const QString& text) { p_.print(atColumn3(text)); }
    // Whether `lines` more lines end above the footer.
    bool roomFor(int lines) const { return linesFitAbove(p_, lines, kFooterTop); }
    void footer()
    {
        p_.setCurrentX(0);
        p_.setCurrentY(kFooterTop);
        line(printFooter(today_));
    }
    void nextPage()
    {
        footer();
        p_.newPage();
        frame();
    }
    bool end()
    {
        footer();
        if (p_.failed()) {
            p_.killDoc();
            return false;
        }
        p_.endDoc();
        return !p_.failed();
    }

private:
    void frame()
    {
        p_.box(2, 3, 200, 282, false);
        p_.box(3, 4, 199, 281, false);
        p_.setCurrentX(0);
        p_.setCurrentY(0);
    }

    PrintDevice& p_;
    QDate today_;
};

} // namespace

bool printWins(PrintDevice& printer, const QList<VoitotRecord>& records, const QDate& today)
{
    StatisticsPage page(printer, today);
    auto heading = [&page] {
        page.line(QString());
        page.line(winPrintHeading());
        page.line(QString(65, QChar('=')));
    };
    page.begin();
    heading();
    qint64 total = 0;
    int onPage = 0;
    for (const VoitotRecord& r : records) {
        // A page holds at most 55 records, fewer when their lines would reach the footer.
        if (onPage > 0 && !page.roomFor(1)) {
            page.nextPage();
            heading();
            onPage = 0;
        }
        total += storedAmount(r.winnings);
        page.line(winPrintLine(r));
        if (++onPage == kRecordLinesPerPage) {
            page.nextPage();
            heading();
            onPage = 0;
        }
    }
    if (onPage > 0 && !page.roomFor(2)) {
        page.nextPage();
        heading();
    }
    page.line(QString());
    page.line(QString::fromUtf8(kTotalLead) + groupedAmount(total) + " Mk.");
    return page.end();
}

bool printCorrectRows(PrintDevice& printer, const QList<OikeatRecord>& records, const QString& year,
                      Distribution& distribution, const QDate& today)
{
    StatisticsPage page(printer, today);
    auto heading = [&page] {
        page.line(QString());
        page.line(correctRowPrintHeading());
    };
    page.begin();
    heading();
    int onPage = 0;
    for (const OikeatRecord& r : records) {
        if (!sameYear(r, year))
            continue;
        if (onPage > 0 && !page.roomFor(1)) {
            page.nextPage();
            heading();
            onPage = 0;
        }
        distribution.add(r.row);
        page.line(correctRowPrintLine(r));
        // A year of weekly rounds may not fit one page; the frame and footer must stay clear.
        if (++onPage == kRecordLinesPerPage) {
            page.nextPage();
            heading();
            onPage = 0;
        }
    }
    if (onPage > 0 && !page.roomFor(4)) {
        page.nextPage();
        heading();
    }
    page.line(QString());
    for (int s = 0; s < 3; ++s)
        page.line(distributionPrintLine(distribution, s));
    return page.end();
}
