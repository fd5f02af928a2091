#include "rows/rowentry.h"

void toggleBasicSign(SharedState& s, int sign, int match)
{
    if (s.BasicMarks[sign][match] == 1) {
        s.BasicMarks[sign][match] = 0;
        --s.BasicSignCount;
        return;
    }
    s.BasicMarks[sign][match] = 1;
    ++s.BasicSignCount;
    s.BasicSigns[match] = QString(QChar::fromLatin1(kSigns[sign]));
    for (int other = 0; other < 3; ++other) {
        if (other != sign && s.BasicMarks[other][match] == 1) {
            s.BasicMarks[other][match] = 0;
            --s.BasicSignCount;
        }
    }
}

void toggleSystemMark(SharedState& s, int sign, int match)
{
    int& mark = s.SystemMarks[sign][match];
    mark = mark == 1 ? 0 : 1;
    s.BasicSignCount += mark == 1 ? 1 : -1;
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
