#include "base/rowfile.h"
#include "rows/harava.h"
#include "support/files.h"
#include "systems/coveringcheck.h"
#include "systems/coveringsearch.h"
#include "systems/systemtables.h"
#include "systemsdata.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace systemsdata;

namespace {

// A frame of the shape with the guarded matches scattered over the coupon and
// every pair of signs used: tables are filed by shape and must fit any frame of it.
Frame scattered(int twoSign, int threeSign)
{
    const int order[13] = {12, 0, 6, 3, 9, 1, 11, 4, 7, 2, 10, 5, 8};
    const std::uint8_t pairs[3] = {0b011, 0b101, 0b110};
    Frame frame;
    for (int i = 0; i < 13; ++i)
        frame.played[order[i]] = i < twoSign               ? pairs[i % 3]
                                 : i < twoSign + threeSign ? 0b111
                                                           : std::uint8_t(1 << i % 3);
    return frame;
}

// The table and one row of the frame more: it keeps whatever the table keeps.
std::vector<SignRow> withOneRowMore(std::vector<SignRow> rows, const Frame& frame)
{
    forEachOutcomeInOrder(frame, [&](const SignRow& outcome) {
        if (std::find(rows.begin(), rows.end(), outcome) != rows.end())
            return true;
        rows.push_back(outcome);
        return false;
    });
    return rows;
}

TEST(SystemTables, TheCarriedTablesAreOfferedForTheirShapesAndKeepTheirGuaranteeThere)
{
    const int guarantees[6] = {11, 11, 11, 11, 11, 12};
    for (std::size_t i = 0; i < haravaSystems().size(); ++i) {
        const HaravaSystem& system = haravaSystems()[i];
        const Frame frame = scattered(system.twoSign, system.threeSign);
        SCOPED_TRACE(std::string(system.name) + " " + text(frame));
        const OfferedTable offered = carriedTable(frame, guarantees[i]);
        EXPECT_EQ(offered.source, system.name);
        ASSERT_EQ(offered.rows.size(), std::size_t(system.rows));
        EXPECT_TRUE(tableKeepsGuarantee(offered.rows, frame, guarantees[i]));
        // A weaker guarantee is kept too; a stronger one is not on offer.
        EXPECT_EQ(carriedTable(frame, guarantees[i] - 1).rows.size(), std::size_t(system.rows));
        EXPECT_TRUE(carriedTable(frame, guarantees[i] + 1).rows.empty());
    }
    EXPECT_TRUE(carriedTable(scattered(6, 3), 11).rows.empty()) << "no carried table of this shape";
}

TEST(SystemTables, EveryShapeOfAtMostNineGuardedMatchesHasAShippedTableReadyAtOnce)
{
    for (int guarded = 1; guarded <= kMostShippedMatches; ++guarded)
        for (int threeSign = 0; threeSign <= guarded; ++threeSign)
            for (int guarantee = 10; guarantee <= 12; ++guarantee) {
                const Frame frame = scattered(guarded - threeSign, threeSign);
                SCOPED_TRACE(text(frame) + " G" + std::to_string(guarantee));
                const OfferedTable shipped = shippedTable(frame, guarantee);
                // One row keeps what allows a miss on every guarded match.
                if (kFrameMatches - guarantee >= guarded)
                    continue;
                ASSERT_FALSE(shipped.rows.empty());
                EXPECT_TRUE(tableKeepsGuarantee(shipped.rows, frame, guarantee));
                const OfferedTable carried = carriedTable(frame, guarantee);
                EXPECT_TRUE(carried.rows.empty() || shipped.rows.size() <= carried.rows.size());
                // A direct sum of smaller shipped tables may beat both.
                const OfferedTable offered = offeredTable(QString(), frame, guarantee);
                EXPECT_LE(offered.rows.size(),
                          std::min(shipped.rows.size(), carried.rows.empty() ? SIZE_MAX : carried.rows.size()));
                EXPECT_TRUE(tableKeepsGuarantee(offered.rows, frame, guarantee));
            }
}

TEST(SystemTables, GluedTablesCompletedBySearchBeatTheDirectSumAtGuaranteeTen)
{
    // Seven three-sign and five two-sign matches: a plain greedy needs 224 rows.
    const Frame frame = frameFrom("1X2,1X2,2,X2,1X2,1X2,1X2,1X,12,1X2,1X,1X,1X2");
    const std::vector<std::vector<SignRow>> glued = gluedTables(frame, 10, kGluedTablesTried);
    ASSERT_FALSE(glued.empty());
    const OfferedTable sum = directSumTable(frame, 10);
    // A glue is a third of a direct sum of one match more, and so misses some outcomes.
    EXPECT_LT(glued.front().size(), sum.rows.size());
    EXPECT_FALSE(tableKeepsGuarantee(glued.front(), frame, 10));

    CoveringRequest request;
    request.frame = frame;
    request.guarantee = 10;
    request.seconds = 0;
    request.moves = 1;
    request.startingTable = sum.rows;
    request.partialTables = glued;
    const CoveringResult result = searchCovering(request);
    ASSERT_EQ(result.status, CoveringStatus::Found);
    EXPECT_EQ(result.method, "glued tables completed greedily");
    EXPECT_LE(result.rows.size(), 201u) << "ten per cent below the greedy's 224";
    EXPECT_TRUE(tableKeepsGuarantee(result.rows, frame, 10));
}

TEST(SystemTables, AShippedTableThatBreaksTheStoredFormIsDroppedWhole)
{
    const std::vector<ShippedTable> tables = {{{1, 2, 12}, 7, {{0, 0, 0}, {0, 1, 1}, {1, 2, 2}, {1, 0, 2}}},
                                              {{0, 1, 10}, 3, {{2}}}};
    const QByteArray bytes = shippedTablesBytes(tables);
    const std::vector<ShippedTable> read = parseShippedTables(bytes);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].shape, (TableShape{1, 2, 12}));
    EXPECT_EQ(read[0].secondsSearched, 7u);
    // Stored ascending, as the numbers 0, 4, 11 and 17 of base 2·3·3.
    EXPECT_EQ(read[0].standardRows, (std::vector<SignRow>{{0, 0, 0}, {0, 1, 1}, {1, 0, 2}, {1, 2, 2}}));
    EXPECT_EQ(read[1].standardRows, (std::vector<SignRow>{{2}}));

    QByteArray outside = bytes;
    outside[4 + 10 + 2 * 3] = char(18); // past 2·3·3 outcomes
    EXPECT_EQ(parseShippedTables(outside).size(), 1u);
    QByteArray twice = bytes;
    twice[4 + 10 + 2] = char(0); // the second row the same as the first
    EXPECT_EQ(parseShippedTables(twice).front().shape, (TableShape{0, 1, 10}));
    EXPECT_EQ(parseShippedTables(bytes.left(bytes.size() - 1)).size(), 1u);
    EXPECT_TRUE(parseShippedTables("RKT0" + bytes.mid(4)).empty());
}

TEST(SystemTables, AKeptTableFitsEveryFrameOfItsShapeAndOnlyASmallerOneReplacesIt)
{
    QTemporaryDir dir;
    const Frame first = frameFrom("1X2,1X2,1,X2,1X2,1X2,1X2,2,1,12,1X2,1,1");
    const Frame other = scattered(2, 6);
    const CoveringResult found = [&] {
        CoveringRequest request;
        request.frame = first;
        request.guarantee = 12;
        request.seconds = 0;
        request.moves = 3000;
        return searchCovering(request);
    }();
    ASSERT_EQ(found.status, CoveringStatus::Found);
    EXPECT_TRUE(keptTable(dir.path(), other, 12).rows.empty());

    ASSERT_TRUE(keepTable(dir.path(), first, 12, found.rows).ok());
    const QString path = keptTablePath(dir.path(), {2, 6, 12});
    EXPECT_TRUE(path.endsWith("/haravat/O2-T6-takuu12.1X2")) << path.toStdString();
    EXPECT_TRUE(readBytes(path).startsWith(QByteArray::number(qulonglong(found.rows.size())) + " nova"));
    for (const Frame& frame : {first, other}) {
        const OfferedTable kept = keptTable(dir.path(), frame, 12);
        EXPECT_EQ(kept.rows.size(), found.rows.size()) << text(frame);
        EXPECT_TRUE(kept.source.isEmpty());
        EXPECT_TRUE(tableKeepsGuarantee(kept.rows, frame, 12)) << text(frame);
    }
    // A table kept for 12 right keeps 11 as well; one for 11 is no answer for 12.
    EXPECT_EQ(keptTable(dir.path(), other, 11).rows.size(), found.rows.size());

    // A larger table leaves the kept one as it was.
    const QByteArray before = readBytes(path);
    const std::vector<SignRow> larger = withOneRowMore(found.rows, first);
    ASSERT_TRUE(keepTable(dir.path(), first, 12, larger).ok());
    EXPECT_EQ(readBytes(path), before);

    // A file that no longer keeps its guarantee is passed over, and a good one takes its place.
    RowBuffer rows = rowsOfSigns(rowsInStandardFrame(found.rows, first));
    rows.pop_back();
    ASSERT_TRUE(writeBytes(path, rowsFileBytes(rows, int(rows.size()))));
    EXPECT_TRUE(keptTable(dir.path(), other, 12).rows.empty());
    ASSERT_TRUE(keepTable(dir.path(), first, 12, larger).ok());
    EXPECT_EQ(keptTable(dir.path(), other, 12).rows.size(), larger.size());

    // A row twice makes no table, though the rows keep the guarantee.
    RowBuffer twice = rowsOfSigns(rowsInStandardFrame(larger, first));
    twice.back() = twice.front();
    ASSERT_TRUE(writeBytes(path, rowsFileBytes(twice, int(twice.size()))));
    EXPECT_TRUE(keptTable(dir.path(), other, 12).rows.empty());
}

TEST(SystemTables, TheSmallerOfTheKeptAndTheCarriedTableIsOffered)
{
    QTemporaryDir dir;
    // A kept table larger than the carried one: the carried one is offered.
    const Frame a60 = scattered(7, 3);
    const std::vector<SignRow> larger = withOneRowMore(carriedTable(a60, 11).rows, a60);
    ASSERT_TRUE(keepTable(dir.path(), a60, 11, larger).ok());
    EXPECT_EQ(offeredTable(dir.path(), a60, 11).source, "A60");

    // The carried 432 rows are far from the best for their shape: a direct
    // sum of shipped tables beats them at once, and a kept table when smaller.
    const Frame d432 = scattered(8, 3);
    const OfferedTable sum = offeredTable(dir.path(), d432, 11);
    EXPECT_TRUE(sum.shipped);
    EXPECT_LT(sum.rows.size(), 432u);
    EXPECT_TRUE(tableKeepsGuarantee(sum.rows, d432, 11));
    CoveringRequest request;
    request.frame = d432;
    request.guarantee = 11;
    request.seconds = 0;
    request.moves = 2000;
    const CoveringResult found = searchCovering(request);
    ASSERT_EQ(found.status, CoveringStatus::Found);
    ASSERT_LT(found.rows.size(), 432u);
    ASSERT_TRUE(keepTable(dir.path(), d432, 11, found.rows).ok());
    const OfferedTable offered = offeredTable(dir.path(), d432, 11);
    EXPECT_EQ(offered.rows.size(), std::min(found.rows.size(), sum.rows.size()));
    EXPECT_EQ(offered.shipped, sum.rows.size() < found.rows.size());
}

} // namespace
