#pragma once

// Texts the systems windows and the command-line program show alike, so a
// report reads the same on screen and in a terminal.
namespace SystemTexts {
// Report lines.
inline constexpr char RowCount[] = "Rivejä: %1";
inline constexpr char OutcomeCount[] = "Tulosvaihtoehtoja: %1";
inline constexpr char Guarantee[] = "Takuu: %1";
inline constexpr char KeptRowCount[] = "Ehdot täyttäviä rivejä: %1";
inline constexpr char CorrectCount[] = "%1 oikein";
inline constexpr char SourceRowCount[] = "%1: %2 riviä";
inline constexpr char Saved[] = "Tallennettu: %1";
// Where the rows come from.
inline constexpr char RowsInMemory[] = "Muistissa olevat rivit";
inline constexpr char ChooseRowFileOrSystem[] = "Valitse rivitiedosto tai oma systeemi.";
// What stops a calculation.
inline constexpr char MarkEveryMatch[] = "Merkitse jokaiseen kohteeseen vähintään yksi merkki.";
inline constexpr char FrameHasOnlyRows[] = "Kaavassa on vain %1 riviä !";
inline constexpr char CalculationFailed[] = "Laskenta ei onnistu !";
inline constexpr char NumberNotValid[] = "Luku %1 ei kelpaa !";
} // namespace SystemTexts
