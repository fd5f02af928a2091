#pragma once

// Texts that windows of more than one folder show alike. They live with the
// rows windows because the checking, random and shell windows may all include
// rows, and a text written twice drifts apart the first time one copy is
// corrected.
namespace SharedText {
// The basic-row window, opened to take the correct row of a round.
inline constexpr char CorrectRowTitle[] = "OIKEA RIVI";
inline constexpr char CorrectRowPrompt[] = "              Anna oikea rivi.";
// The system pattern window, opened to take a typed system.
inline constexpr char TypedSystemTitle[] = "JÄRJESTELMÄ";
inline constexpr char TypedSystemPrompt[] = "         Anna järjestelmäsi ";
// Results are stored under the round they belong to.
inline constexpr char RoundMissing[] = "Anna kierrosnumero !";
// What a reader announces for the control of one sign of one match.
inline constexpr char MatchSignName[] = "Ottelu %1, merkki %2";
// Rows files and own systems offered together.
inline constexpr char FileNotFound[] = "En löydä tiedostoa ";
} // namespace SharedText
