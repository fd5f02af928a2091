#include "rows/signtext.h"
#include "base/texts.h"

#include <QStringList>

namespace {

// The sign a typed character stands for; 0 for anything else.
char signOf(QChar c)
{
    if (c == '1' || c == '2' || c == 'X')
        return char(c.unicode());
    if (c == 'x')
        return 'X';
    return 0;
}

} // namespace

std::optional<Row> parseRow(const QString& text, QString& error)
{
    if (text.size() != kMatches) {
        error = QString::fromUtf8(Texts::RowNeedsThirteenSigns);
        return std::nullopt;
    }
    Row row{};
    for (int k = 0; k < kMatches; ++k) {
        row[k] = signOf(text[k]);
        if (row[k] == 0) {
            error = QString::fromUtf8("Rivissä saa olla vain merkkejä 1, X ja 2 !");
            return std::nullopt;
        }
    }
    return row;
}

std::optional<MatchTable> parsePattern(const QString& text, QString& error)
{
    const QStringList groups = text.split(',');
    if (groups.size() != kMatches) {
        error = QString::fromUtf8("Järjestelmässä pitäisi olla 13 pilkuin erotettua kohdetta !");
        return std::nullopt;
    }
    MatchTable marks{};
    for (int k = 0; k < kMatches; ++k) {
        for (QChar c : groups[k]) {
            const int s = signIndex(signOf(c));
            if (s < 0) {
                error = QString::fromUtf8("Kohteessa %1 saa olla vain merkkejä 1, X ja 2 !").arg(k + 1);
                return std::nullopt;
            }
            if (marks[s][k] != 0) {
                error = QString::fromUtf8("Kohteessa %1 on sama merkki kahdesti !").arg(k + 1);
                return std::nullopt;
            }
            marks[s][k] = 1;
        }
    }
    return marks;
}

QString patternText(const MatchTable& marks)
{
    QString text;
    for (int k = 0; k < kMatches; ++k) {
        if (k > 0)
            text += ',';
        for (int s = 0; s < 3; ++s)
            if (marks[s][k] == 1)
                text += QChar::fromLatin1(kSigns[s]);
    }
    return text;
}
