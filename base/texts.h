#pragma once

// Texts that more than one subsystem shows alike, for the windows and the
// command-line program both: a text written twice drifts apart the first time
// one copy is corrected.
namespace Texts {
// Reading and writing the player's files.
inline constexpr char FileUnreadable[] = "Tiedoston luku ei onnistu !";
inline constexpr char ThisFileUnreadable[] = "Tämän tiedoston luku ei onnistu !";
inline constexpr char FileReadError[] = "Tiedoston lukuvirhe !";
inline constexpr char FileWriteFailed[] = "Tiedoston kirjoitus ei onnistu !";
inline constexpr char FileExistsGiveNewName[] = "Tiedosto on jo olemassa, anna uusi nimi !";
inline constexpr char RowFileDamaged[] = "Viallinen rivitiedosto ?";
inline constexpr char FileHasNoRows[] = "Tiedostossa ei ole rivejä !";
// Asked before a file is written over; the line break is kLineBreak, as in every message.
inline constexpr char FileExistsReplace[] = "Tiedosto %1 on jo olemassa.\r\nKorvataanko se ?";
// A refused line of a file the player wrote, with its number.
inline constexpr char NumberedLine[] = "Rivi %1: %2";
// Row files and own systems offered together.
inline constexpr char RowFileFilter[] = "Kaikki (*.1X2;*.STM)|*.1X2;*.STM";
inline constexpr char ExportToCsv[] = "Vie &CSV-tiedostoon";
// Rows as typed.
inline constexpr char RowNeedsThirteenSigns[] = "Rivissä pitäisi olla 13 merkkiä !";
inline constexpr char TooManyBankers[] = "Liikaa varmoja !";
inline constexpr char DrawingFailed[] = "Arvonta ei onnistu !";
inline constexpr char NoMemoryForSystem[] = "Muisti ei riitä tälle järjestelmälle !";
// A command line that cannot be read, with the option as typed; the program
// and the command-line program read options alike.
inline constexpr char OptionLacksValue[] = "Valitsimelta %1 puuttuu arvo !";
inline constexpr char UnknownOption[] = "Tuntematon valitsin %1 !";
// Every print-out and listing is set in this typewriter face, so columns line up.
inline constexpr char ListingFont[] = "Courier New";
// Typewriter faces of the same widths, tried in this order where that one is missing.
inline constexpr char ListingFontStandIn[] = "Liberation Mono";
inline constexpr char ListingFontLastStandIn[] = "DejaVu Sans Mono";
} // namespace Texts
