// Searches the tables the program ships: for every frame shape of at most nine
// guarded matches, at guarantees 12, 11 and 10, the smallest table a search of
// SECONDS finds, each checked independently before it is kept.
//
//   shipped_tables FILE SECONDS [SEED [SHAPE]]
//
// SHAPE, as "O0-T9-G12", limits the run to one shape (zero two-sign and nine
// three-sign matches at 12 right), for the long runs a hard shape needs.
//
// FILE is read first and written again after every shape, so a run that is
// stopped resumes where it stopped, and a later run with more SECONDS goes on
// searching from the tables found (a table is only ever replaced by a smaller
// one). The program carries the file as data/systems/taulukot.bin.

#include "base/safewrite.h"
#include "systems/coveringcheck.h"
#include "systems/coveringsearch.h"
#include "systems/systemtables.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: shipped_tables FILE SECONDS [SEED [SHAPE]]\n";
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const double seconds = std::stod(argv[2]);
    const std::uint64_t seed = argc > 3 ? std::stoull(argv[3]) : 1;
    const std::string onlyShape = argc > 4 ? argv[4] : "";

    std::vector<ShippedTable> tables;
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        tables = parseShippedTables(file.readAll());
    for (int guarded = 1; guarded <= kMostShippedMatches; ++guarded) {
        for (int threeSign = guarded; threeSign >= 0; --threeSign) {
            for (int guarantee = 12; guarantee >= 10; --guarantee) {
                // One row keeps the guarantee when the misses it allows cover every guarded match.
                if (kFrameMatches - guarantee >= guarded)
                    continue;
                const TableShape shape{guarded - threeSign, threeSign, guarantee};
                if (!onlyShape.empty() && onlyShape != "O" + std::to_string(shape.twoSign) + "-T" +
                                                           std::to_string(shape.threeSign) + "-G" +
                                                           std::to_string(guarantee))
                    continue;
                auto found =
                    std::find_if(tables.begin(), tables.end(), [&](const ShippedTable& t) { return t.shape == shape; });
                if (found == tables.end()) {
                    tables.push_back({shape, 0, {}});
                    found = tables.end() - 1;
                }
                if (found->secondsSearched >= seconds)
                    continue;
                CoveringRequest request;
                request.frame = standardFrame(shape);
                request.guarantee = guarantee;
                request.seed = seed + found->secondsSearched;
                request.seconds = seconds - found->secondsSearched;
                // The smallest of what was found before, what the program
                // carries and a direct sum of the tables it ships.
                for (const std::vector<SignRow>& start :
                     {carriedTable(request.frame, guarantee).rows, directSumTable(request.frame, guarantee).rows,
                      found->standardRows})
                    if (!start.empty() &&
                        (request.startingTable.empty() || start.size() < request.startingTable.size()))
                        request.startingTable = start;
                request.partialTables = gluedTables(request.frame, guarantee, kGluedTablesTried);
                const auto started = std::chrono::steady_clock::now();
                const CoveringResult result = searchCovering(request);
                const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
                const bool better = result.status == CoveringStatus::Found &&
                                    tableKeepsGuarantee(result.rows, request.frame, guarantee) &&
                                    (found->standardRows.empty() || result.rows.size() < found->standardRows.size());
                if (better)
                    found->standardRows = result.rows;
                // A search that ended before its time found all it could with this budget.
                found->secondsSearched = result.outOfTime
                                             ? found->secondsSearched + std::uint32_t(spent + 0.5)
                                             : std::max(found->secondsSearched + std::uint32_t(spent + 0.5),
                                                        std::uint32_t(std::ceil(seconds)));
                std::cout << "O" << shape.twoSign << " T" << shape.threeSign << " G" << guarantee << ": "
                          << found->standardRows.size() << " rows (bound " << result.lowerBound << ", " << result.method
                          << ")" << std::endl;
                std::vector<ShippedTable> kept;
                for (const ShippedTable& table : tables)
                    if (!table.standardRows.empty())
                        kept.push_back(table);
                if (!replaceFile(path, shippedTablesBytes(kept)).ok()) {
                    std::cerr << "cannot write " << argv[1] << "\n";
                    return 1;
                }
            }
        }
    }
    return 0;
}
