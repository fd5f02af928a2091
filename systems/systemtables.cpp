#include "systems/systemtables.h"

#include "base/rowfile.h"
#include "rows/harava.h"
#include "systems/coveringcheck.h"
#include "systems/coveringspace.h"
#include "systems/frametext.h"
#include "systems/guaranteeanalysis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <mutex>

namespace {

// A carried table's rows in its shape's standard frame: "V" and "O" stand for
// a two-sign match's first and second sign.
std::vector<SignRow> standardRowsOf(const HaravaSystem& system)
{
    const QByteArray table = haravaTable(system);
    std::vector<SignRow> rows;
    if (table.isEmpty())
        return rows;
    for (int r = 0; r < system.rows; ++r) {
        SignRow row{};
        const char* bytes = table.constData() + qsizetype(r) * system.columns;
        for (int c = 0; c < system.columns; ++c) {
            const char b = bytes[c];
            row[std::size_t(c)] = std::uint8_t(b == 'V' ? 0 : b == 'O' ? 1 : std::max(signIndex(b), 0));
        }
        rows.push_back(row);
    }
    return rows;
}

struct CarriedTable {
    const HaravaSystem* system = nullptr;
    TableShape shape;
    std::vector<SignRow> standardRows;
};

// The carried tables with the guarantee each keeps, worked out once from the
// tables themselves.
const std::vector<CarriedTable>& carriedTables()
{
    static const std::vector<CarriedTable> tables = [] {
        std::vector<CarriedTable> all;
        for (const HaravaSystem& system : haravaSystems()) {
            CarriedTable table;
            table.system = &system;
            table.standardRows = standardRowsOf(system);
            table.shape = {system.twoSign, system.threeSign, 0};
            AnalysisControl control;
            control.threads = 1;
            const auto analysis = analyseGuarantee(table.standardRows, standardFrame(table.shape), control);
            if (!analysis)
                continue;
            table.shape.guarantee = analysis->plain.guarantee;
            all.push_back(std::move(table));
        }
        return all;
    }();
    return tables;
}

// Whatever a kept file holds is checked before anyone plays it.
std::vector<SignRow> keptRowsOf(const RowFileReadResult& read, const TableShape& shape)
{
    if (!read.ok())
        return {};
    const std::vector<SignRow> rows = signRowsOf(read->rows);
    if (rows.empty() || !tableKeepsGuarantee(rows, standardFrame(shape), shape.guarantee))
        return {};
    return rows;
}

std::vector<SignRow> readKeptRows(const QString& path, const TableShape& shape)
{
    if (!QFileInfo::exists(path))
        return {};
    return keptRowsOf(readRowFile(path, RowReader::Checking), shape);
}

// The radix of each column of a shape's standard rows, match 1 first.
std::vector<std::uint32_t> columnRadixes(const TableShape& shape)
{
    std::vector<std::uint32_t> radixes(std::size_t(shape.twoSign), 2);
    radixes.resize(std::size_t(shape.twoSign + shape.threeSign), 3);
    return radixes;
}

std::uint32_t littleEndian(const char* bytes, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | std::uint8_t(bytes[i]);
    return value;
}

void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += char((value >> (8 * i)) & 0xff);
}

constexpr char kShippedMagic[] = "RKT1";
constexpr int kShippedHeaderBytes = 10;

const std::vector<ShippedTable>& shippedTables()
{
    static const std::vector<ShippedTable> tables = [] {
        QFile file(QString::fromLatin1(kShippedTablesResource));
        return file.open(QIODevice::ReadOnly) ? parseShippedTables(file.readAll()) : std::vector<ShippedTable>{};
    }();
    return tables;
}

} // namespace

std::vector<ShippedTable> parseShippedTables(const QByteArray& bytes)
{
    std::vector<ShippedTable> tables;
    if (!bytes.startsWith(kShippedMagic))
        return tables;
    qsizetype at = 4;
    while (at + kShippedHeaderBytes <= bytes.size()) {
        const char* header = bytes.constData() + at;
        ShippedTable table;
        table.shape = {std::uint8_t(header[0]), std::uint8_t(header[1]), std::uint8_t(header[2])};
        table.secondsSearched = littleEndian(header + 4, 4);
        const int rows = int(littleEndian(header + 8, 2));
        at += kShippedHeaderBytes;
        if (at + 2 * qsizetype(rows) > bytes.size())
            break;
        const std::vector<std::uint32_t> radixes = columnRadixes(table.shape);
        std::uint64_t outcomes = 1;
        for (std::uint32_t radix : radixes)
            outcomes *= radix;
        const bool shapeValid = table.shape.twoSign + table.shape.threeSign <= kMostShippedMatches &&
                                table.shape.guarantee >= 10 && table.shape.guarantee <= kFrameMatches &&
                                header[3] == 0 && rows > 0;
        bool valid = shapeValid;
        std::int64_t previous = -1;
        for (int r = 0; r < rows && valid; ++r) {
            std::uint32_t code = littleEndian(bytes.constData() + at + 2 * r, 2);
            valid = code < outcomes && std::int64_t(code) > previous;
            previous = code;
            SignRow row{};
            for (std::size_t c = radixes.size(); c-- > 0;) {
                row[c] = std::uint8_t(code % radixes[c]);
                code /= radixes[c];
            }
            table.standardRows.push_back(row);
        }
        at += 2 * qsizetype(rows);
        if (valid)
            tables.push_back(std::move(table));
    }
    return tables;
}

QByteArray shippedTablesBytes(const std::vector<ShippedTable>& tables)
{
    QByteArray bytes(kShippedMagic);
    for (const ShippedTable& table : tables) {
        bytes += char(table.shape.twoSign);
        bytes += char(table.shape.threeSign);
        bytes += char(table.shape.guarantee);
        bytes += char(0);
        appendLittleEndian(bytes, table.secondsSearched, 4);
        appendLittleEndian(bytes, std::uint32_t(table.standardRows.size()), 2);
        const std::vector<std::uint32_t> radixes = columnRadixes(table.shape);
        std::vector<std::uint32_t> codes;
        for (const SignRow& row : table.standardRows) {
            std::uint32_t code = 0;
            for (std::size_t c = 0; c < radixes.size(); ++c)
                code = code * radixes[c] + row[c];
            codes.push_back(code);
        }
        std::sort(codes.begin(), codes.end());
        for (std::uint32_t code : codes)
            appendLittleEndian(bytes, code, 2);
    }
    return bytes;
}

OfferedTable shippedTable(const Frame& frame, int guarantee)
{
    const TableShape wanted = tableShape(frame, guarantee);
    const ShippedTable* best = nullptr;
    for (const ShippedTable& table : shippedTables())
        if (table.shape.twoSign == wanted.twoSign && table.shape.threeSign == wanted.threeSign &&
            table.shape.guarantee >= guarantee && (!best || table.standardRows.size() < best->standardRows.size()))
            best = &table;
    OfferedTable offer;
    // What the program carries is checked like what it found, before anyone plays it.
    if (best && tableKeepsGuarantee(best->standardRows, standardFrame(best->shape), best->shape.guarantee)) {
        offer.rows = rowsInFrame(best->standardRows, frame);
        offer.shipped = true;
    }
    return offer;
}

TableShape tableShape(const Frame& frame, int guarantee)
{
    TableShape shape;
    shape.guarantee = guarantee;
    for (int m = 0; m < kFrameMatches; ++m) {
        shape.twoSign += playedCount(frame, m) == 2;
        shape.threeSign += playedCount(frame, m) == 3;
    }
    return shape;
}

Frame standardFrame(const TableShape& shape)
{
    Frame frame;
    for (int m = 0; m < kFrameMatches; ++m)
        frame.played[m] = m < shape.twoSign ? 0b011 : m < shape.twoSign + shape.threeSign ? 0b111 : 0b001;
    return frame;
}

std::vector<SignRow> rowsInFrame(const std::vector<SignRow>& standardRows, const Frame& frame)
{
    std::array<std::vector<std::uint8_t>, kFrameMatches> signs;
    std::vector<int> twoSign, threeSign;
    for (int m = 0; m < kFrameMatches; ++m) {
        signs[m] = playedSigns(frame, m);
        if (signs[m].size() == 2)
            twoSign.push_back(m);
        else if (signs[m].size() == 3)
            threeSign.push_back(m);
    }
    std::vector<SignRow> rows;
    rows.reserve(standardRows.size());
    for (const SignRow& standard : standardRows) {
        SignRow row{};
        for (int m = 0; m < kFrameMatches; ++m)
            row[m] = signs[m].empty() ? 0 : signs[m][0];
        for (std::size_t j = 0; j < twoSign.size(); ++j)
            row[twoSign[j]] = signs[twoSign[j]][standard[j] & 1];
        for (std::size_t j = 0; j < threeSign.size(); ++j)
            row[threeSign[j]] = std::min<std::uint8_t>(standard[twoSign.size() + j], 2);
        rows.push_back(row);
    }
    return rows;
}

std::vector<SignRow> rowsInStandardFrame(const std::vector<SignRow>& rows, const Frame& frame)
{
    std::array<std::vector<std::uint8_t>, kFrameMatches> signs;
    for (int m = 0; m < kFrameMatches; ++m)
        signs[m] = playedSigns(frame, m);
    const std::size_t twoSignCount = std::size_t(tableShape(frame, 0).twoSign);
    std::vector<SignRow> standard;
    standard.reserve(rows.size());
    for (const SignRow& row : rows) {
        SignRow out{};
        std::size_t two = 0, three = 0;
        for (int m = 0; m < kFrameMatches; ++m) {
            if (signs[m].size() == 2)
                out[two++] = row[m] == signs[m][1] ? 1 : 0;
            else if (signs[m].size() == 3)
                out[twoSignCount + three++] = row[m];
        }
        standard.push_back(out);
    }
    return standard;
}

OfferedTable carriedTable(const Frame& frame, int guarantee)
{
    const TableShape wanted = tableShape(frame, guarantee);
    OfferedTable offer;
    for (const CarriedTable& table : carriedTables()) {
        if (table.shape.twoSign != wanted.twoSign || table.shape.threeSign != wanted.threeSign ||
            table.shape.guarantee < guarantee)
            continue;
        if (offer.rows.empty() || table.standardRows.size() < offer.rows.size()) {
            offer.rows = rowsInFrame(table.standardRows, frame);
            offer.source = QLatin1String(table.system->name);
        }
    }
    return offer;
}

OfferedTable keptTable(const QString& programDir, const Frame& frame, int guarantee)
{
    OfferedTable offer;
    if (programDir.isEmpty())
        return offer;
    for (int g = guarantee; g <= kFrameMatches; ++g) {
        TableShape shape = tableShape(frame, g);
        const std::vector<SignRow> rows = readKeptRows(keptTablePath(programDir, shape), shape);
        if (!rows.empty() && (offer.rows.empty() || rows.size() < offer.rows.size()))
            offer.rows = rowsInFrame(rows, frame);
    }
    return offer;
}

namespace {

// A part of a direct sum: so many two- and three-sign matches within so many wrong.
struct SumPart {
    int twoSign = 0;
    int threeSign = 0;
    int wrong = 0;
};

// The standard rows of a part: every outcome when nothing may be wrong, one
// row when every match may be, else the smallest shipped table.
const std::vector<SignRow>* partRows(const SumPart& part)
{
    static std::map<std::array<int, 3>, std::vector<SignRow>> made;
    static std::mutex guard;
    const std::lock_guard<std::mutex> lock(guard);
    const std::array<int, 3> key{part.twoSign, part.threeSign, part.wrong};
    if (auto found = made.find(key); found != made.end())
        return &found->second;
    const int guarded = part.twoSign + part.threeSign;
    std::vector<SignRow> rows;
    if (part.wrong >= guarded) {
        rows.push_back(SignRow{});
    } else if (part.wrong == 0) {
        forEachOutcomeInOrder(standardFrame({part.twoSign, part.threeSign, kFrameMatches}), [&](const SignRow& row) {
            rows.push_back(row);
            return true;
        });
    } else {
        const ShippedTable* best = nullptr;
        for (const ShippedTable& table : shippedTables())
            if (table.shape.twoSign == part.twoSign && table.shape.threeSign == part.threeSign &&
                table.shape.guarantee >= kFrameMatches - part.wrong &&
                (!best || table.standardRows.size() < best->standardRows.size()))
                best = &table;
        if (!best)
            return nullptr;
        rows = best->standardRows;
    }
    return &made.emplace(key, std::move(rows)).first->second;
}

std::size_t partSize(const SumPart& part)
{
    const std::vector<SignRow>* rows = partRows(part);
    return rows ? rows->size() : SIZE_MAX;
}

// The smallest direct sum of two or three parts for a shape: a row of each
// part side by side is within the sum of the parts' wrong of every outcome,
// so the parts' tables multiply into a table of the whole shape.
std::vector<SumPart> bestDirectSum(const TableShape& shape)
{
    const int wrong = kFrameMatches - shape.guarantee;
    std::vector<SumPart> best;
    std::size_t bestSize = SIZE_MAX;
    const auto consider = [&](const std::vector<SumPart>& parts) {
        std::size_t size = 1;
        for (const SumPart& part : parts) {
            const std::size_t s = partSize(part);
            if (s == SIZE_MAX || s == 0 || size > std::size_t(kMaxRows) / s)
                return;
            size *= s;
        }
        if (size < bestSize) {
            bestSize = size;
            best = parts;
        }
    };
    const auto fits = [](int h, int f) { return h + f >= 1 && h + f <= kMostShippedMatches; };
    for (int h1 = 0; h1 <= shape.twoSign; ++h1)
        for (int f1 = 0; f1 <= shape.threeSign; ++f1)
            for (int w1 = 0; w1 <= wrong; ++w1) {
                const int h2 = shape.twoSign - h1, f2 = shape.threeSign - f1;
                if (!fits(h1, f1))
                    continue;
                if (fits(h2, f2))
                    consider({{h1, f1, w1}, {h2, f2, wrong - w1}});
                // A third part out of the second.
                for (int ha = 0; ha <= h2; ++ha)
                    for (int fa = 0; fa <= f2; ++fa)
                        for (int wa = 0; wa <= wrong - w1; ++wa)
                            if (fits(ha, fa) && fits(h2 - ha, f2 - fa) && (h1 < ha || (h1 == ha && f1 <= fa)))
                                consider({{h1, f1, w1}, {ha, fa, wa}, {h2 - ha, f2 - fa, wrong - w1 - wa}});
            }
    return best;
}

// Two part tables glued on a shared match: each row of the first joined
// with each row of the second that plays the same sign there (the second's
// signs renamed), the shared match written once. Where the parts' tables are
// even over the shared match this is a half or a third of their direct sum
// of one match more; it misses a small part of the outcomes by one match too
// many, which a search covers with a few rows more.
struct Glue {
    SumPart first, second; // each counts the shared match
    bool threeSignShared = true;
    int firstColumn = 0, secondColumn = 0; // in the parts' standard rows
    std::array<std::uint8_t, 3> rename{0, 1, 2};
    std::size_t size = SIZE_MAX;
};

// The columns of a part of one kind, in its standard rows.
std::vector<int> columnsOfKind(const SumPart& part, bool threeSign)
{
    std::vector<int> columns;
    for (int c = threeSign ? part.twoSign : 0; c < (threeSign ? part.twoSign + part.threeSign : part.twoSign); ++c)
        columns.push_back(c);
    return columns;
}

// The sharing of one split with the fewest rows: every column pair and renaming.
void chooseSharing(Glue& glue)
{
    const std::vector<SignRow>& first = *partRows(glue.first);
    const std::vector<SignRow>& second = *partRows(glue.second);
    const int signs = glue.threeSignShared ? 3 : 2;
    for (int a : columnsOfKind(glue.first, glue.threeSignShared))
        for (int b : columnsOfKind(glue.second, glue.threeSignShared)) {
            std::array<std::size_t, 3> firstCount{}, secondCount{};
            for (const SignRow& row : first)
                ++firstCount[std::min<std::size_t>(row[std::size_t(a)], 2)];
            for (const SignRow& row : second)
                ++secondCount[std::min<std::size_t>(row[std::size_t(b)], 2)];
            std::array<std::uint8_t, 3> rename{0, 1, 2};
            do {
                if (signs == 2 && rename[2] != 2)
                    continue;
                std::size_t size = 0;
                for (int s = 0; s < signs; ++s)
                    size += secondCount[std::size_t(s)] * firstCount[rename[std::size_t(s)]];
                if (size < glue.size) {
                    glue.size = size;
                    glue.firstColumn = a;
                    glue.secondColumn = b;
                    glue.rename = rename;
                }
            } while (std::next_permutation(rename.begin(), rename.end()));
        }
}

// Rows of the shape's standard frame: the first part's two-sign columns,
// then the second's; the same for the three-sign columns.
std::vector<SignRow> gluedRows(const Glue& glue, const TableShape& shape)
{
    std::vector<SignRow> rows;
    for (const SignRow& a : *partRows(glue.first))
        for (const SignRow& b : *partRows(glue.second)) {
            if (glue.rename[std::min<std::size_t>(b[std::size_t(glue.secondColumn)], 2)] !=
                a[std::size_t(glue.firstColumn)])
                continue;
            SignRow row{};
            int two = 0, three = shape.twoSign;
            const auto place = [&](const SignRow& piece, const SumPart& part, int skip) {
                for (int c = 0; c < part.twoSign + part.threeSign; ++c)
                    if (c != skip)
                        row[std::size_t(c < part.twoSign ? two++ : three++)] = piece[std::size_t(c)];
            };
            place(a, glue.first, -1);
            place(b, glue.second, glue.secondColumn);
            rows.push_back(row);
        }
    return rows;
}

} // namespace

std::vector<std::vector<SignRow>> gluedTables(const Frame& frame, int guarantee, std::size_t most)
{
    const TableShape shape = tableShape(frame, guarantee);
    const int wrong = kFrameMatches - shape.guarantee;
    std::vector<Glue> glues;
    for (bool three : {true, false}) {
        const int twoSign = shape.twoSign + (three ? 0 : 1), threeSign = shape.threeSign + (three ? 1 : 0);
        for (int h1 = 0; h1 <= twoSign; ++h1)
            for (int f1 = 0; f1 <= threeSign; ++f1)
                for (int w1 = 1; w1 < wrong; ++w1) {
                    Glue glue;
                    glue.threeSignShared = three;
                    glue.first = {h1, f1, w1};
                    glue.second = {twoSign - h1, threeSign - f1, wrong - w1};
                    const auto usable = [&](const SumPart& part) {
                        const int guarded = part.twoSign + part.threeSign;
                        return (three ? part.threeSign : part.twoSign) >= 1 && guarded <= kMostShippedMatches &&
                               part.wrong < guarded && partRows(part);
                    };
                    if (!usable(glue.first) || !usable(glue.second))
                        continue;
                    chooseSharing(glue);
                    if (glue.size <= std::size_t(kMaxRows))
                        glues.push_back(glue);
                }
    }
    std::stable_sort(glues.begin(), glues.end(), [](const Glue& a, const Glue& b) { return a.size < b.size; });
    std::vector<std::vector<SignRow>> tables;
    for (std::size_t k = 0; k < glues.size() && k < most; ++k)
        tables.push_back(rowsInFrame(gluedRows(glues[k], shape), frame));
    return tables;
}

OfferedTable directSumTable(const Frame& frame, int guarantee)
{
    const TableShape shape = tableShape(frame, guarantee);
    OfferedTable offer;
    const std::vector<SumPart> parts = bestDirectSum(shape);
    if (parts.empty())
        return offer;
    // Rows of the standard frame: the parts' two-sign columns in turn, then
    // their three-sign columns in turn.
    std::vector<SignRow> rows{SignRow{}};
    int twoDone = 0, threeDone = 0;
    for (const SumPart& part : parts) {
        std::vector<SignRow> next;
        for (const SignRow& row : rows)
            for (const SignRow& piece : *partRows(part)) {
                SignRow joined = row;
                for (int c = 0; c < part.twoSign; ++c)
                    joined[std::size_t(twoDone + c)] = piece[std::size_t(c)];
                for (int c = 0; c < part.threeSign; ++c)
                    joined[std::size_t(shape.twoSign + threeDone + c)] = piece[std::size_t(part.twoSign + c)];
                next.push_back(joined);
            }
        rows = std::move(next);
        twoDone += part.twoSign;
        threeDone += part.threeSign;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // The check marks every row's ball and then walks the outcomes; a window
    // asks for this as the frame is marked, so only what is checked in a
    // blink is offered.
    constexpr std::uint64_t kMostCheckedPoints = 50'000'000;
    const Frame standard = standardFrame(shape);
    if (outcomeCount(standard) + rows.size() * ballSize(coveringSpace(standard, guarantee)) > kMostCheckedPoints ||
        !tableKeepsGuarantee(rows, standard, guarantee))
        return offer;
    offer.rows = rowsInFrame(rows, frame);
    offer.shipped = true;
    return offer;
}

OfferedTable offeredTable(const QString& programDir, const Frame& frame, int guarantee)
{
    OfferedTable best;
    for (OfferedTable offer : {keptTable(programDir, frame, guarantee), carriedTable(frame, guarantee),
                               shippedTable(frame, guarantee), directSumTable(frame, guarantee)})
        if (!offer.rows.empty() && (best.rows.empty() || offer.rows.size() < best.rows.size()))
            best = std::move(offer);
    return best;
}

QString keptTablePath(const QString& programDir, const TableShape& shape)
{
    return QDir(programDir)
        .filePath(
            QStringLiteral("haravat/O%1-T%2-takuu%3.1X2").arg(shape.twoSign).arg(shape.threeSign).arg(shape.guarantee));
}

Outcome<> keepTable(const QString& programDir, const Frame& frame, int guarantee, const std::vector<SignRow>& rows)
{
    if (programDir.isEmpty() || rows.empty() || rows.size() > std::size_t(kMaxRows))
        return {};
    const TableShape shape = tableShape(frame, guarantee);
    const QString path = keptTablePath(programDir, shape);
    const std::vector<SignRow> kept = readKeptRows(path, shape);
    if (!kept.empty() && kept.size() <= rows.size())
        return {};
    const std::vector<SignRow> standard = rowsInStandardFrame(rows, frame);
    if (!tableKeepsGuarantee(standard, standardFrame(shape), guarantee))
        return fileFailure(Cause::Failed);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fileFailure(Cause::Failed);
    const RowBuffer out = rowsOfSigns(standard);
    // Another copy of the program may have kept a smaller table meanwhile: it stays.
    bool smallerKept = false;
    Outcome<> status = changeFile(path, kMaxRowFileBytes, [&](QByteArray& bytes, bool exists) -> Outcome<> {
        const std::vector<SignRow> now =
            exists ? keptRowsOf(parseRowFile(bytes, RowReader::Checking), shape) : std::vector<SignRow>{};
        if (!now.empty() && now.size() <= rows.size()) {
            smallerKept = true;
            return fileFailure(Cause::Exists);
        }
        bytes = rowsFileBytes(out, int(out.size()));
        return {};
    });
    return smallerKept ? Outcome<>() : status;
}
