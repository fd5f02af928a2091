#include "systems/pruning.h"
#include "systems/pruningfile.h"
#include "systemsdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace systemsdata;

namespace {

// The plain reading of each condition, row by row.
bool meets(const Condition& c, const SignRow& row, const SignChances& chances, const SignChances& shares)
{
    if (!c.on)
        return true;
    const auto within = [&](int n) { return n >= c.range.least && n <= c.range.most; };
    switch (c.kind) {
    case ConditionKind::SignCount: {
        int n = 0;
        for (int m = 0; m < kFrameMatches; ++m)
            n += (c.matches >> m & 1) && row[m] == c.sign;
        return within(n);
    }
    case ConditionKind::Favourites: {
        int n = 0;
        for (int m = 0; m < kFrameMatches; ++m)
            n += row[m] == c.favourites[m];
        return within(n);
    }
    case ConditionKind::LongestRun: {
        int longest = 1;
        for (int m = 1, run = 1; m < kFrameMatches; ++m) {
            run = row[m] == row[m - 1] ? run + 1 : 1;
            longest = std::max(longest, run);
        }
        return within(longest);
    }
    case ConditionKind::SignChanges: {
        int n = 0;
        for (int m = 1; m < kFrameMatches; ++m)
            n += row[m] != row[m - 1];
        return within(n);
    }
    case ConditionKind::MinProbability:
        return rowProbability(row, chances) >= c.threshold / 100;
    case ConditionKind::MinValue: {
        double value = 1;
        for (int m = 0; m < kFrameMatches; ++m)
            value *= chances[m][row[m]] / shares[m][row[m]];
        return value >= c.threshold;
    }
    case ConditionKind::MostProbable:
        return true; // taken apart below
    }
    return false;
}

std::vector<SignRow> plainPruning(const PruningSet& set)
{
    const SignChances chances = set.chances ? chancesOf(*set.chances) : SignChances{};
    const SignChances shares = set.publicShares ? chancesOf(*set.publicShares) : SignChances{};
    std::vector<SignRow> kept;
    forEachOutcomeInOrder(set.frame, [&](const SignRow& row) {
        if (std::all_of(set.conditions.begin(), set.conditions.end(),
                        [&](const Condition& c) { return meets(c, row, chances, shares); }))
            kept.push_back(row);
        return true;
    });
    for (const Condition& c : set.conditions) {
        if (!c.on || c.kind != ConditionKind::MostProbable || kept.size() <= c.rowsToKeep)
            continue;
        std::vector<SignRow> ranked = kept;
        std::stable_sort(ranked.begin(), ranked.end(), [&](const SignRow& a, const SignRow& b) {
            return rowProbability(a, chances) > rowProbability(b, chances);
        });
        ranked.resize(c.rowsToKeep);
        std::sort(ranked.begin(), ranked.end());
        kept = ranked;
    }
    return kept;
}

MatchNumbers randomPercentages(std::mt19937& rng)
{
    MatchNumbers n;
    for (auto& match : n.numbers) {
        const int a = int(rng() % 80) + 5, b = int(rng() % std::uint32_t(95 - a)) + 1;
        match = {double(a), double(b), double(100 - a - b)};
    }
    return n;
}

Condition range(ConditionKind kind, int least, int most)
{
    Condition c;
    c.kind = kind;
    c.range = {least, most};
    return c;
}

std::vector<SignRow> applied(const PruningSet& set)
{
    const auto kept = applyPruning(set);
    EXPECT_TRUE(kept) << pruningSetProblem(set).toStdString();
    return rowsOfIndices(kept.value_or(std::vector<RowIndex>{}));
}

TEST(Pruning, EveryConditionKeepsExactlyTheRowsAPlainReadingKeepsInTheFramesOrder)
{
    std::mt19937 rng(15);
    const char* const frames[] = {"1X2,1X2,1X,1,X2,1X2,1,1X2,2,1X,1X2,1,1X2", "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1",
                                  "1,X,2,1X2,1X2,12,X2,1X2,1X2,1X,1X2,1X2,1"};
    for (const char* text : frames) {
        PruningSet set;
        set.frame = frameFrom(text);
        set.chances = randomPercentages(rng);
        set.publicShares = randomPercentages(rng);
        const auto check = [&](const std::vector<Condition>& conditions, const std::string& what) {
            set.conditions = conditions;
            const std::vector<SignRow> expected = plainPruning(set);
            EXPECT_EQ(applied(set), expected) << text << ": " << what;
            return expected.size();
        };
        for (int round = 0; round < 6; ++round) {
            const int a = int(rng() % 6), b = a + int(rng() % 5);
            Condition count = range(ConditionKind::SignCount, a, b);
            count.sign = std::uint8_t(rng() % 3);
            if (round % 2)
                count.matches = std::uint16_t(rng() & kAllMatches) | 1;
            check({count}, "count");
            Condition favourites = range(ConditionKind::Favourites, a, b + 2);
            for (auto& s : favourites.favourites)
                s = std::uint8_t(rng() % 4);
            check({favourites}, "favourites");
            check({range(ConditionKind::LongestRun, 1 + a / 2, 2 + b / 2)}, "run");
            check({range(ConditionKind::SignChanges, a, b + 3)}, "changes");
            Condition probable;
            probable.kind = ConditionKind::MinProbability;
            probable.threshold = 1e-6 * double(1 + rng() % 50);
            check({probable}, "probability");
            Condition value;
            value.kind = ConditionKind::MinValue;
            value.threshold = 0.5 + double(rng() % 30) / 10;
            check({value}, "value");
            Condition most;
            most.kind = ConditionKind::MostProbable;
            most.rowsToKeep = 1 + rng() % 300;
            // Together, and with one switched off: an off condition keeps everything.
            Condition off = range(ConditionKind::SignCount, 13, 13);
            off.on = false;
            const std::size_t together = check({count, favourites, most, off}, "together");
            EXPECT_LE(together, most.rowsToKeep);
        }
    }
}

TEST(Pruning, TheMostProbableRowsAreTakenAmongTheRowsTheOtherConditionsKeep)
{
    PruningSet set;
    set.frame = frameFrom("1X2,1X2,1,1,1,1,1,1,1,1,1,1,1");
    MatchNumbers n;
    for (auto& match : n.numbers)
        match = {100, 0, 0};
    n.numbers[0] = {50, 30, 20};
    n.numbers[1] = {60, 25, 15};
    set.chances = n;
    Condition most;
    most.kind = ConditionKind::MostProbable;
    most.rowsToKeep = 2;
    set.conditions = {most};
    // 1-1 (0.30) and X-1 (0.18): the frame's order, not the rank's.
    EXPECT_EQ(applied(set), (std::vector<SignRow>{signRow("1111111111111"), signRow("X111111111111")}));
    Condition noOneFirst = range(ConditionKind::SignCount, 0, 0);
    noOneFirst.matches = 1; // match 1 only
    set.conditions = {noOneFirst, most};
    EXPECT_EQ(applied(set), (std::vector<SignRow>{signRow("X111111111111"), signRow("2111111111111")}));

    // The whole frame ranked: most probable first, equal ones in the frame's order.
    const std::vector<SignRow> ranked = rowsOfIndices(rankByProbability(set.frame, chancesOf(n)));
    const std::vector<const char*> expected = {"1111111111111", "X111111111111", "1X11111111111",
                                               "2111111111111", "1211111111111", "XX11111111111",
                                               "2X11111111111", "X211111111111", "2211111111111"};
    ASSERT_EQ(ranked.size(), expected.size());
    // The frame holds every row whose last eleven signs are 1s: all of the chance here.
    EXPECT_NEAR(probabilityOfRows(rankByProbability(set.frame, chancesOf(n)), chancesOf(n)), 1.0, 1e-12);
    EXPECT_NEAR(probabilityOfRows(*applyPruning(set), chancesOf(n)), 0.18 + 0.12, 1e-12);
    for (std::size_t i = 0; i < ranked.size(); ++i)
        EXPECT_EQ(ranked[i], signRow(expected[i])) << i;
}

TEST(Pruning, RowsOfTheSameChanceAreTakenInTheFramesOrderWhateverTheRounding)
{
    // Every row's chance is 0.4 to the power of its 1s times 0.3 to the rest,
    // multiplied in the order of the matches.
    PruningSet set;
    set.frame = frameFrom("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1");
    MatchNumbers n;
    for (auto& match : n.numbers)
        match = {40, 30, 30};
    set.chances = n;
    Condition most;
    most.kind = ConditionKind::MostProbable;
    most.rowsToKeep = 100;
    set.conditions = {most};
    // One row of eight 1s, 16 of seven, and the first 83 of the 112 of six.
    std::vector<SignRow> expected;
    int sixOnes = 0;
    forEachOutcomeInOrder(set.frame, [&](const SignRow& row) {
        const auto ones = std::count(row.begin(), row.begin() + 8, 0);
        if (ones >= 7 || (ones == 6 && ++sixOnes <= 83))
            expected.push_back(row);
        return true;
    });
    ASSERT_EQ(expected.size(), 100u);
    EXPECT_EQ(applied(set), expected);
    std::vector<RowIndex> ranked = rankByProbability(set.frame, chancesOf(n), 100);
    std::sort(ranked.begin(), ranked.end());
    EXPECT_EQ(rowsOfIndices(ranked), expected);
}

TEST(Pruning, OddsLoseTheBookmakersMarginAndPercentagesMustAddUpTo100)
{
    MatchNumbers odds;
    odds.odds = true;
    for (auto& match : odds.numbers)
        match = {2.0, 4.0, 4.0};
    odds.numbers[5] = {1.5, 4.0, 6.0}; // 1/odds add up to 108.3 %
    EXPECT_EQ(numbersProblem(odds), "");
    const SignChances c = chancesOf(odds);
    EXPECT_DOUBLE_EQ(c[0][0], 0.5);
    EXPECT_DOUBLE_EQ(c[5][0], (1 / 1.5) / (1 / 1.5 + 0.25 + 1 / 6.0));
    EXPECT_NEAR(c[5][0] + c[5][1] + c[5][2], 1.0, 1e-15);
    EXPECT_NEAR(c[5][0], 0.6154, 1e-4);

    odds.numbers[12] = {1.0, 5.0, 9.0};
    EXPECT_EQ(numbersProblem(odds),
              QString::fromUtf8("Kohteen 13 kertoimet eivät kelpaa: kertoimen on oltava yli 1 !"));

    QString error;
    EXPECT_FALSE(parseMatchNumbers("45 30 25\n", false, error));
    EXPECT_EQ(error, QString::fromUtf8("Lukuja on vain 1 kohteelle; anna 13 riviä, kolme lukua kullakin !"));
    QString text;
    for (int m = 0; m < 13; ++m)
        text += m == 3 ? "45 30\n" : "45,5;30;24,5\n";
    EXPECT_FALSE(parseMatchNumbers(text, false, error));
    EXPECT_EQ(error, QString::fromUtf8("Rivi 4: Anna kolme lukua (1, X ja 2) !"));
    text.replace("45 30\n", "45 30 35\n");
    EXPECT_FALSE(parseMatchNumbers(text, false, error));
    EXPECT_EQ(error, QString::fromUtf8("Kohteen 4 prosenttien summa on 110 eikä 100 !"));
    text.replace("45 30 35\n", "45,30,25\n");
    const auto read = parseMatchNumbers("# viikko 49\n" + text, false, error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_DOUBLE_EQ(read->numbers[0][0], 45.5);
    EXPECT_DOUBLE_EQ(read->numbers[3][2], 25);
}

TEST(PruningFile, ASavedSetReadsBackExactly)
{
    PruningSet set;
    set.frame = frameFrom("1X2,1X2,1X,1,X2,1X2,1,1X2,2,1X,1X2,1,1X2");
    MatchNumbers odds;
    odds.odds = true;
    for (int m = 0; m < 13; ++m)
        odds.numbers[m] = {1.85 + m / 7.0, 3.4, 4.1 + 1e-9 * m};
    set.chances = odds;
    MatchNumbers shares;
    for (auto& match : shares.numbers)
        match = {52.5, 27.25, 20.25};
    set.publicShares = shares;
    Condition count = range(ConditionKind::SignCount, 1, 3);
    count.matches = 0b1111;
    Condition favourites = range(ConditionKind::Favourites, 6, 10);
    favourites.favourites = signRow("1X21111X2-111");
    favourites.favourites[9] = kNoFavourite;
    Condition changes = range(ConditionKind::SignChanges, 2, 9);
    changes.on = false;
    Condition most;
    most.kind = ConditionKind::MostProbable;
    most.rowsToKeep = 400;
    Condition probable;
    probable.kind = ConditionKind::MinProbability;
    probable.threshold = 1.234e-9;
    Condition value;
    value.kind = ConditionKind::MinValue;
    value.threshold = 1e23; // written out in full: the readers take no exponents
    set.conditions = {count, favourites, range(ConditionKind::LongestRun, 1, 4), changes, most, probable, value};

    const QByteArray bytes = pruningFileBytes(set);
    EXPECT_TRUE(bytes.contains("\nmerkit 1:1-3@1,2,3,4\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\npois vaihdot 2-9\n")) << bytes.toStdString();
    QString error;
    const auto read = parsePruningFile(bytes, error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(*read, set);
    EXPECT_EQ(pruningFileBytes(*read), bytes);
}

TEST(PruningFile, BadInputIsRefusedWithTheLineAndWhatIsWrong)
{
    const QByteArray good = "kaava 1X2,1X2,1X,1,X2,1X2,1,1X2,2,1X,1X2,1,1X2\nmerkit X:2-4\n";
    QString error;
    ASSERT_TRUE(parsePruningFile(good, error)) << error.toStdString();
    const struct {
        QByteArray bytes;
        const char* message;
    } bad[] = {
        {good + "merkit X:4-2\n", "Rivi 3: Vähimmäismäärä 4 on suurempi kuin enimmäismäärä 2 !"},
        {good + "merkit 1:1-3@1,2,14\n", "Rivi 3: Kohteen numero 14 ei kelpaa: anna kohteet 1 … 13 !"},
        {good + "prosentit 1 45 30\n", "Rivi 3: Anna kolme lukua (1, X ja 2) !"},
        {good + "prosentit 14 45 30 25\n", "Rivi 3: kohteen numeron on oltava 1 … 13 !"},
        {good + "prosentit 1 45 30 25\n", "Todennäköisyydet tai pelijakauma puuttuvat joiltakin kohteilta !"},
        {good + "putki 1-14\n", "Rivi 3: Rajojen on oltava 0 … 13 !"},
        {good + "karsi kaikki\n", "Rivi 3: tuntematon ehto karsi !"},
        {"merkit X:2-4\n", "Tiedostossa ei ole kaavaa: se ei ole karsintaehtojen tiedosto !"},
        {QByteArray("\x01\x00\xff\xfe", 4), "Tiedosto ei ole karsintaehtojen tiedosto !"},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(parsePruningFile(b.bytes, error)) << b.message;
        EXPECT_EQ(error, QString::fromUtf8(b.message));
    }
    // A probability condition with nothing to weigh is refused before any work.
    PruningSet set = *parsePruningFile(good + "todennäköisimmät 100\n", error);
    EXPECT_EQ(pruningSetProblem(set), QString::fromUtf8("Todennäköisimmät 100 riviä: anna ensin todennäköisyydet !"));
    EXPECT_FALSE(applyPruning(set));
}

} // namespace
