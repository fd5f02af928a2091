#pragma once

#include "base/rowfile.h"
#include "base/rows.h"

#include "support/files.h"
#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <ostream>

// Runs the built rivikone-batch in a directory of files the test writes.
struct BatchRun {
    QByteArray out;
    QByteArray err;
    int code = -1;
};

// Program output reads best as the text it is.
inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << "\n" << bytes.toStdString();
}

inline void PrintTo(const BatchRun& run, std::ostream* os)
{
    *os << "exit " << run.code << ", stdout:\n" << run.out.toStdString() << "stderr:\n" << run.err.toStdString();
}

class BatchDir {
public:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    // `fileSizeLimit` > 0 runs the program as on a disk with only that much room.
    // `input` is what the program reads from its standard input.
    BatchRun run(const QStringList& arguments, qint64 fileSizeLimit = 0, const QByteArray& input = {}) const
    {
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        if (fileSizeLimit > 0)
            process.setChildProcessModifier([fileSizeLimit] { FullDisk::applyInChild(fileSizeLimit); });
        process.start(program(), arguments);
        process.write(input);
        process.closeWriteChannel();
        return finished(process);
    }

    // A shell line with the program as "$0", for what a test cannot hand over
    // as text: names that are no UTF-8, redirections.
    BatchRun shell(const QString& line) const
    {
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        process.start("/bin/sh", {"-c", line, program()});
        return finished(process);
    }

    // A rows file as the drawing window saves it.
    void rowsFile(const QString& name, const RowBuffer& rows) const
    {
        QByteArray bytes = rowsFileHeader(int(rows.size()));
        for (const Row& row : rows)
            bytes += rowRecord(row);
        writeBytes(path(name), bytes);
    }

    void file(const QString& name, const QByteArray& bytes) const { writeBytes(path(name), bytes); }

    QString dirPath() const { return dir_.path(); }

    // The program the build made; a copy elsewhere when RIVIKONE_BATCH names one
    // (the file-safety tests run as another user from a folder of their own).
    static QString program()
    {
        const QString copy = qEnvironmentVariable("RIVIKONE_BATCH");
        return copy.isEmpty() ? QStringLiteral(RIVIKONE_BATCH_PATH) : copy;
    }

private:
    static BatchRun finished(QProcess& process)
    {
        BatchRun result;
        if (!process.waitForFinished(60000))
            return result;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return result;
    }

    QTemporaryDir dir_;
};

// Lines as the program prints them.
inline QByteArray linesOf(std::initializer_list<const char*> lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + '\n';
    return bytes;
}
