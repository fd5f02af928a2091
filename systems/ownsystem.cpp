#include "systems/ownsystem.h"

#include "base/rowfile.h"
#include "systems/coveringspace.h"
#include "systems/guaranteeanalysis.h"

// The logic's own limits are those of a rows file.
static_assert(kMostTableRows == std::size_t(kMaxRows));
static_assert(kMostAnalysedRows == std::size_t(kMaxRows));

OwnSystemOutlook ownSystemOutlook(const Frame& frame, int guarantee)
{
    OwnSystemOutlook outlook;
    if (!frameIsValid(frame))
        return outlook;
    const CoveringSpace space = coveringSpace(frame, guarantee);
    outlook.outcomes = space.size;
    outlook.lowerBound = sphereCoveringBound(space);
    outlook.tooManyRows = outlook.lowerBound > std::uint64_t(kMaxRows);
    return outlook;
}

QString tooManyRowsMessage(std::uint64_t rowsNeeded)
{
    return QString::fromUtf8("Tähän tarvitaan vähintään %1 riviä, rivitiedostoon mahtuu enintään %2 !")
        .arg(rowsNeeded)
        .arg(kMaxRows);
}

QString searchFailureMessage(const CoveringResult& result)
{
    switch (result.status) {
    case CoveringStatus::Found:
        return QString();
    case CoveringStatus::NeedsTooManyRows:
        return result.lowerBound > std::uint64_t(kMaxRows)
                   ? tooManyRowsMessage(result.lowerBound)
                   : QString::fromUtf8("Alle %1 rivin taulukkoa ei löytynyt annetussa ajassa !").arg(kMaxRows + 1);
    case CoveringStatus::InvalidRequest:
        return QString::fromUtf8("Merkitse jokaiseen kohteeseen merkki ja valitse takuu 10, 11 tai 12 !");
    case CoveringStatus::TooMuchWork:
        return QString::fromUtf8("Ehdot täyttäviä rivejä on liian paljon tälle takuulle: karsi ensin enemmän !");
    case CoveringStatus::CheckFailed:
        break;
    }
    // The independent check refused what the search found: never offered.
    return QString::fromUtf8("Haku epäonnistui: löydetty taulukko ei pitänyt takuuta !");
}
