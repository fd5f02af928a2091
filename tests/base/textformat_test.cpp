#include "base/textformat.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(TextFormat, SignedNumbersCarryABlankForTheSign)
{
    EXPECT_EQ(signedNumber(12), " 12");
    EXPECT_EQ(signedNumber(0), " 0");
    EXPECT_EQ(signedNumber(-5), "-5");
}

TEST(TextFormat, AmountsGroupThousandsAndShowZeroAsEmpty)
{
    EXPECT_EQ(groupedAmount(0), "");
    EXPECT_EQ(groupedAmount(300), "300");
    EXPECT_EQ(groupedAmount(1234), "1,234");
    EXPECT_EQ(groupedAmount(1234567), "1,234,567");
    EXPECT_EQ(groupedAmount(-1000), "-1,000");
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(groupedAmount(1234567), "1.234.567");
    QLocale::setDefault(QLocale::c());
}

TEST(TextFormat, DatesAreDayMonthYear)
{
    EXPECT_EQ(formatDate(QDate(2026, 3, 7)), "07.03.2026");
}

TEST(TextFormat, LeadingNumberReadsLikeTheOldNumericParse)
{
    EXPECT_EQ(leadingNumber("14.5"), 14.5);
    EXPECT_EQ(leadingNumber(" 12"), 12);
    EXPECT_EQ(leadingNumber("12 nova"), 12); // blanks are skipped, letters end the number
    EXPECT_EQ(leadingNumber("1 2"), 12);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("-3x"), -3);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(leadingNumber("1e3"), 1000);
    EXPECT_EQ(leadingNumber("7e"), 7);
    EXPECT_EQ(leadingNumber("14,5"), 14); // the decimal point is "." whatever the locale
}

TEST(TextFormat, RoundingGoesHalfToEven)
{
    EXPECT_EQ(roundHalfEven(101.5), 102);
    EXPECT_EQ(roundHalfEven(92.5), 92);
    EXPECT_EQ(roundHalfEven(93.5), 94);
    EXPECT_EQ(leadingInt("2.5"), 2);
    EXPECT_EQ(leadingInt("99999999999"), 2147483647);
}

TEST(TextFormat, DecimalTextIsTrimmed)
{
    EXPECT_EQ(decimalText(14.5), "14.5");
    EXPECT_EQ(decimalText(44), "44");
}

TEST(TextFormat, LongNamesAreShortenedTo20Characters)
{
    EXPECT_EQ(shortenedName("12345678901234567890"), "12345678901234567890");
    const QString name = "Syndikaatti_kevat_2026_A.1X2"; // 28 characters
    EXPECT_EQ(shortenedName(name), "Syndikaatti_kev~.1X2");
    EXPECT_EQ(shortenedName(name).size(), 20);
}

TEST(TextFormat, FieldsArePaddedOrCut)
{
    EXPECT_EQ(fitField("ab", 5), "ab   ");
    EXPECT_EQ(fitField("abcdef", 3), "abc");
}

TEST(TextFormat, FinnishLettersAreSingleAnsiBytes)
{
    const QString text = QString::fromUtf8("Järjestelmä Åö€");
    const QByteArray bytes = toAnsi(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(quint8(bytes[1]), 0xE4);  // ä
    EXPECT_EQ(quint8(bytes[12]), 0xC5); // Å
    EXPECT_EQ(quint8(bytes[14]), 0x80); // €
    EXPECT_EQ(fromAnsi(bytes), text);
    EXPECT_EQ(toAnsi(QString::fromUtf8("€ ✓")), QByteArray("\x80 ?"));
}

TEST(TextFormat, TheTenthsPatternLeavesOutZeroDigits)
{
    // "##.#": a digit where there is one, nothing for a zero whole part or tenth.
    EXPECT_EQ(tenthsPattern(13), "13.");
    EXPECT_EQ(tenthsPattern(10.44), "10.4");
    EXPECT_EQ(tenthsPattern(10.45), "10.5");
    EXPECT_EQ(tenthsPattern(0.5), ".5");
    EXPECT_EQ(tenthsPattern(9.96), "10.");
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_EQ(tenthsPattern(8.25), "8,3");
    QLocale::setDefault(QLocale::c());
}
