// Checks the six reduced-system tables carried as resources: their bytes,
// column kinds, example rows and, by brute force, the promise that every
// combination of column values lies within the table's radius of some row.

#include <QByteArray>
#include <QFile>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TableShape {
    int id;
    int twoSign;     // V/O columns, first
    int threeSign;   // 1/X/2 columns, after them
    int rows;
    int trailingZeros;
    int radius;
    std::vector<std::string> firstRows;
    std::string lastRow;

    int width() const { return twoSign + threeSign; }
    int bytes() const { return rows * width() + trailingZeros; }
};

const std::vector<TableShape>& tableShapes()
{
    static const std::vector<TableShape> shapes = {
        {60, 7, 3, 60, 0, 2, {"VVVVVVO1X2", "VVVVVVOX21", "VVVVVVO21X"}, "VOOVVOV111"},
        {81, 0, 8, 81, 0, 2, {"11111111", "111XX2XX", "11122X22"}, "22222111"},
        {222, 0, 9, 222, 2, 2, {"1X2112XX2", "1X2121X2X", "1X22112XX"}, "2X2222222"},
        {432, 8, 3, 432, 0, 2, {"VVVVVVVV111", "VVVVOOOO111", "VVOOVVOO111"}, "OOOVOVVV2XX"},
        {729, 0, 10, 729, 2, 2, {"1111111111", "11111XXXXX", "1111122222"}, "2222222XX2"},
        {1296, 8, 4, 1296, 0, 1, {"VVVVVVVV1111", "VVVVOOOO1111", "VVOOVVOO1111"}, "OOOVOVVV2212"},
    };
    return shapes;
}

const TableShape& shapeOf(int id)
{
    for (const TableShape& s : tableShapes())
        if (s.id == id)
            return s;
    static TableShape none{};
    return none;
}

QByteArray readTable(int id)
{
    QFile file(QStringLiteral(":/RK_HAR/%1").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Value of a table character in its column, or -1 if the column cannot hold it.
int columnValue(const TableShape& s, int column, char c)
{
    const std::string alphabet = column < s.twoSign ? "VO" : "1X2";
    const auto pos = alphabet.find(c);
    return pos == std::string::npos ? -1 : int(pos);
}

int radixOf(const TableShape& s, int column)
{
    return column < s.twoSign ? 2 : 3;
}

// Mixed-radix index of a row of values, first column most significant.
long indexOf(const TableShape& s, const std::vector<int>& values)
{
    long index = 0;
    for (int c = 0; c < s.width(); ++c)
        index = index * radixOf(s, c) + values[c];
    return index;
}

long combinationCount(const TableShape& s)
{
    long n = 1;
    for (int c = 0; c < s.width(); ++c)
        n *= radixOf(s, c);
    return n;
}

// Marks every combination within `left` changed columns (from column `from`
// on) of `values`.
void markBall(const TableShape& s, std::vector<int>& values, int from, int left, std::vector<char>& covered)
{
    covered[indexOf(s, values)] = 1;
    if (left == 0)
        return;
    for (int c = from; c < s.width(); ++c) {
        const int keep = values[c];
        for (int v = 0; v < radixOf(s, c); ++v) {
            if (v == keep)
                continue;
            values[c] = v;
            markBall(s, values, c + 1, left - 1, covered);
        }
        values[c] = keep;
    }
}

std::vector<std::string> rowsOf(const TableShape& s, const QByteArray& bytes)
{
    std::vector<std::string> rows;
    for (int r = 0; r < s.rows && (r + 1) * s.width() <= bytes.size(); ++r)
        rows.emplace_back(bytes.constData() + r * s.width(), s.width());
    return rows;
}

class HaravaTable : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        shape = shapeOf(GetParam());
        bytes = readTable(GetParam());
        ASSERT_FALSE(bytes.isEmpty()) << "resource :/RK_HAR/" << GetParam() << " is missing";
        ASSERT_EQ(bytes.size(), shape.bytes());
        rows = rowsOf(shape, bytes);
    }

    TableShape shape;
    QByteArray bytes;
    std::vector<std::string> rows;
};

TEST_P(HaravaTable, EndsWithTheTrailingZeroBytesOnlyWhereRequired)
{
    const qsizetype body = qsizetype(shape.rows) * shape.width();
    for (qsizetype i = body; i < bytes.size(); ++i)
        EXPECT_EQ(bytes.at(i), '\0') << "byte " << i;
    for (qsizetype i = 0; i < body; ++i)
        ASSERT_NE(bytes.at(i), '\0') << "zero byte inside the rows at " << i;
}

TEST_P(HaravaTable, EveryColumnHoldsOnlyItsOwnSigns)
{
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < shape.width(); ++c)
            ASSERT_GE(columnValue(shape, c, rows[r][c]), 0)
                << "row " << r << " column " << c << ": " << rows[r];
}

TEST_P(HaravaTable, StartsAndEndsWithTheExampleRows)
{
    ASSERT_EQ(int(rows.size()), shape.rows);
    for (size_t i = 0; i < shape.firstRows.size(); ++i)
        EXPECT_EQ(rows[i], shape.firstRows[i]) << "row " << i;
    EXPECT_EQ(rows.back(), shape.lastRow);
}

TEST_P(HaravaTable, HasNoRepeatedRow)
{
    QSet<QByteArray> seen;
    for (const std::string& row : rows) {
        const QByteArray key(row.data(), qsizetype(row.size()));
        EXPECT_FALSE(seen.contains(key)) << "repeated row " << row;
        seen.insert(key);
    }
}

TEST_P(HaravaTable, CoversEveryCombinationWithinItsRadius)
{
    std::vector<char> covered(combinationCount(shape), 0);
    for (const std::string& row : rows) {
        std::vector<int> values(shape.width());
        for (int c = 0; c < shape.width(); ++c) {
            values[c] = columnValue(shape, c, row[c]);
            ASSERT_GE(values[c], 0) << row;
        }
        markBall(shape, values, 0, shape.radius, covered);
    }
    long missing = 0;
    long firstMissing = -1;
    for (long i = 0; i < long(covered.size()); ++i)
        if (!covered[i]) {
            ++missing;
            if (firstMissing < 0)
                firstMissing = i;
        }
    EXPECT_EQ(missing, 0) << "first uncovered combination has index " << firstMissing;
}

INSTANTIATE_TEST_SUITE_P(AllSystems, HaravaTable, ::testing::Values(60, 81, 222, 432, 729, 1296),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "RK_HAR_" + std::to_string(info.param);
                         });

} // namespace
