#include "checking/rowcheck.h"

#include "base/textformat.h"

#include <cmath>
#include <utility>

void PrizeTally::add(int r, int hits)
{
    rowsChecked = r + 1;
    if (hits < kLowestPrizeClass || hits > kMatches)
        return;
    ++counts[hits - kLowestPrizeClass];
    if (hits == kMatches)
        lastFullHitRow = r + 1;
}

bool PrizeTally::won() const
{
    for (int n : counts)
        if (n >= 1)
            return true;
    return false;
}

QString checkListLine(int r, const Row& row, int hits)
{
    QString line;
    line.reserve(48);
    line += signedNumber(r + 1);
    // Keeps ">" in one column up to row 999.
    line += r < 9 ? QLatin1String("  > ") : r < 99 ? QLatin1String(" > ") : QLatin1String("> ");
    for (int k = 0; k < kMatches; ++k) {
        if (k > 0)
            line += (k % 3 == 0 && k < 12) ? QLatin1String("  ") : QLatin1String(" ");
        line += row[k] ? QChar::fromLatin1(row[k]) : QChar(' ');
    }
    line += QLatin1String(" Oikein >");
    line += signedNumber(hits);
    return line;
}

SingleRowCheck checkSingleRows(const RowBuffer& rows, int rowCount, const Row& correct)
{
    SingleRowCheck check;
    const int n = std::min<qsizetype>(rowCount, qsizetype(rows.size()));
    check.lines.reserve(n + n / 10 + 1);
    for (int r = 0; r < n; ++r) {
        const Row& row = rows[size_t(r)];
        int hits = 0;
        for (int k = 0; k < kMatches; ++k) {
            if (row[k] != 0 && row[k] == correct[k]) {
                ++hits;
                ++check.matchHits[k];
            }
        }
        check.tally.add(r, hits);
        check.lines << checkListLine(r, row, hits);
        if (hits == kMatches)
            check.selectedLine = int(check.lines.size()) - 1;
        ++check.listedLines;
        if (check.listedLines == check.blockBoundary + 10) {
            check.blockBoundary += 10;
            check.lines << kBlockSeparator;
        }
    }
    return check;
}

PrizeTally tallyRows(const RowBuffer& rows, const Row& correct)
{
    PrizeTally tally;
    for (size_t r = 0; r < rows.size(); ++r)
        tally.add(int(r), rowHits(rows[r], correct));
    return tally;
}

SystemShape systemShape(const MatchTable& marks)
{
    SystemShape shape;
    shape.rows = 1;
    for (int k = 0; k < kMatches; ++k) {
        const int played = (marks[0][k] != 0) + (marks[1][k] != 0) + (marks[2][k] != 0);
        if (played == 0)
            ++shape.empty;
        else if (played == 2)
            ++shape.halfGuards;
        else if (played == 3)
            ++shape.fullGuards;
        shape.rows *= played;
    }
    return shape;
}

RowBuffer expandSystem(const MatchTable& marks, const std::function<double()>& uniform)
{
    // The signs played on each match, and an odometer over them.
    std::array<std::array<char, 3>, kMatches> signs{};
    std::array<int, kMatches> choices{};
    qint64 total = 1;
    for (int k = 0; k < kMatches; ++k) {
        for (int s = 0; s < 3; ++s)
            if (marks[s][k] != 0)
                signs[k][choices[k]++] = kSigns[s];
        total *= choices[k];
    }
    RowBuffer rows;
    if (total == 0)
        return rows;
    rows.resize(size_t(total));
    std::array<int, kMatches> digit{};
    for (Row& row : rows) {
        for (int k = 0; k < kMatches; ++k)
            row[k] = signs[k][digit[k]];
        for (int k = kMatches - 1; k >= 0; --k) {
            if (++digit[k] < choices[k])
                break;
            digit[k] = 0;
        }
    }
    for (size_t i = rows.size() - 1; i > 0; --i) {
        auto j = size_t(uniform() * double(i + 1));
        if (j > i)
            j = i;
        std::swap(rows[i], rows[j]);
    }
    return rows;
}

double prizeAmount(const QString& text)
{
    QString t = text;
    t.replace(QChar(','), QChar('.'));
    return leadingNumber(t);
}

qint64 winTotal(const std::array<double, 4>& prizes, const PrizeTally& tally)
{
    double total = 0;
    for (int i = 0; i < 4; ++i)
        total += prizes[i] * tally.counts[i];
    return std::llround(total);
}

// n / d rounded to the nearest whole number, halves to the even one; exact in integers.
static int roundedQuotient(qint64 n, qint64 d)
{
    qint64 q = n / d;
    const qint64 twice = 2 * (n % d);
    if (twice > d || (twice == d && q % 2 != 0))
        ++q;
    return int(q);
}

std::optional<MatchPercentages> matchPercentages(const std::array<int, 14>& matchHits, int rowCount)
{
    if (rowCount <= 0)
        return std::nullopt;
    MatchPercentages p;
    int sum = 0;
    for (int k = 0; k < kMatches; ++k) {
        // Integer arithmetic: 29 of 100 rows is 29 per cent, not 28.999…
        const qint64 scaled = qint64(matchHits[k]) * 100;
        p.whole[k] = int(scaled / rowCount);
        p.rounded[k] = roundedQuotient(scaled, rowCount);
        sum += p.rounded[k];
    }
    p.average = roundedQuotient(sum, kMatches);
    return p;
}
