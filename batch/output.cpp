#include "batch/output.h"

#include "batch/commandline.h"

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
