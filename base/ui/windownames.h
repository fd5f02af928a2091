#pragma once

// Every window is known to the registry, and to tests and accessibility as
// its objectName, by its given name. Code names a window through these
// constants, which say what the window is.
namespace WindowName {
// The shell
inline constexpr char Main[] = "Form1";
inline constexpr char Settings[] = "aseta";
inline constexpr char Information[] = "demoform";
// Rows and systems
inline constexpr char BasicRow[] = "Form6";
inline constexpr char SystemPattern[] = "Formh";
inline constexpr char ReducedSystemChoice[] = "harat";
inline constexpr char OwnSystemShape[] = "jar";
inline constexpr char OwnSystemEntry[] = "jst";
inline constexpr char Conversion[] = "kon";
// Random rows
inline constexpr char DrawKind[] = "Form11";
inline constexpr char WeightingKind[] = "Form2";
inline constexpr char AverageWeight[] = "Form3";
inline constexpr char MatchWeights[] = "Form8";
inline constexpr char RowCount[] = "Form4";
inline constexpr char Drawing[] = "Form7";
// Checking and statistics
inline constexpr char CheckFileType[] = "jvali";
inline constexpr char Checking[] = "Form9";
inline constexpr char Statistics[] = "tillis";
// Printing
inline constexpr char CouponPrint[] = "vak";
inline constexpr char PrintTarget[] = "Listvali";
inline constexpr char ScreenListing[] = "listaus";
// Football database
inline constexpr char DatabaseChoice[] = "kannat";
inline constexpr char Teams[] = "kanta";
inline constexpr char Players[] = "pelaajat";
inline constexpr char Results[] = "tulos";
inline constexpr char LeagueTable[] = "tilanne";
inline constexpr char HintRow[] = "vihje";
// Systems beyond the reduced ones
inline constexpr char GuaranteeAnalysis[] = "takuu";
inline constexpr char OwnReducedSystem[] = "omaharava";
inline constexpr char Pruning[] = "karsinta";
inline constexpr char Worth[] = "odotusarvo";
} // namespace WindowName
