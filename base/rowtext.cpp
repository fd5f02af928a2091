#include "base/rowtext.h"

#include "base/textformat.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

QString lineOf(const Row& row)
{
    QString line(kMatches, QChar('?'));
    for (int k = 0; k < kMatches; ++k)
        if (row[k] > ' ' && row[k] < 0x7f)
            line[k] = QChar::fromLatin1(row[k]);
    return line;
}

bool isSeparator(QChar c)
{
    return c.isSpace() || c == ',' || c == ';' || c == '"';
}

// A header holds a word and is no row mistyped: a line of 13 characters, or
// one without two letters in a row other than draws, is taken for a row and
// refused with its number rather than skipped without a word.
bool looksLikeHeader(const QString& signs)
{
    if (signs.size() == kMatches)
        return false;
    int letters = 0;
    bool word = false;
    for (QChar c : signs) {
        if (!c.isLetter()) {
            letters = 0;
            word = false;
            continue;
        }
        ++letters;
        word = word || (c != 'x' && c != 'X');
        if (letters >= 2 && word)
            return true;
    }
    return false;
}

// The 13 signs of a line with its separators left out, or nothing.
std::optional<Row> rowOf(const QString& signs)
{
    if (signs.size() != kMatches)
        return std::nullopt;
    Row row{};
    for (int k = 0; k < kMatches; ++k) {
        const QChar c = signs[k];
        if (c == '1' || c == '2' || c == 'X')
            row[k] = char(c.unicode());
        else if (c == 'x')
            row[k] = 'X';
        else
            return std::nullopt;
    }
    return row;
}

QString shownText(const QString& line)
{
    QString text = line.size() > kRefusedLineShown ? line.left(kRefusedLineShown - 1) + QChar(0x2026) : line;
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QChar('?');
    return text;
}

} // namespace

QStringList rowTextLines(const RowBuffer& rows, int count)
{
    QStringList lines;
    const int n = std::min<int>(count, int(rows.size()));
    lines.reserve(n);
    for (int i = 0; i < n; ++i)
        lines << lineOf(rows[i]);
    return lines;
}

QStringList rowCsvLines(const RowBuffer& rows, int count)
{
    QStringList header;
    for (int k = 1; k <= kMatches; ++k)
        header << QStringLiteral("Kohde %1").arg(k);
    QStringList lines{header.join(',')};
    for (const QString& line : rowTextLines(rows, count)) {
        QString csv;
        csv.reserve(2 * kMatches);
        for (QChar c : line) {
            if (!csv.isEmpty())
                csv += ',';
            csv += c;
        }
        lines << csv;
    }
    return lines;
}

QStringList rowLines(RowTextFormat format, const RowBuffer& rows, int count)
{
    return format == RowTextFormat::Csv ? rowCsvLines(rows, count) : rowTextLines(rows, count);
}

QByteArray textFileBytes(const QStringList& lines, const char* lineEnd)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += lineEnd;
    }
    return bytes;
}

RowTextReading parseRowText(const QString& text)
{
    RowTextReading reading;
    int number = 0;
    bool firstLine = true;
    qsizetype start = 0;
    while (start <= text.size()) {
        // Lines end in "\n", "\r\n" or a lone "\r".
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const QString line = text.mid(start, end - start);
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        ++number;

        QString signs;
        signs.reserve(line.size());
        for (QChar c : line)
            if (!isSeparator(c) && c != QChar(0xFEFF))
                signs += c;
        if (signs.isEmpty())
            continue;
        const std::optional<Row> row = rowOf(signs);
        const bool header = firstLine && !row && looksLikeHeader(signs);
        firstLine = false;
        if (header) {
            reading.header = RefusedLine{number, shownText(line)};
            continue;
        }
        if (!row) {
            reading.refused << RefusedLine{number, shownText(line)};
            continue;
        }
        if (int(reading.rows.size()) == kMaxRows) {
            reading.tooManyRows = true;
            continue;
        }
        reading.rows.push_back(*row);
    }
    return reading;
}

QString skippedHeaderText(const RefusedLine& header)
{
    return QString::fromUtf8("Rivi %1 on otsikko, sitä ei tuotu: %2").arg(header.number).arg(header.text);
}

QString decodeRowText(const QByteArray& bytes)
{
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromAnsi(bytes) : text;
}
