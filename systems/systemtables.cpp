#include "systems/systemtables.h"

#include "base/rowfile.h"
#include "rows/harava.h"
#include "systems/coveringcheck.h"
#include "systems/frametext.h"
#include "systems/guaranteeanalysis.h"

#include <QDir>
#include <QFileInfo>

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
    if (!read.ok)
        return {};
    const std::vector<SignRow> rows = signRowsOf(read.contents.rows);
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

} // namespace

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

OfferedTable offeredTable(const QString& programDir, const Frame& frame, int guarantee)
{
    OfferedTable kept = keptTable(programDir, frame, guarantee);
    OfferedTable carried = carriedTable(frame, guarantee);
    if (carried.rows.empty() || (!kept.rows.empty() && kept.rows.size() <= carried.rows.size()))
        return kept;
    return carried;
}

QString keptTablePath(const QString& programDir, const TableShape& shape)
{
    return QDir(programDir)
        .filePath(
            QStringLiteral("haravat/O%1-T%2-takuu%3.1X2").arg(shape.twoSign).arg(shape.threeSign).arg(shape.guarantee));
}

WriteStatus keepTable(const QString& programDir, const Frame& frame, int guarantee, const std::vector<SignRow>& rows)
{
    if (programDir.isEmpty() || rows.empty() || rows.size() > std::size_t(kMaxRows))
        return WriteStatus::Ok;
    const TableShape shape = tableShape(frame, guarantee);
    const QString path = keptTablePath(programDir, shape);
    const std::vector<SignRow> kept = readKeptRows(path, shape);
    if (!kept.empty() && kept.size() <= rows.size())
        return WriteStatus::Ok;
    const std::vector<SignRow> standard = rowsInStandardFrame(rows, frame);
    if (!tableKeepsGuarantee(standard, standardFrame(shape), guarantee))
        return WriteStatus::Failed;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return WriteStatus::Failed;
    const RowBuffer out = rowsOfSigns(standard);
    // Another copy of the program may have kept a smaller table meanwhile: it stays.
    bool smallerKept = false;
    const WriteStatus status = changeFile(path, kMaxRowFileBytes, [&](QByteArray& bytes, bool exists) {
        const std::vector<SignRow> now =
            exists ? keptRowsOf(parseRowFile(bytes, RowReader::Checking), shape) : std::vector<SignRow>{};
        if (!now.empty() && now.size() <= rows.size()) {
            smallerKept = true;
            return WriteStatus::Exists;
        }
        bytes = rowsFileBytes(out, int(out.size()));
        return WriteStatus::Ok;
    });
    return smallerKept ? WriteStatus::Ok : status;
}
