#pragma once

#include "systems/rowworth.h"

#include <QString>
#include <QStringList>
#include <optional>

// The figures of the worth of rows as the command prints them and the worth
// window shows them, from one place.

// "Rivejä: 64", "Panos: 16.00", "Odotusarvo: 11.23", "Palautus: 70.2 %",
// "Voiton todennäköisyys: 35.1234 %", then a line per class:
// "13 oikein: 0.0123 % 4.56" (the chance that some row has exactly that many
// right, and the expected return the class brings). Euros with two
// decimals, the return with one, chances in per cent with four; a decimal
// point, for scripts.
QStringList worthLines(const WorthReport& report);

// The same figures in the user's own number format, for the window.
QStringList shownWorthLines(const WorthReport& report);

// "13:131250,12:45000,11:37500,10:52500": the pools of the classes in euros,
// each class at most once, a missing class without a pool. Nothing, with the
// user's message in `error`, when the text does not do.
std::optional<std::array<double, 4>> parsePools(const QString& text, QString& error);
// The pools as parsePools reads them, every class given.
QString poolsText(const std::array<double, 4>& pools);
