#include "systems/poolshare.h"
#include "systems/rowworth.h"
#include "systemsdata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace systemsdata;

namespace {

// E[c / (W + c)] the plain way: the Poisson terms around their peak, in long double.
long double directShare(unsigned own, long double lambda)
{
    if (lambda == 0)
        return 1;
    const long double spread = 40 * std::sqrt(lambda) + 200;
    long double sum = 0;
    for (long double w = std::max<long double>(0, std::floor(lambda - spread)); w <= lambda + spread; ++w)
        sum += std::exp(-lambda + w * std::log(lambda) - std::lgamma(w + 1)) * own / (w + own);
    return sum;
}

WorthModel randomModel(std::mt19937_64& rng, double sold)
{
    WorthModel model;
    for (int m = 0; m < kFrameMatches; ++m)
        for (int s = 0; s < 3; ++s) {
            model.chances[m][s] = double(5 + rng() % 60);
            model.publicShares[m][s] = double(5 + rng() % 60);
        }
    model.chances = fractionsPerMatch(model.chances);
    model.publicShares = fractionsPerMatch(model.publicShares);
    model.round = {sold, {131250, 45000, 37500, 52500}, 0.25};
    return model;
}

// The worth the plain way: every outcome, every row, the pool shares summed term by term.
WorthReport directWorth(const std::vector<SignRow>& rows, const WorthModel& model)
{
    WorthReport report;
    forEachOutcomeInOrder(Frame{{7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}}, [&](const SignRow& outcome) {
        std::array<unsigned, 4> own{};
        for (const SignRow& row : rows) {
            int wrong = 0;
            for (int m = 0; m < kFrameMatches; ++m)
                wrong += row[m] != outcome[m];
            if (wrong < 4)
                ++own[std::size_t(wrong)];
        }
        if (own == std::array<unsigned, 4>{})
            return true;
        long double chance = 1;
        std::array<long double, 14> publicWrong{1};
        for (int m = 0; m < kFrameMatches; ++m) {
            const long double q = model.publicShares[m][outcome[m]];
            chance *= model.chances[m][outcome[m]];
            for (int d = 13; d >= 0; --d)
                publicWrong[std::size_t(d)] = publicWrong[std::size_t(d)] * q + (d ? publicWrong[d - 1] * (1 - q) : 0);
        }
        report.chanceOfAnyPrize += double(chance);
        for (std::size_t d = 0; d < 4; ++d)
            if (own[d]) {
                const long double pays =
                    model.round.pools[d] * directShare(own[d], model.round.rowsSold * publicWrong[d]);
                report.chanceOfClass[d] += double(chance);
                report.returnOfClass[d] += double(chance * pays);
                report.expectedReturn += double(chance * pays);
            }
        return true;
    });
    return report;
}

void expectClose(double actual, double expected, const char* what)
{
    EXPECT_NEAR(actual, expected, 1e-9 * std::abs(expected) + 1e-15) << what;
}

} // namespace

TEST(PoolShare, AgreesWithTheDirectPoissonSumFromNoOtherRowsToVeryMany)
{
    for (unsigned own : {1u, 2u, 3u, 7u, 40u, 200u})
        for (double lambda : {0.0, 1e-6, 0.3, 2.0, 39.5, 100.0, 5000.0, 1e5})
            EXPECT_NEAR(ownShareOfPool(own, lambda), double(directShare(own, lambda)),
                        1e-9 * double(directShare(own, lambda)))
                << own << " own rows, lambda " << lambda;
    EXPECT_EQ(ownShareOfPool(0, 3.0), 0.0);
}

TEST(RowWorth, AgreesWithADirectSumOverEveryOutcomeAndWithFiguresWorkedOutElsewhere)
{
    std::mt19937_64 rng(21);
    const WorthModel model = randomModel(rng, 20000);
    // A row twice (two own rows share a class), a neighbour and a far row.
    const std::vector<SignRow> rows = {signRow("1X21X21X21X21"), signRow("1X21X21X21X21"), signRow("1X21X21X2XX21"),
                                       signRow("2221111XXX222")};
    const auto fast = worthOfRows(rows, model, true);
    const WorthReport slow = directWorth(rows, model);
    ASSERT_TRUE(fast);
    expectClose(fast->expectedReturn, slow.expectedReturn, "expected return");
    expectClose(fast->chanceOfAnyPrize, slow.chanceOfAnyPrize, "any prize");
    for (std::size_t c = 0; c < 4; ++c) {
        expectClose(fast->chanceOfClass[c], slow.chanceOfClass[c], "chance of class");
        expectClose(fast->returnOfClass[c], slow.returnOfClass[c], "return of class");
    }
    expectClose(fast->stake, 1.0, "stake");
    // The rows' parts add up to the whole, and the twin rows are worth the same.
    expectClose(fast->rowWorth[0] + fast->rowWorth[1] + fast->rowWorth[2] + fast->rowWorth[3], fast->expectedReturn,
                "parts");
    expectClose(fast->rowWorth[0], fast->rowWorth[1], "twins");
    ASSERT_FALSE(fast->returnChances.empty());
    expectClose(fast->returnChances.front().chance, fast->chanceOfAnyPrize, "a return at all");
    EXPECT_LT(fast->returnChances.back().chance, fast->returnChances.front().chance);

    // Even chances 50/30/20 against the public's 60/25/15 on every match.
    WorthModel even;
    for (int m = 0; m < kFrameMatches; ++m) {
        even.chances[m] = {0.5, 0.3, 0.2};
        even.publicShares[m] = {0.6, 0.25, 0.15};
    }
    even.round = {1000000, {131250, 45000, 37500, 52500}, 0.25};
    const auto three =
        worthOfRows({signRow("1111111111111"), signRow("111111111111X"), signRow("X111111111112")}, even, false);
    ASSERT_TRUE(three);
    EXPECT_NEAR(three->expectedReturn, 0.342335, 5e-7);
    EXPECT_NEAR(three->chanceOfAnyPrize, 0.06977539, 5e-9);
    EXPECT_NEAR(three->returnOfClass[3], 0.160370, 5e-7);
    EXPECT_FALSE(worthOfRows({SignRow{3}}, even, false));
}

TEST(RowWorth, EverySingleRowsWorthAndTheBestRowsAgreeWithTheWorthOfRows)
{
    std::mt19937_64 rng(5);
    const WorthModel model = randomModel(rng, 1500000);
    const auto every = worthOfEveryRow(model);
    ASSERT_TRUE(every);
    for (const char* text : {"1111111111111", "2X1X2X1X2X1X2", "2222222222222"}) {
        const SignRow row = signRow(text);
        std::uint32_t n = 0;
        for (std::uint8_t s : row)
            n = n * 3 + s;
        expectClose((*every)[n], worthOfRows({row}, model, false)->expectedReturn, text);
    }

    const Frame frame = frameFrom("1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1");
    const auto best = bestRows(model, frame, 2);
    ASSERT_TRUE(best && best->size() == 2);
    // The first is the single row worth most.
    std::uint32_t top = 0;
    bool any = false;
    std::vector<SignRow> inFrame;
    forEachOutcomeInOrder(frame, [&](const SignRow& row) {
        std::uint32_t n = 0;
        for (std::uint8_t s : row)
            n = n * 3 + s;
        if (!any || worthsBefore((*every)[n], n, (*every)[top], top))
            top = n;
        any = true;
        inFrame.push_back(row);
        return true;
    });
    std::uint32_t first = 0;
    for (std::uint8_t s : (*best)[0])
        first = first * 3 + s;
    EXPECT_EQ(first, top);
    // The second adds more to the first than any other row of the frame tried.
    const double pair = worthOfRows(*best, model, false)->expectedReturn;
    for (std::size_t i = 0; i < inFrame.size(); i += 31) {
        if (inFrame[i] != (*best)[0]) {
            EXPECT_GE(pair, worthOfRows({(*best)[0], inFrame[i]}, model, false)->expectedReturn * (1 - 1e-12));
        }
    }

    std::atomic<bool> cancel{true};
    TransformControl control;
    control.cancel = &cancel;
    EXPECT_FALSE(bestRows(model, frame, 2, control));
}
