#include "systems/frametext.h"

#include "rows/patternaccept.h"
#include "rows/signtext.h"

#include <algorithm>

static_assert(kFrameMatches == kMatches);

std::optional<Frame> frameOfPattern(const MatchTable& marks)
{
    Frame frame;
    for (int k = 0; k < kMatches; ++k) {
        for (int s = 0; s < 3; ++s)
            if (marks[s][k] == 1)
                frame.played[k] |= std::uint8_t(1u << s);
        if (frame.played[k] == 0)
            return std::nullopt;
    }
    return frame;
}

MatchTable patternOfFrame(const Frame& frame)
{
    MatchTable marks{};
    for (int k = 0; k < kMatches; ++k)
        for (int s = 0; s < 3; ++s)
            marks[s][k] = frame.played[k] >> s & 1;
    return marks;
}

std::optional<Frame> parseFrame(const QString& text, QString& error)
{
    const std::optional<MatchTable> marks = parsePattern(text, error);
    if (!marks)
        return std::nullopt;
    const std::optional<Frame> frame = frameOfPattern(*marks);
    if (!frame)
        error = patternRefusal(PatternOutcome::EmptyMatch);
    return frame;
}

QString frameText(const Frame& frame)
{
    return patternText(patternOfFrame(frame));
}

SignRow signRowOf(const Row& row)
{
    SignRow signs{};
    for (int k = 0; k < kMatches; ++k) {
        const int s = signIndex(row[k]);
        signs[k] = std::uint8_t(s < 0 ? 3 : s);
    }
    return signs;
}

Row rowOf(const SignRow& row)
{
    Row signs{};
    for (int k = 0; k < kMatches; ++k)
        signs[k] = row[k] < 3 ? kSigns[row[k]] : '?';
    return signs;
}

std::optional<ConversionPlan> systemPlanOnFrame(const Frame& frame, int halfGuards, int fullGuards)
{
    ConversionPlan plan{};
    for (int k = 0; k < kMatches; ++k) {
        const std::vector<std::uint8_t> signs = playedSigns(frame, k);
        MatchConversion& match = plan[k];
        if (signs.size() == 1) {
            match.role = MatchRole::Banker;
            match.banker = kSigns[signs[0]];
        } else if (signs.size() == 2) {
            match.role = MatchRole::Half;
            match.forOne = kSigns[signs[0]];
            match.forTwo = kSigns[signs[1]];
        } else {
            match.role = MatchRole::Full;
        }
    }
    if (countRole(plan, MatchRole::Half) != halfGuards || countRole(plan, MatchRole::Full) != fullGuards)
        return std::nullopt;
    return plan;
}

std::vector<SignRow> signRowsOf(const RowBuffer& rows)
{
    std::vector<SignRow> signs;
    signs.reserve(rows.size());
    for (const Row& row : rows)
        signs.push_back(signRowOf(row));
    return signs;
}

RowBuffer rowsOfSigns(const std::vector<SignRow>& rows)
{
    RowBuffer out;
    out.reserve(rows.size());
    for (const SignRow& row : rows)
        out.push_back(rowOf(row));
    return out;
}

bool isCompleteRow(const Row& row)
{
    return std::all_of(row.begin(), row.end(), [](char c) { return signIndex(c) >= 0; });
}

bool allRowsComplete(const RowBuffer& rows)
{
    return std::all_of(rows.begin(), rows.end(), isCompleteRow);
}

RowBuffer completeRowsInMemory(const RowBuffer& rows)
{
    return allRowsComplete(rows) ? rows : RowBuffer{};
}
