#pragma once

#include "base/rows.h"

#include <QString>
#include <any>
#include <array>
#include <map>

using MatchTable = std::array<std::array<int, 13>, 3>; // [sign][match]
using MatchStrings = std::array<QString, 13>;
using MatchValues = std::array<int, 13>;

// The record every window reads and writes instead of passing arguments. It
// lives from start-up to the end of the run; ResetTaskState() clears the task
// part before every row task.
struct SharedState {
    // What a window the player types much into keeps when it closes, by the
    // window's name, so it opens again as it was left for the rest of the run.
    // A task's reset leaves it.
    std::map<QString, std::any> KeptWork;

    // Program and files
    QString ProgramDir;
    RowBuffer Rows;
    int RowCount = 0;
    QString CurrentFile;
    QString CurrentFileTitle;
    int DialogMode = 1; // 1 open, 2 save

    // The entered row
    MatchTable BasicMarks{};
    MatchStrings BasicSigns;
    int BasicSignCount = 0;
    MatchTable SystemMarks{};
    MatchStrings HintRow;

    // Own systems
    int HalfGuardCount = 0;
    int FullGuardCount = 0;

    // Task flags
    int RandomTask = 0;
    int CheckTask = 0;
    int HaravaTask = 0;
    int WeightedDraw = 0;
    int RowSource = 1;     // 1 rows from a file, 0 a system pattern typed in
    int CheckFileType = 0; // 1 rows file, 2 typed pattern, 3 own-system file
    int SystemLoaded = 0;
    int PrintTarget = 0;  // 0 paper, 1 screen, 2 coupons
    int ExportTarget = 0; // rows leave as text: 0 not, 1 text file, 2 CSV file, 3 clipboard

    // Switches kept from the settings
    int SoundOn = 1;
    int SaveConfirm = 0;

    // Main window
    int WindowTop = 0; // twips, as loaded at start
    int WindowLeft = 0;
    int FirstActivation = 0;

    // Reduced systems
    QString SystemName;
    QString SystemLetter;
    int SystemColumns = 0;
    MatchValues MatchSignCount{};
    MatchStrings CodedResult;
    int BankerHits = 0;
    int FullColumnStart = 0;
    std::array<int, 14> FullGuardFlags{};
    int FullGuardTotal = 0;

    // Weighting
    int CommonWeight = 0;
    int PerMatchWeights = 0;
    MatchValues MatchWeights{};
    MatchValues ExcludedSigns{};
    int BankerCount = 0;
    int FreeMatchCount = 0;
    qint32 FullSystemSize = 0;
    int DrawCount = 0;

    // Drawing
    int DrawMode = 0; // 0 weighted, 1 random-row system, 2 own system
    qint32 HalfCombinations = 0;
    qint32 FullCombinations = 0;
    int DrawBusy = 0;

    // Checking results
    std::array<int, 4> PrizeClassCounts{}; // rows with 10, 11, 12, 13 correct
    int LastFullHitRow = 0;
    std::array<int, 14> MatchHits{};
    std::array<int, 14> MatchPercents{};
    int ListedLines = 0;
    int BlockBoundary = 0;
};

// Clears the task part of the state before a row task (and at load and quit).
void ResetTaskState(SharedState& state);

// The entered row (BasicSigns) as a Row; empty cells where no sign was chosen.
Row basicRow(const SharedState& state);
