#include "rows/rowentry.h"

void toggleBasicSign(MatchTable& marks, MatchStrings& signs, int& markTotal, int sign, int match)
{
    if (marks[sign][match] == 1) {
        marks[sign][match] = 0;
        --markTotal;
        return;
    }
    marks[sign][match] = 1;
    ++markTotal;
    signs[match] = QString(QChar::fromLatin1(kSigns[sign]));
    for (int other = 0; other < 3; ++other) {
        if (other != sign && marks[other][match] == 1) {
            marks[other][match] = 0;
            --markTotal;
        }
    }
}

void toggleSystemMark(MatchTable& marks, int& markTotal, int sign, int match)
{
    int& mark = marks[sign][match];
    mark = mark == 1 ? 0 : 1;
    markTotal += mark == 1 ? 1 : -1;
}

int markedMatches(const MatchTable& marks)
{
    int n = 0;
    for (int k = 0; k < kMatches; ++k)
        n += marks[0][k] == 1 || marks[1][k] == 1 || marks[2][k] == 1;
    return n;
}

int markCount(const MatchTable& marks)
{
    int n = 0;
    for (const auto& sign : marks)
        for (int mark : sign)
            n += mark == 1;
    return n;
}
