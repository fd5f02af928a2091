// Measures the covering search against the best sizes known. Not part of the
// tests: it runs for minutes.
//
//   covering_quality list                      the cases
//   covering_quality run CASE SECONDS SEED [MOVES]
//   covering_quality table SECONDS SEED        every case in turn
//   covering_quality moves MOVES SEED          every case with a move budget only (repeatable)
//   covering_quality fresh SECONDS SEED        the carried shapes, not starting from the carried tables
//   covering_quality large SECONDS SEED        large frames: each ends in its budget, soundly, or is refused
//   covering_quality mixed G SECONDS SEED N    N random mixed frames of 30,000-70,000 outcomes against a plain greedy

#include "systems/coveringcheck.h"
#include "systems/coveringsearch.h"
#include "systems/frametext.h"
#include "systems/systemtables.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <queue>
#include <random>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct QualityCase {
    std::string name;
    std::string frame;
    int guarantee;
    int bestKnown;
    int carriedTable; // 0: none
};

std::string threeSign(int matches)
{
    std::string text;
    for (int m = 0; m < 13; ++m)
        text += std::string(m ? "," : "") + (m < matches ? "1X2" : "1");
    return text;
}

// Two-sign matches first, as the carried tables lay out their columns.
std::string mixed(int twoSign, int threeSign)
{
    std::string text;
    for (int m = 0; m < 13; ++m)
        text += std::string(m ? "," : "") + (m < twoSign ? "1X" : m < twoSign + threeSign ? "1X2" : "1");
    return text;
}

const std::vector<QualityCase>& cases()
{
    static const std::vector<QualityCase> all = {
        {"3^4 G12", threeSign(4), 12, 9, 0},   {"3^5 G12", threeSign(5), 12, 27, 0},
        {"3^6 G12", threeSign(6), 12, 73, 0},  {"3^7 G12", threeSign(7), 12, 186, 0},
        {"3^8 G12", threeSign(8), 12, 486, 0}, {"3^9 G12", threeSign(9), 12, 1269, 0},
        {"3^9 G11", threeSign(9), 11, 219, 0}, {"3^11 G11", threeSign(11), 11, 729, 0},
        {"A60", mixed(7, 3), 11, 0, 60},       {"B81", mixed(0, 8), 11, 0, 81},
        {"C222", mixed(0, 9), 11, 219, 222},   {"D432", mixed(8, 3), 11, 0, 432},
        {"E729", mixed(0, 10), 11, 0, 729},    {"F1296", mixed(8, 4), 12, 0, 1296},
    };
    return all;
}

Frame frameOf(const std::string& text)
{
    QString error;
    return parseFrame(QString::fromStdString(text), error).value_or(Frame{});
}

int runCase(const QualityCase& c, double seconds, std::uint64_t seed, std::uint64_t moves, bool fromCarried)
{
    CoveringRequest request;
    request.frame = frameOf(c.frame);
    request.guarantee = c.guarantee;
    request.seconds = seconds;
    request.seed = seed;
    request.moves = moves;
    if (c.carriedTable && fromCarried)
        request.startingTable = carriedTable(request.frame, c.guarantee).rows;
    const auto start = std::chrono::steady_clock::now();
    const CoveringResult result = searchCovering(request);
    const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool ok =
        result.status == CoveringStatus::Found && tableKeepsGuarantee(result.rows, request.frame, request.guarantee);
    const int reference = c.bestKnown ? c.bestKnown : c.carriedTable;
    std::printf("%-9s rows %6zu  best known %5d  carried %5d  bound %5llu  %+6.1f%%  %s  %.1fs  moves %llu  (%s)\n",
                c.name.c_str(), result.rows.size(), c.bestKnown, c.carriedTable, (unsigned long long)result.lowerBound,
                100.0 * (double(result.rows.size()) / reference - 1), ok ? "checked" : "CHECK FAILED", spent,
                (unsigned long long)result.movesMade, result.method.c_str());
    std::fflush(stdout);
    return ok ? 0 : 1;
}

// Large frames: each ends within its budget with a sound table or a clear refusal.
int runLargeFrames(double seconds, std::uint64_t seed)
{
    const std::string all = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2";
    const std::string twelve = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1";
    const std::string eleven = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1";
    const std::string ten = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1";
    const std::string twoSign = "1X,1X,1X,1X,1X,1X,1X,1X,1X,1X,1X,1X,1X";
    const std::pair<const std::string*, int> cases[] = {{&all, 12},    {&all, 11},     {&all, 10},
                                                        {&twelve, 12}, {&twelve, 10},  {&eleven, 12},
                                                        {&ten, 12},    {&twoSign, 12}, {&all, 13}};
    int failed = 0;
    for (const auto& [frame, guarantee] : cases) {
        CoveringRequest request;
        request.frame = frameOf(*frame);
        request.guarantee = guarantee;
        request.seconds = seconds;
        request.seed = seed;
        const auto start = std::chrono::steady_clock::now();
        const CoveringResult result = searchCovering(request);
        const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const bool found = result.status == CoveringStatus::Found;
        const bool checked = found && tableKeepsGuarantee(result.rows, request.frame, request.guarantee);
        failed += found && !checked;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%s G%d: %s rows %zu bound %llu %.1fs peak %ld MB %s (%s)\n", frame->c_str(), guarantee,
                    found ? "found" : result.message.c_str(), result.rows.size(), (unsigned long long)result.lowerBound,
                    spent, usage.ru_maxrss / 1024, found ? (checked ? "checked" : "CHECK FAILED") : "",
                    result.method.c_str());
        std::fflush(stdout);
    }
    return failed ? 1 : 0;
}

// The plain greedy players know from printed catalogues: repeatedly the row
// covering most outcomes still uncovered, ties to the first in frame order.
std::size_t plainGreedySize(const CoveringSpace& space)
{
    std::vector<std::uint32_t> gain(space.size, std::uint32_t(ballSize(space)));
    std::vector<bool> covered(space.size, false);
    std::priority_queue<std::pair<std::uint32_t, std::int64_t>> queue; // gain, then the first point
    for (std::uint32_t p = 0; p < space.size; ++p)
        queue.push({gain[p], -std::int64_t(p)});
    std::uint32_t left = space.size;
    std::size_t rows = 0;
    while (left > 0) {
        const auto [g, negative] = queue.top();
        queue.pop();
        const auto y = std::uint32_t(-negative);
        if (g != gain[y]) {
            queue.push({gain[y], negative});
            continue;
        }
        ++rows;
        forEachPointWithin(space, digitsOfPoint(space, y), y, space.radius, [&](std::uint32_t x) {
            if (covered[x])
                return;
            covered[x] = true;
            --left;
            forEachPointWithin(space, digitsOfPoint(space, x), x, space.radius, [&](std::uint32_t z) { --gain[z]; });
        });
    }
    return rows;
}

// Random mixed frames against the plain greedy, searched as rivikone-batch generate searches.
int runMixedFrames(int guarantee, double seconds, std::uint64_t seed, int count)
{
    std::mt19937_64 draw(2026);
    int failed = 0;
    for (int made = 0; made < count;) {
        std::string text;
        Frame frame;
        for (int m = 0; m < 13; ++m) {
            static const char* const kinds[] = {"1", "X", "2", "1X", "12", "X2", "1X2", "1X2"};
            text += std::string(m ? "," : "") + kinds[draw() % 8];
        }
        frame = frameOf(text);
        const std::uint64_t outcomes = outcomeCount(frame);
        if (outcomes < 30'000 || outcomes > 70'000)
            continue;
        ++made;
        CoveringRequest request;
        request.frame = frame;
        request.guarantee = guarantee;
        request.seconds = seconds;
        request.seed = seed;
        request.startingTable = offeredTable(QString(), frame, guarantee).rows;
        request.partialTables = gluedTables(frame, guarantee, kGluedTablesTried);
        const std::size_t greedy = plainGreedySize(coveringSpace(frame, guarantee));
        const CoveringResult result = searchCovering(request);
        const bool ok = result.status == CoveringStatus::Found &&
                        tableKeepsGuarantee(result.rows, request.frame, request.guarantee);
        failed += !ok;
        std::printf("%s  outcomes %6llu  bound %4llu  greedy %5zu  rows %5zu  %+6.1f%%  %s  (%s)\n", text.c_str(),
                    (unsigned long long)outcomes, (unsigned long long)result.lowerBound, greedy, result.rows.size(),
                    100.0 * (double(result.rows.size()) / double(greedy) - 1), ok ? "checked" : "CHECK FAILED",
                    result.method.c_str());
        std::fflush(stdout);
    }
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The carried tables are resources of the program.
    QCoreApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "list") {
        for (const QualityCase& c : cases())
            std::cout << c.name << "  " << c.frame << "  G" << c.guarantee << "\n";
        return 0;
    }
    if (mode == "run" && argc >= 5) {
        for (const QualityCase& c : cases())
            if (c.name == argv[2])
                return runCase(c, std::stod(argv[3]), std::stoull(argv[4]), argc > 5 ? std::stoull(argv[5]) : 0, true);
        std::cerr << "no case " << argv[2] << "\n";
        return 2;
    }
    if (mode == "table" && argc >= 4) {
        int failed = 0;
        for (const QualityCase& c : cases())
            failed += runCase(c, std::stod(argv[2]), std::stoull(argv[3]), 0, true);
        return failed ? 1 : 0;
    }
    if (mode == "fresh" && argc >= 4) {
        // The six carried shapes without their carried tables to start from.
        int failed = 0;
        for (const QualityCase& c : cases())
            if (c.carriedTable)
                failed += runCase(c, std::stod(argv[2]), std::stoull(argv[3]), 0, false);
        return failed ? 1 : 0;
    }
    if (mode == "large" && argc >= 4)
        return runLargeFrames(std::stod(argv[2]), std::stoull(argv[3]));
    if (mode == "moves" && argc >= 4) {
        int failed = 0;
        for (const QualityCase& c : cases())
            failed += runCase(c, 0, std::stoull(argv[3]), std::stoull(argv[2]), true);
        return failed ? 1 : 0;
    }
    if (mode == "mixed" && argc >= 6)
        return runMixedFrames(std::stoi(argv[2]), std::stod(argv[3]), std::stoull(argv[4]), std::stoi(argv[5]));
    std::cerr << "usage: covering_quality list | run CASE SECONDS SEED [MOVES] | table SECONDS SEED | moves MOVES SEED "
                 "| fresh "
                 "SECONDS SEED | large SECONDS SEED | mixed G SECONDS SEED N\n";
    return 2;
}
