#pragma once

// Texts that more than one place of the football windows shows, so that the
// same message or caption cannot drift apart between windows.

namespace football {

// Window titles, which the database choice also offers as its options.
inline constexpr char kTeamDatabaseTitle[] = "Joukkue tietokanta";
inline constexpr char kPlayerDatabaseTitle[] = "Pelaaja tietokanta";
inline constexpr char kResultsTitle[] = "Tulokset";
inline constexpr char kLeagueTableTitle[] = "Sarjatilanne";

// Captions the team and player windows (and the results window) share.
inline constexpr char kSearchAndMoveCaption[] = "Haku ja siirto";
inline constexpr char kUpdatedCaption[] = " Päivitetty";
inline constexpr char kOpenWebPageCaption[] = "Avaa &WWW-sivu";

// Titles of the message boxes.
inline constexpr char kDatabaseTitle[] = "Tietokanta";
inline constexpr char kPrintTitle[] = "Tulosta";
inline constexpr char kSaveTitle[] = "Tallenna";
inline constexpr char kDeleteTitle[] = "Poista";
inline constexpr char kMoveTitle[] = "Siirrä";

// Messages.
inline constexpr char kChangesNotSaved[] = "Muutoksia ei voitu tallentaa !";
inline constexpr char kDoNotClearField[] = "Älä tyhjennä tätä kenttää !";
inline constexpr char kNameNotFound[] = "Tällä nimellä ei löydy !";
inline constexpr char kTeamsUnreadable[] = "Joukkueita ei voi lukea !";
inline constexpr char kPlayersUnreadable[] = "Pelaajia ei voi lukea !";
inline constexpr char kListFirst[] = "Listaa ensin taulukkoon!";
inline constexpr char kSaveFailedNothingChanged[] = "Tallennus ei onnistunut, tietokanta on ennallaan !";
inline constexpr char kSaved[] = "Tallennettu";

} // namespace football
