#include "random/drawing.h"

#include "base/rows.h"
#include "random/weights.h"

#include <algorithm>

namespace {

// Sign of the drawn number r = 1 ... weight; numbers from 4 up give the basic sign.
char signOfNumber(int r, char basic)
{
    switch (r) {
    case 1:
        return '1';
    case 2:
        return '2';
    case 3:
        return 'X';
    default:
        return basic;
    }
}

} // namespace

qint64 DrawPlan::distinctRows() const
{
    qint64 rows = 1;
    for (int k = 0; k < kMatches; ++k) {
        if (kind == System) {
            rows *= std::count(allowed[k].begin(), allowed[k].end(), true);
        } else if (weights[k] != kBankerWeight) {
            const bool oneOff = excluded[k] >= 0 && excluded[k] <= 2 && kSigns[excluded[k]] != basic[k];
            rows *= oneOff ? 2 : 3;
        }
    }
    return rows;
}

int DrawPlan::fullGuardTotal() const
{
    if (kind != System)
        return 0;
    int total = 0;
    for (const auto& signs : allowed)
        total += signs[0] && signs[1] && signs[2];
    return total;
}

QString DrawPlan::problem() const
{
    if (count < 1)
        return QStringLiteral("Rivimäärä puuttuu.");
    if (kind == Weighted) {
        for (int k = 0; k < kMatches; ++k) {
            if (signIndex(basic[k]) < 0)
                return QStringLiteral("Perusrivi on vajaa.");
            if (weights[k] < kMinWeight || weights[k] > kBankerWeight)
                return QStringLiteral("Painotus puuttuu.");
        }
    } else if (distinctRows() == 0) {
        return QStringLiteral("Joku kohde on tyhjä.");
    }
    const qint64 distinct = distinctRows();
    if (count > distinct)
        return QStringLiteral("Erilaisia rivejä voi arpoa vain %1.").arg(distinct);
    return QString();
}

RowDrawing::RowDrawing(const DrawPlan& plan, Random& random) : plan_(plan), random_(random)
{
    error_ = plan_.problem();
    if (!error_.isEmpty())
        return;
    // A switched-off sign that is the basic sign could never be kept out of
    // the first row; the windows never offer it, so it simply does not count.
    for (int k = 0; k < kMatches; ++k)
        if (plan_.excluded[k] < 0 || plan_.excluded[k] > 2 || kSigns[plan_.excluded[k]] == plan_.basic[k])
            plan_.excluded[k] = kNoExcludedSign;
    for (int i = 0; i < plan_.fullGuardTotal(); ++i)
        guardCombinations_ *= 3;
    rows_.reserve(plan_.count);
    seenRows_.assign(kAllRowCount, false);
    if (plan_.kind == DrawPlan::System)
        seenGuards_.assign(std::size_t(guardCombinations_), false);
}

char RowDrawing::drawSign(int k)
{
    const bool system = plan_.kind == DrawPlan::System;
    const int weight = system ? kMinWeight : plan_.weights[k];
    for (;;) {
        const int r = std::min(weight, int(weight * random_.next() + 1));
        char sign = weight == kBankerWeight ? plan_.basic[k] : signOfNumber(r, plan_.basic[k]);
        if (system) {
            if (plan_.allowed[k][signIndex(sign)])
                return sign;
            continue;
        }
        if (rows_.empty())
            sign = plan_.basic[k];
        if (signIndex(sign) != plan_.excluded[k])
            return sign;
    }
}

int RowDrawing::rowCode(const Row& row)
{
    int code = 0;
    for (char c : row)
        code = code * 3 + signIndex(c);
    return code;
}

int RowDrawing::guardCode(const Row& row) const
{
    int code = 0;
    for (int k = 0; k < kMatches; ++k)
        if (plan_.allowed[k][0] && plan_.allowed[k][1] && plan_.allowed[k][2])
            code = code * 3 + signIndex(row[k]);
    return code;
}

DrawAttempt RowDrawing::attempt()
{
    DrawAttempt result;
    if (done())
        return result;
    result.rowNumber = accepted() + 1;
    random_.reseed();
    const bool direct = plan_.kind == DrawPlan::Weighted && repeatsInARow_ >= kRepeatsBeforeDirectDraw;
    if (direct) {
        result.row = drawUnseenRow();
    } else {
        for (int k = 0; k < kMatches; ++k)
            result.row[k] = drawSign(k);
    }
    for (int k = 0; k < kMatches; ++k)
        if (plan_.kind == DrawPlan::Weighted && result.row[k] == plan_.basic[k])
            ++result.basicSignHits;
    ++attempts_;

    const int code = rowCode(result.row);
    bool repeat = seenRows_[code];
    if (plan_.kind == DrawPlan::System && result.rowNumber <= guardCombinations_ && seenGuards_[guardCode(result.row)])
        repeat = true;
    if (repeat) {
        ++duplicates_;
        ++repeatsInARow_;
        return result;
    }

    result.accepted = true;
    seenRows_[code] = true;
    if (plan_.kind == DrawPlan::System)
        seenGuards_[guardCode(result.row)] = true;
    rows_.push_back(result.row);
    if (!direct)
        repeatsInARow_ = 0;
    basicSignSum_ += result.basicSignHits;
    if (plan_.kind == DrawPlan::Weighted && result.basicSignHits >= 10)
        ++hitClasses_[13 - result.basicSignHits];
    return result;
}

void RowDrawing::collectUnseenRows()
{
    // Each match's signs with the chance the weighted draw gives them once a
    // switched-off sign is drawn again.
    std::array<std::vector<std::pair<char, double>>, 13> options;
    for (int k = 0; k < kMatches; ++k) {
        const int weight = plan_.weights[k];
        if (weight == kBankerWeight) {
            options[k] = {{plan_.basic[k], 1.0}};
            continue;
        }
        double total = 0;
        for (char sign : kSigns) {
            if (signIndex(sign) == plan_.excluded[k])
                continue;
            const double chance = sign == plan_.basic[k] ? double(weight - 2) / weight : 1.0 / weight;
            options[k].push_back({sign, chance});
            total += chance;
        }
        for (auto& option : options[k])
            option.second /= total;
    }
    std::array<std::size_t, 13> pick{};
    for (;;) {
        Row row{};
        double probability = 1;
        for (int k = 0; k < kMatches; ++k) {
            row[k] = options[k][pick[k]].first;
            probability *= options[k][pick[k]].second;
        }
        if (!seenRows_[rowCode(row)])
            unseen_.push_back({row, probability});
        int k = kMatches - 1;
        while (k >= 0 && ++pick[k] == options[k].size())
            pick[k--] = 0;
        if (k < 0)
            break;
    }
}

Row RowDrawing::drawUnseenRow()
{
    if (unseen_.empty())
        collectUnseenRows();
    if (unseen_.empty()) { // cannot happen while fewer rows than possible are taken
        Row row{};
        for (int k = 0; k < kMatches; ++k)
            row[k] = drawSign(k);
        return row;
    }
    // Rows taken since the list was made drop out as they are drawn.
    double total = 0;
    for (const Candidate& candidate : unseen_)
        total += candidate.probability;
    const double target = total * random_.next();
    std::size_t chosen = unseen_.size() - 1;
    double sum = 0;
    for (std::size_t i = 0; i < unseen_.size(); ++i) {
        sum += unseen_[i].probability;
        if (target < sum) {
            chosen = i;
            break;
        }
    }
    const Row row = unseen_[chosen].row;
    unseen_[chosen] = unseen_.back();
    unseen_.pop_back();
    return row;
}
