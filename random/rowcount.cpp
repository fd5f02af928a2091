#include "random/rowcount.h"

#include "base/textformat.h"

qint32 systemSize(int halfGuards, int fullGuards)
{
    qint64 size = 1;
    for (int i = 0; i < halfGuards; ++i)
        size *= 2;
    for (int i = 0; i < fullGuards; ++i)
        size *= 3;
    return qint32(size);
}

RowCountCheck checkRowCount(const QString& text, const DrawPlan& plan, const RowCountLimits& limits)
{
    const QString trimmed = text.trimmed();
    const qint64 count = trimmed.isEmpty() ? 0 : leadingInt(trimmed);
    const QString beyond = QStringLiteral("Rivimäärä ei voi olla suurempi kuin ");
    const QString miscounted = QStringLiteral("LASKUVIRHE !");
    if (count < 1)
        return {};
    if (count > kMaxDrawCount)
        return {false, beyond + QString::number(kMaxDrawCount) + " !", QString()};
    if (plan.kind == DrawPlan::System) {
        const qint32 size = systemSize(limits.halfGuards, limits.fullGuards);
        if (count > size)
            return {false, beyond + signedNumber(size) + " !", QString()};
    } else if (limits.perMatchWeights && count > limits.fullSystemSize) {
        return {false,
                beyond + signedNumber(limits.fullSystemSize) + " koska arvottavia kohteita on " +
                    signedNumber(limits.freeMatchCount),
                miscounted};
    }
    // Switched-off signs (or a system with an empty match) leave fewer
    // different rows; asking for more could never be filled.
    const qint64 distinct = plan.distinctRows();
    if (count > distinct)
        return {false, beyond + signedNumber(distinct) + " koska poistetut merkit rajaavat erilaisten rivien määrää !",
                miscounted};
    return {true, QString(), QString()};
}
