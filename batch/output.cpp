#include "batch/output.h"

#include "base/filenames.h"
#include "base/rowfile.h"
#include "base/texts.h"
#include "batch/commandline.h"

#include <QFileDevice>

QByteArray outputBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        QString shown = line;
        for (QChar& c : shown)
            if (c.category() == QChar::Other_Control)
                c = QChar('?');
        bytes += shown.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

void BatchStreams::print(const QStringList& lines)
{
    const QByteArray bytes = outputBytes(lines);
    if (out_.write(bytes) != bytes.size())
        outputOk_ = false;
}

bool BatchStreams::flush()
{
    if (auto* file = qobject_cast<QFileDevice*>(&out_); file && !file->flush())
        outputOk_ = false;
    return outputOk_;
}

BoundedRead BatchStreams::readArgument(const QString& name, qint64 limit)
{
    if (name != QLatin1String("-"))
        return readAtMost(name, limit);
    if (inputTaken_)
        return Failure{Cause::Failed, QStringLiteral("standard input was read already")};
    inputTaken_ = true;
    if (!in_)
        return QByteArray();
    return readAtMost(*in_, limit);
}

RowFileReadResult readRowsArgument(BatchStreams& io, const QString& name, RowReader reader)
{
    return rowFileOf(io.readArgument(name, kMaxRowFileBytes), reader);
}

void BatchStreams::message(const QString& text)
{
    err_.write(outputBytes({text}));
}

int BatchStreams::usage(const QString& text, const QString& command)
{
    message(text);
    message(command.isEmpty() ? QStringLiteral("Ohje: rivikone-batch --help")
                              : QStringLiteral("Ohje: rivikone-batch %1 --help").arg(command));
    return ExitUsage;
}

QStringList helpLines(const char* text)
{
    return QString::fromUtf8(text).split('\n');
}

int finished(BatchStreams& io, int code)
{
    if (!io.outputOk()) {
        io.message("Tulostus ei onnistu !");
        return ExitFailed;
    }
    return code;
}

namespace {

void tellNameTaken(BatchStreams& io, const QString& out)
{
    io.message(isFolder(out) ? QString::fromUtf8("%1 on kansio, anna tiedostolle nimi !").arg(out)
                             : QString::fromUtf8(Texts::FileExistsGiveNewName));
}

} // namespace

bool outFileFree(BatchStreams& io, const QString& out)
{
    if (!pathExists(out))
        return true;
    tellNameTaken(io, out);
    return false;
}

void tellUnreadable(BatchStreams& io, const QString& file, bool tooLarge, const QString& message)
{
    io.message((tooLarge ? QStringLiteral("Tiedosto on liian suuri !") : message) + " " + file);
}

bool writeNewRowsFile(BatchStreams& io, const QString& out, const RowBuffer& rows, int n)
{
    const Outcome<> written = writeRowsFile(out, rows, n);
    if (written.failedWith(Cause::Exists))
        tellNameTaken(io, out);
    else if (!written)
        io.message(written.failure().message + " " + out);
    return written.ok();
}
