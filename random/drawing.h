#pragma once

#include "base/rows.h"
#include "base/services.h"

#include <QString>
#include <array>
#include <vector>

// Drawing random rows: weighted rows around a basic row, or a random-row
// system over the signs marked per match. The window drives it one attempt at
// a time so that it can show the counters and keep itself responsive.

struct DrawPlan {
    enum Kind { Weighted = 0, System = 1 };
    int kind = Weighted;
    int count = 0;                                 // rows wanted
    Row basic{};                                   // weighted: the basic row
    std::array<int, 13> weights{};                 // weighted: 3 ... 10, 11 = banker
    std::array<int, 13> excluded{};                // weighted: sign switched off (0 "1", 1 "X", 2 "2"), 4 none
    std::array<std::array<bool, 3>, 13> allowed{}; // system: [match][sign] marked

    // How many different rows the plan can give: per match a banker 1, a
    // switched-off sign 2, else 3; for a system the marked signs multiplied.
    qint64 distinctRows() const;
    // Matches of a system with all three signs marked.
    int fullGuardTotal() const;
    // Why the plan cannot be drawn ("" when it can).
    QString problem() const;
};

struct DrawAttempt {
    bool accepted = false;
    Row row{};
    int rowNumber = 0;     // the 1-based row the attempt was for
    int basicSignHits = 0; // matches equal to the basic row (weighted rows)
};

class RowDrawing {
public:
    RowDrawing(const DrawPlan& plan, Random& random);

    // "" when the plan can be drawn; otherwise nothing is drawn.
    const QString& error() const { return error_; }
    bool done() const { return !error_.isEmpty() || int(rows_.size()) >= plan_.count; }

    // Draws one complete row (reseeding the generator first) and keeps it
    // unless it repeats an earlier one. The first weighted row is the basic
    // row itself. While the system's three-sign combinations last, every
    // system row takes a combination of its own.
    DrawAttempt attempt();

    const RowBuffer& rows() const { return rows_; }
    int attempts() const { return attempts_; }
    int accepted() const { return int(rows_.size()); }
    int duplicatesRejected() const { return duplicates_; }
    int basicSignSum() const { return basicSignSum_; }
    // Average basic signs per accepted row.
    double average() const { return rows_.empty() ? 0.0 : double(basicSignSum_) / double(rows_.size()); }
    // Accepted rows with 13, 12, 11 and 10 basic signs.
    const std::array<int, 4>& hitClasses() const { return hitClasses_; }

    // After this many repeats in a row the next weighted row is drawn straight
    // from the rows not drawn yet, each with its own probability: the same
    // outcome as drawing on until a new row comes, without waiting for the
    // rare rows that are left when nearly every possible row has been taken.
    static constexpr int kRepeatsBeforeDirectDraw = 2000;

private:
    char drawSign(int match);
    Row drawUnseenRow();
    void collectUnseenRows();
    static int rowCode(const Row& row);
    int guardCode(const Row& row) const;

    DrawPlan plan_;
    Random& random_;
    QString error_;
    RowBuffer rows_;
    std::vector<bool> seenRows_;   // by rowCode
    std::vector<bool> seenGuards_; // by guardCode
    qint64 guardCombinations_ = 1;
    int repeatsInARow_ = 0;
    struct Candidate {
        Row row;
        double probability;
    };
    std::vector<Candidate> unseen_; // filled once direct drawing starts
    int attempts_ = 0;
    int duplicates_ = 0;
    int basicSignSum_ = 0;
    std::array<int, 4> hitClasses_{};
};
