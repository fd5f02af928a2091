#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// The program's text conventions, in one place.

// A number as the plain number-to-text conversion gives it: a leading blank
// for the sign of a positive number (" 12"), "-" for a negative one.
QString signedNumber(qint64 n);

// The "###,###" pattern: thousands grouped with the locale's separator, a
// zero shown as empty text.
QString groupedAmount(qint64 n);

// A count as the windows show it, grouped in the program's locale: "1 594 323".
QString shownCount(quint64 n);

// The "##.#" pattern: rounded to tenths with the locale's decimal point, a
// zero whole part and a zero tenth left out: "13.", "10.4", ".5".
QString tenthsPattern(double x);

// "dd.mm.yyyy".
QString formatDate(const QDate& date);

// The leading number of a text (blanks ignored, "14.5" with a decimal point
// whatever the locale); 0 when the text does not begin with a number.
double leadingNumber(const QString& text);

// leadingNumber rounded to a whole number, halves to the even one, kept within 32 bits.
int leadingInt(const QString& text);

// Whole number nearest to x, halves to the even one.
double roundHalfEven(double x);

// A decimal number as trimmed text: "14.5", "44".
QString decimalText(double x);

// A name shortened for a 20-character field: longer names become their
// first 15 characters, "~" and their last 4.
QString shortenedName(const QString& name);

// Text padded with blanks or cut to `width` characters.
QString fitField(const QString& text, int width);

// The footer of every print-out: the program's name and the day it was printed.
QString printFooter(const QDate& today);

// The Windows ANSI code page of the program's text files.
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);

// Message lines are joined with carriage return and line feed.
inline constexpr const char* kLineBreak = "\r\n";

// The program's name where a message has no title of its own.
inline constexpr const char* kProgramTitle = "Rivikone";
inline constexpr const char* kMainTitle = "Rivikone PRO v1.0";
