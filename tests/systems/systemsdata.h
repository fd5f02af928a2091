#pragma once

#include "base/rowfile.h"
#include "systems/frame.h"
#include "systems/frametext.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

// Frames and rows for the systems tests, typed as a player types them.
namespace systemsdata {

inline Frame frameFrom(const char* text)
{
    QString error;
    const std::optional<Frame> frame = parseFrame(QString::fromLatin1(text), error);
    EXPECT_TRUE(frame) << text << ": " << error.toStdString();
    return frame.value_or(Frame{});
}

inline Frame frameFrom(const QString& text)
{
    return frameFrom(text.toLatin1().constData());
}

// The rows of a rows file the program wrote.
inline std::vector<SignRow> rowsInFile(const QString& path)
{
    const RowFileReadResult read = readRowFile(path, RowReader::Checking);
    EXPECT_TRUE(read.ok()) << path.toStdString();
    return signRowsOf(read->rows);
}

inline SignRow signRow(const char* text)
{
    return signRowOf(rowFromText(QString::fromLatin1(text)));
}

// Two-sign matches first, then three-sign, the rest single.
inline Frame shape(int twoSign, int threeSign)
{
    Frame frame;
    for (int m = 0; m < kFrameMatches; ++m)
        frame.played[m] = m < twoSign ? 0b011 : m < twoSign + threeSign ? 0b111 : 0b001;
    return frame;
}

inline std::string text(const Frame& frame)
{
    return frameText(frame).toStdString();
}

} // namespace systemsdata
