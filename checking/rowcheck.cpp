#include "checking/rowcheck.h"

#include "base/textformat.h"

#include <algorithm>
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

// Appends " " and the decimal digits of a non-negative number, as signedNumber does.
static void appendSignedNumber(char*& out, int n)
{
    char digits[12];
    int count = 0;
    do {
        digits[count++] = char('0' + n % 10);
        n /= 10;
    } while (n > 0);
    *out++ = ' ';
    while (count > 0)
        *out++ = digits[--count];
}

QString checkListLine(int r, const Row& row, int hits)
{
    // Built as bytes: tens of thousands of lines are made in one check.
    char buffer[80];
    char* out = buffer;
    appendSignedNumber(out, r + 1);
    // Keeps ">" in one column up to row 999.
    for (const char* gap = r < 9 ? "  > " : r < 99 ? " > " : "> "; *gap; ++gap)
        *out++ = *gap;
    for (int k = 0; k < kMatches; ++k) {
        if (k > 0) {
            *out++ = ' ';
            if (k == 3 || k == 6 || k == 9)
                *out++ = ' ';
        }
        *out++ = row[k] ? row[k] : ' ';
    }
    for (const char* tail = " Oikein >"; *tail; ++tail)
        *out++ = *tail;
    appendSignedNumber(out, std::max(hits, 0));
    return QString::fromLatin1(buffer, out - buffer);
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
