#include "systems/coveringcheck.h"
#include "systems/coveringcodes.h"
#include "systems/coveringsearch.h"
#include "systems/guaranteeanalysis.h"
#include "systems/systemtables.h"
#include "systemsdata.h"

#include <gtest/gtest.h>

#include <random>

using namespace systemsdata;

namespace {

// A code's words as rows over the first matches of a frame of its shape.
std::vector<SignRow> rowsOfCode(const BlockCode& code)
{
    std::vector<SignRow> rows;
    for (const Digits& word : code.words) {
        SignRow row{};
        for (std::size_t j = 0; j < word.size(); ++j)
            row[j] = word[j];
        rows.push_back(row);
    }
    return rows;
}

CoveringResult search(const Frame& frame, int guarantee, std::uint64_t moves, std::uint64_t seed = 1)
{
    CoveringRequest request;
    request.frame = frame;
    request.guarantee = guarantee;
    request.moves = moves;
    request.seconds = 0;
    request.seed = seed;
    return searchCovering(request);
}

TEST(CoveringCheck, CountsTheOutcomesTheAnalysisFindsBelowTheGuarantee)
{
    std::mt19937_64 rng(15);
    for (int trial = 0; trial < 30; ++trial) {
        Frame frame;
        for (int m = 0; m < kFrameMatches; ++m)
            frame.played[m] = std::uint8_t(m < 7 ? 1 + rng() % 7 : 1);
        std::vector<SignRow> rows(1 + rng() % 40);
        for (SignRow& row : rows)
            for (int m = 0; m < kFrameMatches; ++m)
                row[m] = std::uint8_t(rng() % 3); // some signs outside the frame
        const auto analysis = analyseGuarantee(rows, frame);
        ASSERT_TRUE(analysis);
        for (int guarantee = 10; guarantee <= 13; ++guarantee) {
            std::uint64_t below = 0;
            for (int h = 0; h < guarantee; ++h)
                below += analysis->plain.outcomesWithBest(h);
            EXPECT_EQ(outcomesBelowGuarantee(rows, frame, guarantee), below) << text(frame) << " G" << guarantee;
        }
    }
}

TEST(CoveringCodes, PerfectAndHammingCodesKeepTheirGuarantee)
{
    const BlockCode hamming4 = ternaryHammingCode(2);
    EXPECT_EQ(hamming4.words.size(), 9u);
    EXPECT_TRUE(tableKeepsGuarantee(rowsOfCode(hamming4), shape(0, 4), 12));

    const BlockCode hamming13 = ternaryHammingCode(3);
    EXPECT_EQ(hamming13.words.size(), 59049u);
    EXPECT_EQ(outcomesBelowGuarantee(rowsOfCode(hamming13), shape(0, 13), 12), 0u);

    const BlockCode golay = ternaryGolayCode();
    EXPECT_EQ(golay.words.size(), 729u);
    EXPECT_TRUE(tableKeepsGuarantee(rowsOfCode(golay), shape(0, 11), 11));
    // Perfect: not one of its rows can go.
    std::vector<SignRow> lessOne = rowsOfCode(golay);
    lessOne.pop_back();
    EXPECT_EQ(outcomesBelowGuarantee(lessOne, shape(0, 11), 11), 243u);

    const BlockCode binary = extendedBinaryHammingCode();
    EXPECT_EQ(binary.words.size(), 16u);
    EXPECT_TRUE(tableKeepsGuarantee(rowsOfCode(binary), shape(8, 0), 11));

    const BlockCode sum = directSum(hamming4, binary);
    EXPECT_EQ(sum.words.size(), 144u);
    std::vector<SignRow> rows = rowsOfCode(sum);
    Frame frame;
    for (int m = 0; m < kFrameMatches; ++m)
        frame.played[m] = m < 4 ? 0b111 : m < 12 ? 0b011 : 0b001;
    EXPECT_TRUE(tableKeepsGuarantee(rows, frame, 10));
}

TEST(CoveringSearch, EveryTableFoundKeepsItsGuaranteeAndMeetsTheBound)
{
    struct Case {
        const char* frame;
        int guarantee;
        std::uint64_t bound;
    };
    const Case cases[] = {
        {"1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1", 12, 9},
        {"1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1,1", 12, 57},
        {"1X,12,X2,1X,12,X2,1X,1X2,1X2,1X2,1,1,1", 11, 39},
        {"1X,1X,1X,1X,1X,1X,1X,1X,1X2,1X2,1X2,1,1", 11, 68},
        {"1X2,1X,1X2,X2,1X2,12,1X2,1,2,X,1,1X2,1X", 10, 10},
        {"1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1", 11, 729},
        {"1,1,1,1,1,1,1,1,1,1,1,1,1X", 12, 1},
        {"1X2,1X2,1,1,1,1,1,1,1,1,1,1,1", 13, 9},
    };
    for (const Case& c : cases) {
        const Frame frame = frameFrom(c.frame);
        const CoveringResult result = search(frame, c.guarantee, 2000);
        ASSERT_EQ(result.status, CoveringStatus::Found) << c.frame;
        EXPECT_EQ(result.lowerBound, c.bound) << c.frame;
        EXPECT_GE(result.rows.size(), result.lowerBound) << c.frame;
        EXPECT_TRUE(tableKeepsGuarantee(result.rows, frame, c.guarantee)) << c.frame;
        EXPECT_TRUE(std::is_sorted(result.rows.begin(), result.rows.end())) << c.frame;
        const auto analysis = analyseGuarantee(result.rows, frame);
        ASSERT_TRUE(analysis);
        EXPECT_GE(analysis->plain.guarantee, c.guarantee) << c.frame;
    }
    // Perfect codes are found exactly.
    EXPECT_EQ(search(frameFrom(cases[0].frame), 12, 0).rows.size(), 9u);
    EXPECT_EQ(search(frameFrom(cases[5].frame), 11, 0).rows.size(), 729u);
}

// The best union of cosets of this shape has 1,341 rows; the orbits of the
// rotation of three triples reach the best size known, and it is shipped.
TEST(CoveringSearch, NineThreeSignMatchesAtTwelveRightReachTheBestSizeKnown)
{
    const CoveringResult result = search(shape(0, 9), 12, 400'000, 1);
    ASSERT_EQ(result.status, CoveringStatus::Found);
    EXPECT_EQ(result.rows.size(), 1269u);
    EXPECT_LE(shippedTable(shape(0, 9), 12).rows.size(), result.rows.size());
}

TEST(CoveringSearch, SameSeedAndMovesGiveTheSameTable)
{
    const Frame frame = frameFrom("1X2,1X2,1X2,1X2,1X2,1X2,1X,1X,1,1,1,1,1");
    const CoveringResult first = search(frame, 12, 30'000, 7);
    const CoveringResult again = search(frame, 12, 30'000, 7);
    ASSERT_EQ(first.status, CoveringStatus::Found);
    EXPECT_EQ(first.rows, again.rows);
    EXPECT_EQ(first.movesMade, again.movesMade);
}

// Once the table is as small as any coset union could be, the coset phase
// has nothing to try: it used to spin there for ever under a move budget.
TEST(CoveringSearch, AMoveBudgetEndsWhenNoCosetUnionCanBeatTheTable)
{
    const CoveringResult result = search(frameFrom("1X2,1X2,1X2,1X2,21,2,1,2,1,1,1,1,1"), 11, 200, 6);
    ASSERT_EQ(result.status, CoveringStatus::Found);
    EXPECT_GE(result.rows.size(), result.lowerBound);
}

TEST(CoveringSearch, LargeNeedsAndBadRequestsAreRefusedAtOnce)
{
    const CoveringResult all13 = search(frameFrom("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2"), 12, 0);
    EXPECT_EQ(all13.status, CoveringStatus::NeedsTooManyRows);
    EXPECT_EQ(all13.message, "needs more than 32,767 rows (at least 59,049)");
    EXPECT_TRUE(all13.rows.empty());

    EXPECT_EQ(search(shape(0, 13), 13, 0).status, CoveringStatus::NeedsTooManyRows);
    EXPECT_EQ(search(shape(0, 4), 9, 0).status, CoveringStatus::InvalidRequest);
    Frame empty = shape(0, 4);
    empty.played[12] = 0;
    EXPECT_EQ(search(empty, 12, 0).status, CoveringStatus::InvalidRequest);
}

TEST(CoveringSearch, AKeptSetTooLargeToListItsBallsIsStillSearched)
{
    // 142,208 outcomes of eleven three-sign matches with two to five draws:
    // their balls at 10 right would be 220 million points to list.
    const Frame frame = shape(0, 11);
    CoveringRequest request;
    request.frame = frame;
    request.guarantee = 10;
    request.seconds = 2;
    forEachOutcomeInOrder(frame, [&](const SignRow& row) {
        const auto draws = std::count(row.begin(), row.end(), 1);
        if (draws >= 2 && draws <= 5)
            request.outcomesToCover.push_back(row);
        return true;
    });
    ASSERT_EQ(request.outcomesToCover.size(), 142208u);
    const CoveringResult result = searchCovering(request);
    ASSERT_EQ(result.status, CoveringStatus::Found) << result.message;
    EXPECT_LT(result.rows.size(), 142208u / 50);
    EXPECT_TRUE(tableKeepsGuarantee(result.rows, frame, 10, &request.outcomesToCover));
    for (const SignRow& row : result.rows)
        EXPECT_TRUE(std::binary_search(request.outcomesToCover.begin(), request.outcomesToCover.end(), row));
}

TEST(CoveringSearch, CancelKeepsTheBestTableAndProgressReportsIt)
{
    std::atomic<bool> cancel{false};
    std::vector<std::size_t> sizes;
    CoveringRequest request;
    request.frame = shape(0, 7);
    request.guarantee = 12;
    request.seconds = 30;
    request.cancel = &cancel;
    request.progress = [&](const CoveringProgress& progress) {
        sizes.push_back(progress.bestSize);
        if (sizes.size() == 3)
            cancel = true;
    };
    const CoveringResult result = searchCovering(request);
    EXPECT_TRUE(result.cancelled);
    ASSERT_EQ(result.status, CoveringStatus::Found);
    EXPECT_TRUE(tableKeepsGuarantee(result.rows, request.frame, 12));
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), result.rows.size());
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend()));
}

TEST(CoveringSearch, NeverLargerThanAStartingTableThatKeepsTheGuarantee)
{
    // The carried 60-row table: seven two-sign and three three-sign matches.
    const std::vector<SignRow> carried = carriedTable(shape(7, 3), 11).rows;
    ASSERT_EQ(carried.size(), 60u);
    CoveringRequest request;
    request.frame = shape(7, 3);
    request.guarantee = 11;
    request.seconds = 0;
    request.moves = 1; // no room to improve: the answer is the starting table or better
    request.startingTable = carried;
    const CoveringResult result = searchCovering(request);
    ASSERT_EQ(result.status, CoveringStatus::Found);
    EXPECT_LE(result.rows.size(), 60u);
    EXPECT_TRUE(tableKeepsGuarantee(result.rows, request.frame, 11));

    // A starting table that leaves outcomes uncovered is no answer by itself.
    request.startingTable.resize(30);
    const CoveringResult fromBroken = searchCovering(request);
    ASSERT_EQ(fromBroken.status, CoveringStatus::Found);
    EXPECT_TRUE(tableKeepsGuarantee(fromBroken.rows, request.frame, 11));
}

TEST(CoveringSearch, GreedyStartsAndOutsideRowsDoNotBreakTheGuarantee)
{
    // Greedy gives the search its first complete table where algebra is poor.
    const Frame frame = frameFrom("1X2,12,1X2,X2,1X2,1X,1X2,1X,1X2,1,1,1,1");
    for (int guarantee : {12, 11, 10}) {
        const CoveringSpace space = coveringSpace(frame, guarantee);
        std::vector<SignRow> rows;
        for (std::uint32_t point : greedyCovering(space, 100'000'000))
            rows.push_back(rowOfPoint(space, point));
        EXPECT_TRUE(tableKeepsGuarantee(rows, frame, guarantee)) << "G" << guarantee;
        EXPECT_GE(rows.size(), sphereCoveringBound(space));
    }

    // Rows of a starting table outside the frame are no part of the answer.
    CoveringRequest request;
    request.frame = frame;
    request.guarantee = 11;
    request.seconds = 0;
    request.moves = 500;
    request.startingTable = {signRow("XXXXXXXXXXXXX"), signRow("1111111111111")};
    const CoveringResult result = searchCovering(request);
    ASSERT_EQ(result.status, CoveringStatus::Found);
    EXPECT_TRUE(tableKeepsGuarantee(result.rows, frame, 11));
}

} // namespace
