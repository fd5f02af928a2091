#include "batch/output.h"

#include "base/rowfile.h"
#include "batch/commandline.h"

#include <QFileInfo>

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

bool outFileFree(BatchStreams& io, const QString& out)
{
    if (!QFileInfo::exists(out))
        return true;
    io.message("Tiedosto on jo olemassa, anna uusi nimi !");
    return false;
}

bool writeNewRowsFile(BatchStreams& io, const QString& out, const RowBuffer& rows, int n)
{
    const WriteStatus written = writeRowsFile(out, rows, n);
    if (written == WriteStatus::Exists)
        io.message("Tiedosto on jo olemassa, anna uusi nimi !");
    else if (written != WriteStatus::Ok)
        io.message(writeFailureMessage(written) + " " + out);
    return written == WriteStatus::Ok;
}
