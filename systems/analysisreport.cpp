#include "systems/analysisreport.h"

#include "base/textformat.h"
#include "systems/frametext.h"
#include "systems/systemtexts.h"

#include <QLocale>

namespace {

QString plainAverage(double x)
{
    return QString::number(x, 'f', 3);
}

// The window's numbers follow the program's locale: "1 594 323", "0,111".
QString shownDecimal(double x, int decimals)
{
    return QLocale().toString(x, 'f', decimals);
}

} // namespace

std::array<std::uint64_t, kAnalysisColumns> outcomesByColumn(const GuaranteeAnalysis& analysis)
{
    std::array<std::uint64_t, kAnalysisColumns> columns{};
    for (std::size_t c = 0; c < kPrizeClassHits.size(); ++c)
        columns[c] = analysis.outcomesWithBest(kPrizeClassHits[c]);
    columns[kAnalysisColumns - 1] = analysis.outcomesWithBestBelow10();
    return columns;
}

QStringList analysisLines(const AnalysisResult& result, std::size_t rows, const Frame& frame)
{
    const GuaranteeAnalysis& a = result.plain;
    QStringList lines;
    lines << QString::fromUtf8(SystemTexts::RowCount).arg(rows);
    lines << QString::fromUtf8(SystemTexts::OutcomeCount).arg(a.outcomes);
    lines << QString::fromUtf8(SystemTexts::Guarantee).arg(a.guarantee);
    for (int hits : kPrizeClassHits)
        lines << QString("Paras %1: %2").arg(hits).arg(a.outcomesWithBest(hits));
    lines << QString("Paras alle 10: %1").arg(a.outcomesWithBestBelow10());
    lines << "Kaava: " + frameText(frame);
    for (std::size_t c = 0; c < kPrizeClassHits.size(); ++c) {
        const RowsInClass& r = a.rowsInClass[c];
        lines << QString::fromUtf8("Rivejä %1 oikein: keskimäärin %2, vähintään %3, enintään %4")
                     .arg(kPrizeClassHits[c])
                     .arg(plainAverage(r.average))
                     .arg(r.least)
                     .arg(r.most);
    }
    return lines;
}

QStringList analysisColumnHeadings()
{
    return {"13 oikein", "12 oikein", "11 oikein", "10 oikein", "alle 10"};
}

QList<AnalysisTableLine> analysisTable(const AnalysisResult& result)
{
    const GuaranteeAnalysis& a = result.plain;
    QList<AnalysisTableLine> table;
    AnalysisTableLine outcomes{"Tulosvaihtoehtoja, paras rivi", {}};
    AnalysisTableLine share{"Osuus tulosvaihtoehdoista", {}};
    const auto byColumn = outcomesByColumn(a);
    for (int c = 0; c < kAnalysisColumns; ++c) {
        outcomes.cells[c] = shownCount(byColumn[c]);
        share.cells[c] = shownDecimal(a.outcomes ? 100.0 * double(byColumn[c]) / double(a.outcomes) : 0, 1) + " %";
    }
    table << outcomes << share;
    // Rows per prize class: no class below 10.
    AnalysisTableLine average{QString::fromUtf8("Rivejä keskimäärin"), {}};
    AnalysisTableLine least{QString::fromUtf8("Rivejä vähintään"), {}};
    AnalysisTableLine most{QString::fromUtf8("Rivejä enintään"), {}};
    for (std::size_t c = 0; c < kPrizeClassHits.size(); ++c) {
        average.cells[c] = shownDecimal(a.rowsInClass[c].average, 2);
        least.cells[c] = shownCount(std::uint64_t(a.rowsInClass[c].least));
        most.cells[c] = shownCount(std::uint64_t(a.rowsInClass[c].most));
    }
    table << average << least << most;
    if (result.weighted) {
        AnalysisTableLine chance{QString::fromUtf8("Todennäköisyys, paras rivi"), {}};
        AnalysisTableLine expected{QString::fromUtf8("Rivejä odotusarvoisesti"), {}};
        for (std::size_t c = 0; c < kPrizeClassHits.size(); ++c) {
            chance.cells[c] = shownDecimal(100 * result.weighted->chanceBestHas[c], 2) + " %";
            expected.cells[c] = shownDecimal(result.weighted->expectedRows[c], 2);
        }
        table << chance << expected;
    }
    return table;
}
