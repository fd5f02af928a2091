#include "base/textformat.h"

#include <QLocale>
#include <array>
#include <cmath>
#include <limits>

QString signedNumber(qint64 n)
{
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

QString groupedAmount(qint64 n)
{
    if (n == 0)
        return QString();
    const QString digits = QString::number(n < 0 ? -n : n);
    const QString separator = QLocale().groupSeparator();
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return n < 0 ? QStringLiteral("-") + out : out;
}

QString shownCount(quint64 n)
{
    return QLocale().toString(n);
}

QString tenthsPattern(double x)
{
    // Halves go up, also where the binary fraction falls just short of one (10.45).
    const qint64 tenths = std::llround(std::abs(x) * 10 + 1e-9);
    const qint64 whole = tenths / 10;
    const qint64 tenth = tenths % 10;
    QString out = x < 0 && tenths > 0 ? QStringLiteral("-") : QString();
    if (whole > 0)
        out += QString::number(whole);
    out += QLocale().decimalPoint();
    if (tenth > 0)
        out += QString::number(tenth);
    return out;
}

QString formatDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

double leadingNumber(const QString& text)
{
    QString s;
    for (QChar c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            s += c;
    int i = 0;
    const int n = int(s.size());
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    const int digitsStart = i;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128)
        ++i;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128)
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && s[digitsStart] == '.'))
        return 0;
    int end = i;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        int j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-'))
            ++j;
        const int expStart = j;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double value = s.left(end).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

double roundHalfEven(double x)
{
    return std::nearbyint(x);
}

int leadingInt(const QString& text)
{
    const double v = roundHalfEven(leadingNumber(text));
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(v);
}

QString decimalText(double x)
{
    return QString::number(x, 'g', 15);
}

QString shortenedName(const QString& name)
{
    if (name.size() <= 20)
        return name;
    return name.left(15) + QStringLiteral("~") + name.right(4);
}

QString fitField(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.leftJustified(width, ' ');
}

// Code points of bytes 0x80..0x9F in the Windows ANSI code page (0 = unused).
static constexpr std::array<char16_t, 32> kAnsiHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QByteArray toAnsi(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        char byte = '?';
        for (int i = 0; i < 32; ++i)
            if (kAnsiHigh[i] != 0 && kAnsiHigh[i] == u)
                byte = char(0x80 + i);
        if (u == 0x202F || u == 0x2007)
            byte = char(0xA0); // narrow and figure spaces of digit grouping
        out += byte;
    }
    return out;
}

QString fromAnsi(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && kAnsiHigh[u - 0x80] != 0)
            out += QChar(kAnsiHigh[u - 0x80]);
        else
            out += QChar(u);
    }
    return out;
}

QString printFooter(const QDate& today)
{
    return QStringLiteral("Rivikone PRO v1.0     ") + formatDate(today);
}
