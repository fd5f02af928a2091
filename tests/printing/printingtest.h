#pragma once

#include "base/rowfile.h"
#include "support/files.h"

#include <QString>
#include <gtest/gtest.h>

// Rows and files for the printing tests.
namespace printingtest {

// Row i of a varied, repeatable set: every sign turns up in every match.
inline Row sampleRow(int i)
{
    Row row;
    for (int k = 0; k < kMatches; ++k)
        row[k] = kSigns[(i * 7 + k * (i % 3 + 1)) % 3];
    return row;
}

inline RowBuffer sampleRows(int n)
{
    RowBuffer rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(sampleRow(i));
    return rows;
}

inline void writeRows(const QString& path, int n)
{
    ASSERT_TRUE(writeRowsFile(path, sampleRows(n), n).ok());
}

// An own-system file: the header and the stored rows as given.
inline void writeSystem(const QString& path, int halfGuards, int fullGuards, const QList<QByteArray>& rows)
{
    QByteArray bytes = systemFileHeader(halfGuards, fullGuards, int(rows.size()));
    for (const QByteArray& row : rows)
        bytes += row.leftJustified(kRecordLength, ' ', true);
    ASSERT_TRUE(writeBytes(path, bytes));
}

} // namespace printingtest
