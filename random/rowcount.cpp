#include "random/rowcount.h"

#include "base/textformat.h"
#include "random/drawing.h"

qint32 systemSize(int halfGuards, int fullGuards)
{
    qint64 size = 1;
    for (int i = 0; i < halfGuards; ++i)
        size *= 2;
    for (int i = 0; i < fullGuards; ++i)
        size *= 3;
    return qint32(size);
}

RowCountCheck checkRowCount(const SharedState& s, const QString& text)
{
    const QString trimmed = text.trimmed();
    const qint64 count = trimmed.isEmpty() ? 0 : leadingInt(trimmed);
    const QString beyond = QStringLiteral("Rivimäärä ei voi olla suurempi kuin ");
    if (count < 1)
        return {};
    if (count > kMaxDrawCount)
        return {false, beyond + QString::number(kMaxDrawCount) + " !", QString()};
    if (s.DrawMode == 1) {
        const qint32 size = systemSize(s.HalfGuardCount, s.FullGuardCount);
        if (count > size)
            return {false, beyond + signedNumber(size) + " !", QString()};
    } else if (s.PerMatchWeights == 1 && count > s.FullSystemSize) {
        return {false,
                beyond + signedNumber(s.FullSystemSize) + " koska arvottavia kohteita on " +
                    signedNumber(s.FreeMatchCount),
                QStringLiteral("LASKUVIRHE !")};
    }
    // Switched-off signs (or a system with an empty match) leave fewer
    // different rows; asking for more could never be filled.
    DrawPlan plan = drawPlanFrom(s);
    const qint64 distinct = plan.distinctRows();
    if (count > distinct)
        return {false, beyond + signedNumber(distinct) + " koska poistetut merkit rajaavat erilaisten rivien määrää !",
                QStringLiteral("LASKUVIRHE !")};
    return {true, QString(), QString()};
}
