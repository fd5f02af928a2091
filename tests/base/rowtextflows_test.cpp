#include "base/rowtext.h"
#include "base/ui/rowtextflows.h"
#include "support/testenv.h"

#include "support/files.h"
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include <gtest/gtest.h>

TEST(ExportRows, TextAndCsvFilesTheUserNamesAndTheClipboard)
{
    TestEnv env;
    const RowBuffer rows = rowsOf({"1X21X21X21X21", "2222222222222", "XXXXXXXXXXXXX"});
    env.dialogs.choose(env.path("rivit.txt"));
    EXPECT_TRUE(ExportRows(env.context, rows, 2, RowExportTarget::TextFile));
    EXPECT_EQ(env.dialogs.saved.last().title, "Anna tekstitiedostolle nimi");
    EXPECT_EQ(env.dialogs.saved.last().defaultExt, ".txt");
    EXPECT_EQ(readBytes(env.path("rivit.txt")), QByteArray("1X21X21X21X21\n2222222222222\n"));
    EXPECT_EQ(env.messages.lastText(), "Tiedostoon rivit.txt vietiin 2 riviä.");

    env.dialogs.choose(env.path("rivit.csv"));
    EXPECT_TRUE(ExportRows(env.context, rows, 1, RowExportTarget::CsvFile));
    EXPECT_EQ(env.dialogs.saved.last().filter, "CSV-tiedostot (*.csv)|*.csv");
    EXPECT_TRUE(readBytes(env.path("rivit.csv")).endsWith("Kohde 13\n1,X,2,1,X,2,1,X,2,1,X,2,1\n"));

    // An existing file is replaced only when the user says so.
    env.dialogs.choose(env.path("rivit.txt"));
    env.messages.answerNext(Messages::No);
    EXPECT_FALSE(ExportRows(env.context, rows, 3, RowExportTarget::TextFile));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::YesNo | Messages::Question | Messages::DefaultButton2);
    EXPECT_EQ(readBytes(env.path("rivit.txt")).size(), 28);
    env.dialogs.choose(env.path("rivit.txt"));
    env.messages.answerNext(Messages::Yes);
    EXPECT_TRUE(ExportRows(env.context, rows, 3, RowExportTarget::TextFile));
    EXPECT_EQ(readBytes(env.path("rivit.txt")).size(), 42);

    EXPECT_TRUE(ExportRows(env.context, rows, 3, RowExportTarget::Clipboard));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1X21X21X21X21\n2222222222222\nXXXXXXXXXXXXX\n");
    EXPECT_EQ(env.messages.lastText(), "Leikepöydälle kopioitiin 3 riviä.");
}

TEST(ExportRows, DamagedRowsAndWriteFailuresAreToldAndNothingIsLeft)
{
    TestEnv env;
    RowBuffer rows = rowsOf({"1X21X21X21X21"});
    rows[0][3] = 'Q';
    const int dialogs = int(env.dialogs.saved.size());
    EXPECT_FALSE(ExportRows(env.context, rows, 1, RowExportTarget::TextFile));
    EXPECT_EQ(env.messages.lastText(), "Viallinen rivitiedosto ?");
    EXPECT_EQ(int(env.dialogs.saved.size()), dialogs);

    rows[0][3] = '1';
    ASSERT_TRUE(writeBytes(env.path("kansio"), "x"));
    env.dialogs.choose(env.path("kansio/rivit.txt"));
    EXPECT_FALSE(ExportRows(env.context, rows, 1, RowExportTarget::TextFile));
    EXPECT_EQ(env.messages.lastText(), "Tiedoston kirjoitus ei onnistu !");
    EXPECT_EQ(entriesOf(env.dir.path()), QStringList{"kansio"});
}

TEST(ImportRowText, RefusedLinesAreListedAndNothingIsWrittenUnlessTheRestIsTaken)
{
    TestEnv env;
    const QString text = "Kohde 1;Kohde 2\n1x21x21x21x21\n1X2\n\n2;2;2;2;2;2;2;2;2;2;2;2;2\n";
    env.messages.answerNext(Messages::No);
    EXPECT_FALSE(ImportRowText(env.context, text));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), "Nämä rivit eivät ole 13 merkin rivejä:\r\nRivi 3: 1X2\r\n\r\n"
                                       "Tuodaanko muut 2 riviä ?");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::YesNo | Messages::Question | Messages::DefaultButton2);
    EXPECT_TRUE(env.dialogs.saved.isEmpty());

    // Taken: the rows wait for a name that is free.
    env.messages.shown.clear();
    ASSERT_TRUE(writeBytes(env.path("vanha.1X2"), "keep"));
    env.messages.answerNext(Messages::Yes);
    env.dialogs.choose(env.path("vanha.1X2"));
    env.dialogs.choose(env.path("uusi.1X2"));
    EXPECT_TRUE(ImportRowText(env.context, text));
    EXPECT_EQ(env.dialogs.saved.size(), 2);
    EXPECT_EQ(env.dialogs.saved.last().title, "Anna rivitiedostolle nimi");
    EXPECT_EQ(readBytes(env.path("vanha.1X2")), QByteArray("keep"));
    EXPECT_EQ(readBytes(env.path("uusi.1X2")), QByteArray("2 nova       1X21X21X21X212222222222222"));
    EXPECT_EQ(
        env.messages.texts().mid(1),
        (QStringList{"Tiedosto on jo olemassa, anna uusi nimi !",
                     "Tiedostoon uusi.1X2 tuotiin 2 riviä.\r\nRivi 1 on otsikko, sitä ei tuotu: Kohde 1;Kohde 2"}));

    // Cancelling the name gives up.
    env.dialogs.choose(QString());
    EXPECT_FALSE(ImportRowText(env.context, "1111111111111"));

    env.messages.shown.clear();
    EXPECT_FALSE(ImportRowText(env.context, "\n1X2 1X2\n"));
    EXPECT_EQ(env.messages.lastText(), "Nämä rivit eivät ole 13 merkin rivejä:\r\nRivi 2: 1X2 1X2\r\n\r\n"
                                       "Tekstissä ei ole yhtään riviä !");
}

TEST(ImportRowText, FromATextFileOrTheClipboard)
{
    TestEnv env;
    ASSERT_TRUE(writeBytes(env.path("rivit.txt"), "1X21X21X21X21\r\n2222222222222\r\n"));
    env.dialogs.choose(env.path("rivit.txt"));
    env.dialogs.choose(env.path("tuotu.1X2"));
    EXPECT_TRUE(ImportRowsFromFile(env.context));
    EXPECT_EQ(env.dialogs.opened.last().title, "Valitse tuotava teksti- tai CSV-tiedosto !");
    EXPECT_EQ(readBytes(env.path("tuotu.1X2")).size(), 39);

    ASSERT_TRUE(writeBytes(env.path("suuri.txt"), QByteArray(kMaxRowTextBytes + 1, '1')));
    env.dialogs.choose(env.path("suuri.txt"));
    EXPECT_FALSE(ImportRowsFromFile(env.context));
    EXPECT_EQ(env.messages.lastText(), "Tiedosto on liian suuri rivitiedostoksi !");

    // A skipped header is named with what was taken.
    QGuiApplication::clipboard()->setText("Rivit:\nXXXXXXXXXXXXX\n");
    env.dialogs.choose(env.path("leike.1X2"));
    EXPECT_TRUE(ImportRowsFromClipboard(env.context));
    EXPECT_EQ(readBytes(env.path("leike.1X2")), QByteArray("1 nova       XXXXXXXXXXXXX"));
    EXPECT_EQ(env.messages.lastText(),
              "Tiedostoon leike.1X2 tuotiin 1 rivi.\r\nRivi 1 on otsikko, sitä ei tuotu: Rivit:");
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(ImportRowsFromClipboard(env.context));
    EXPECT_EQ(env.messages.lastText(), "Leikepöydällä ei ole tekstiä !");
}
