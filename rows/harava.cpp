#include "rows/harava.h"

#include <QFile>

const std::array<HaravaSystem, 6>& haravaSystems()
{
    static const std::array<HaravaSystem, 6> systems = {{
        {"A60", 'A', 60, "APUS", 10, 3, 7, 3, 26, 8, 60},
        {"B81", 'B', 81, "BPUS", 8, 5, 0, 8, 29, 1, 81},
        {"C222", 'C', 222, "CPUS", 9, 4, 0, 9, 31, 1, 222},
        {"D432", 'D', 432, "DPUS", 11, 2, 8, 3, 27, 9, 432},
        {"E729", 'E', 729, "EPUS", 10, 3, 0, 10, 33, 1, 729},
        {"F1296", 'F', 1296, "FPUS", 12, 1, 8, 4, 29, 9, 1296},
    }};
    return systems;
}

const HaravaSystem* haravaByLetter(QChar letter)
{
    for (const HaravaSystem& system : haravaSystems())
        if (QChar(system.letter) == letter)
            return &system;
    return nullptr;
}

QByteArray haravaTable(const HaravaSystem& system)
{
    QFile file(QStringLiteral(":/RK_HAR/%1").arg(system.tableId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qsizetype size = qsizetype(system.rows) * system.columns;
    QByteArray bytes = file.readAll();
    // Two of the tables carry two zero bytes after the last row; they are never read.
    if (bytes.size() < size)
        return {};
    bytes.truncate(size);
    return bytes;
}

PatternCounts countPattern(const MatchTable& marks)
{
    PatternCounts counts;
    for (int k = 0; k < kMatches; ++k) {
        const int n = marks[0][k] + marks[1][k] + marks[2][k];
        counts.perMatch[k] = n;
        counts.marks += n;
        counts.oneSign += n == 1;
        counts.twoSign += n == 2;
        counts.threeSign += n == 3;
        counts.empty += n == 0;
    }
    return counts;
}

bool patternFitsSystem(const PatternCounts& counts, const HaravaSystem& system)
{
    return counts.marks == system.totalMarks && counts.oneSign == system.oneSign &&
           counts.twoSign == system.twoSign && counts.threeSign == system.threeSign;
}

CodedResult codeCorrectRow(const HaravaSystem& system, const MatchTable& marks, const MatchStrings& correctSigns)
{
    CodedResult result;
    result.coded.fill(QStringLiteral(" "));
    const PatternCounts counts = countPattern(marks);
    auto played = [&marks](int k, const QString& sign) {
        const int s = sign == "1" ? 0 : sign == "X" ? 1 : sign == "2" ? 2 : -1;
        return s >= 0 && marks[s][k] == 1;
    };

    for (int k = 0; k < kMatches; ++k)
        if (counts.perMatch[k] == 1 && played(k, correctSigns[k]))
            ++result.bankerHits;

    int column = 0;
    for (int k = 0; k < kMatches; ++k) {
        if (counts.perMatch[k] != 2)
            continue;
        // V is the first played sign in the order 1, X, 2 and O the second.
        int first = -1, second = -1;
        for (int s = 0; s < 3; ++s)
            if (marks[s][k] == 1)
                (first < 0 ? first : second) = s;
        const QString& correct = correctSigns[k];
        if (correct == QString(QChar::fromLatin1(kSigns[first])))
            result.coded[column] = "V";
        else if (correct == QString(QChar::fromLatin1(kSigns[second])))
            result.coded[column] = "O";
        ++column;
    }

    int fullColumn = system.firstFullColumn;
    for (int k = 0; k < kMatches; ++k) {
        if (counts.perMatch[k] != 3)
            continue;
        if (fullColumn >= 1 && fullColumn <= kMatches)
            result.coded[fullColumn - 1] = correctSigns[k];
        ++fullColumn;
    }
    return result;
}

int haravaRowHits(const char* row, int columns, const CodedResult& result)
{
    int hits = result.bankerHits;
    for (int n = 0; n < columns && n < kMatches; ++n)
        hits += result.coded[n].size() == 1 && result.coded[n][0] == QLatin1Char(row[n]);
    return hits;
}

bool scoreHarava(const HaravaSystem& system, const CodedResult& result,
                 const std::function<void(int row, int hits)>& tally)
{
    const QByteArray table = haravaTable(system);
    if (table.isEmpty())
        return false;
    for (int r = 0; r < system.rows; ++r)
        tally(r, haravaRowHits(table.constData() + qsizetype(r) * system.columns, system.columns, result));
    return true;
}
