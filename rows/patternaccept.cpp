#include "rows/patternaccept.h"

#include "rows/harava.h"

namespace {

int signsOn(const MatchTable& marks, int k)
{
    return marks[0][k] + marks[1][k] + marks[2][k];
}

PatternOutcome acceptRandomSystem(SharedState& s)
{
    s.FullGuardFlags.fill(0);
    s.FullGuardTotal = 0;
    s.HalfGuardCount = 0;
    s.FullGuardCount = 0;
    for (int k = 0; k < kMatches; ++k) {
        const int n = signsOn(s.SystemMarks, k);
        if (n == 0)
            return PatternOutcome::EmptyMatch;
        if (n == 2)
            ++s.HalfGuardCount;
        if (n == 3) {
            ++s.FullGuardCount;
            s.FullGuardFlags[k] = 1;
            ++s.FullGuardTotal;
        }
    }
    return PatternOutcome::DrawRandomSystem;
}

PatternOutcome acceptHarava(SharedState& s)
{
    const PatternCounts counts = countPattern(s.SystemMarks);
    s.MatchSignCount = counts.perMatch;
    const HaravaSystem* system = s.SystemLetter.isEmpty() ? nullptr : haravaByLetter(s.SystemLetter[0]);
    if (!system || s.BasicSignCount != system->totalMarks || !patternFitsSystem(counts, *system))
        return PatternOutcome::WrongShape;

    const CodedResult coded = codeCorrectRow(*system, s.SystemMarks, s.BasicSigns);
    s.BasicSignCount = 0;
    s.CodedResult = coded.coded;
    s.BankerHits = coded.bankerHits;
    // Where the column counter of the translation stops: one past the last 1X2 column.
    s.FullColumnStart = system->firstFullColumn + counts.threeSign;
    return PatternOutcome::CheckHarava;
}

} // namespace

PatternOutcome acceptPattern(SharedState& s)
{
    if (s.BasicSignCount < 14)
        return PatternOutcome::TooFewMarks;
    if (s.RowSource == 0) {
        s.CurrentFileTitle = QString::fromUtf8("Järjestelmä");
        for (int k = 0; k < kMatches; ++k)
            if (signsOn(s.SystemMarks, k) == 0)
                return PatternOutcome::EmptyMatch;
        return PatternOutcome::CheckTypedSystem;
    }
    if (s.DrawMode == 1)
        return acceptRandomSystem(s);
    return acceptHarava(s);
}

QString patternRefusal(PatternOutcome outcome)
{
    switch (outcome) {
    case PatternOutcome::TooFewMarks:
        return QStringLiteral("Liian vähän merkkejä !!");
    case PatternOutcome::EmptyMatch:
        return QStringLiteral("Joku kohde on tyhjä !!");
    case PatternOutcome::WrongShape:
        return QStringLiteral("Haravan muoto virheellinen !");
    default:
        return QString();
    }
}
