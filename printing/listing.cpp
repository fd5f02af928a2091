#include "printing/listing.h"

#include "base/textformat.h"

#include <QFileInfo>

QChar displaySign(char cell)
{
    const auto c = static_cast<unsigned char>(cell);
    return c > 32 && c < 127 ? QChar(c) : QChar('?');
}

// Writes the grouped signs of `row` at `out`; returns the position after them.
static QChar* writeGroupedSigns(QChar* out, const Row& row)
{
    for (int k = 0; k < kMatches; ++k) {
        if (k > 0) {
            *out++ = ' ';
            if (k == 3 || k == 6 || k == 9)
                *out++ = ' ';
        }
        *out++ = displaySign(row[k]);
    }
    return out;
}

// 13 signs, 12 single blanks and three extra ones.
static constexpr int kGroupedLength = 28;

QString groupedSigns(const Row& row)
{
    QString text(kGroupedLength, Qt::Uninitialized);
    writeGroupedSigns(text.data(), row);
    return text;
}

QString screenListingLine(int number, const Row& row)
{
    const char* separator = number <= 9 ? "  > " : number <= 99 ? " > " : "> ";
    QString text = signedNumber(number);
    text += QLatin1String(separator);
    const qsizetype start = text.size();
    text.resize(start + kGroupedLength);
    writeGroupedSigns(text.data() + start, row);
    return text;
}

QStringList screenListing(const RowBuffer& rows, int rowCount)
{
    const int n = std::min<int>(rowCount, int(rows.size()));
    QStringList lines;
    lines.reserve(n + n / 10);
    for (int i = 0; i < n; ++i) {
        lines << screenListingLine(i + 1, rows[i]);
        if ((i + 1) % 10 == 0)
            lines << QString();
    }
    return lines;
}

SignDistribution signDistribution(const RowBuffer& rows, int rowCount)
{
    SignDistribution d;
    const int n = std::min<int>(rowCount, int(rows.size()));
    for (int i = 0; i < n; ++i) {
        bool faulty = false;
        for (int k = 0; k < kMatches; ++k) {
            const int s = signIndex(rows[i][k]);
            if (s < 0)
                faulty = true;
            else
                ++d.counts[s][k];
        }
        d.faultyRows += faulty;
    }
    return d;
}

QString paperListingLine(int number, const Row& row)
{
    // Long numbers push the signs on rather than onto a line of their own.
    QString text = (signedNumber(number) + " > ").leftJustified(kPaperSignColumn - 1, ' ');
    return text + groupedSigns(row);
}

QStringList paperListingHeading(const QString& fileName)
{
    return {" Rivitiedosto: " + fileName, " Rivit vaakasuorassa !", QString(40, '=')};
}

QList<QStringList> paperListingPages(const RowBuffer& rows, int rowCount, const QString& fileName)
{
    const int n = std::min<int>(rowCount, int(rows.size()));
    QList<QStringList> pages;
    QStringList page = QStringList{QString(), QString()} + paperListingHeading(fileName);
    for (int i = 0; i < n; ++i) {
        const int printed = i + 1;
        page << paperListingLine(printed, rows[i]);
        if (printed % 10 == 0)
            page << QStringLiteral(" ");
        if (printed % kPaperRowsPerPage == 0 && printed < n) {
            pages << page;
            page = paperListingHeading(fileName);
        }
    }
    pages << page;
    return pages;
}

QString listedFileName(const QString& fileTitle, const QString& filePath)
{
    return fileTitle.isEmpty() ? QFileInfo(filePath).fileName() : fileTitle;
}
