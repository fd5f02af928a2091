#include "base/ui/rowfileflows.h"
#include "support/testenv.h"

#include "support/files.h"
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void enterRow(SharedState& s, const char* signs)
{
    s.BasicSignCount = 0;
    for (int k = 0; k < 13; ++k) {
        s.BasicSigns[k] = QString(QChar::fromLatin1(signs[k]));
        s.BasicSignCount += signs[k] != ' ';
    }
}

} // namespace

TEST(SaveRowsFile, WritesANewFileAndNeverReplacesOne)
{
    TestEnv env;
    env.state.Rows = {rowFromText("1111111111111"), rowFromText("2222222222222"), rowFromText("XXXXXXXXXXXXX")};

    EXPECT_FALSE(SaveRowsFile(env.context, 2)); // cancelled
    ASSERT_EQ(env.dialogs.saved.size(), 1);
    EXPECT_EQ(env.dialogs.saved[0].title, "Anna rivitiedostolle nimi");
    EXPECT_EQ(env.dialogs.saved[0].filter, "Hajarivit (*.1X2)|*.1X2");
    EXPECT_EQ(env.dialogs.saved[0].defaultExt, ".1X2");
    EXPECT_EQ(env.state.DialogMode, 2);

    const QString path = env.path("kaksi.1X2");
    env.dialogs.choose(path);
    EXPECT_TRUE(SaveRowsFile(env.context, 2));
    EXPECT_EQ(readBytes(path), QByteArray("2 nova       11111111111112222222222222"));
    EXPECT_EQ(env.state.CurrentFileTitle, "kaksi.1X2");
    EXPECT_TRUE(env.messages.shown.isEmpty());

    env.dialogs.choose(path);
    EXPECT_FALSE(SaveRowsFile(env.context, 3));
    EXPECT_EQ(env.messages.lastText(), "Tiedosto on jo olemassa, anna uusi nimi !");
    EXPECT_EQ(env.messages.shown.last().title, "Tallenna");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(readBytes(path).size(), 39);
    EXPECT_EQ(QDir::currentPath(), QDir(env.dir.path()).absolutePath());
}

TEST(SaveRowsFile, DoesNothingWhileADrawIsRunning)
{
    TestEnv env;
    env.state.DrawBusy = 1;
    env.dialogs.choose(env.path("x.1X2"));
    EXPECT_FALSE(SaveRowsFile(env.context, 0));
    EXPECT_TRUE(env.dialogs.saved.isEmpty());
}

TEST(SaveRowsFile, AFailedWriteKeepsTheRowsForAnotherTry)
{
    TestEnv env;
    env.state.Rows = {rowFromText("1111111111111")};
    ASSERT_TRUE(writeBytes(env.path("tiedosto"), "x"));
    env.dialogs.choose(env.path("tiedosto/rivit.1X2"));
    EXPECT_FALSE(SaveRowsFile(env.context, 1));
    EXPECT_EQ(env.messages.lastText(), "Tiedoston kirjoitus ei onnistu !");
    EXPECT_EQ(env.messages.shown.last().title, "");
    EXPECT_EQ(env.state.Rows.size(), 1u);
    env.dialogs.choose(env.path("rivit.1X2"));
    EXPECT_TRUE(SaveRowsFile(env.context, 1));
    EXPECT_EQ(readBytes(env.path("rivit.1X2")).size(), 26);
}

TEST(SaveSystemRow, ANewFileGetsItsHeaderAndEveryRow)
{
    TestEnv env;
    env.state.HalfGuardCount = 2;
    env.state.FullGuardCount = 2;
    int next = 2;
    QList<int> shownCounts;
    auto show = [&](int n) { shownCounts << n; };

    enterRow(env.state, "12X1111111 11");
    EXPECT_FALSE(SaveSystemRow(env.context, next, show));
    EXPECT_EQ(env.messages.lastText(), "Rivissä pitäisi olla 13 merkkiä !");
    EXPECT_TRUE(env.dialogs.saved.isEmpty());

    enterRow(env.state, "12X1111111111");
    const QString path = env.path("oma.STM");
    env.dialogs.choose(path);
    ASSERT_TRUE(SaveSystemRow(env.context, next, show));
    EXPECT_EQ(env.dialogs.saved[0].title, "Anna systeemille nimi !");
    EXPECT_EQ(env.dialogs.saved[0].filter, "Systeemit (*.STM)|*.STM");
    EXPECT_EQ(env.dialogs.saved[0].defaultExt, ".STM");
    EXPECT_EQ(readBytes(path), QByteArray("O2 T2 R1     12X1111111111"));
    EXPECT_EQ(env.messages.lastText(), "Tallennettu rivi  1");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);

    enterRow(env.state, "2121111111111");
    ASSERT_TRUE(SaveSystemRow(env.context, next, show));
    EXPECT_EQ(env.dialogs.saved.size(), 1); // the file is asked for only once
    EXPECT_EQ(readBytes(path), QByteArray("O2 T2 R2     12X11111111112121111111111"));
    EXPECT_EQ(shownCounts, QList<int>({1, 2}));
    EXPECT_EQ(next, 4);
}

TEST(SaveSystemRow, AnExistingFileIsContinuedOnlyWithTheSameShape)
{
    TestEnv env;
    const QString path = env.path("vanha.STM");
    QByteArray bytes = systemFileHeader(2, 2, 5);
    for (int i = 0; i < 5; ++i)
        bytes += "1211111111111";
    ASSERT_TRUE(writeBytes(path, bytes));
    enterRow(env.state, "22XX111111111");

    // Declined: nothing written, the next save asks again.
    env.state.HalfGuardCount = 2;
    env.state.FullGuardCount = 2;
    int next = 2;
    env.dialogs.choose(path);
    env.messages.answerNext(Messages::No);
    EXPECT_FALSE(SaveSystemRow(env.context, next));
    EXPECT_EQ(env.messages.shown[0].text, "Tiedosto on jo olemassa, haluatko varmasti jatkaa samaan tiedostoon ?");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::YesNo | Messages::Question);
    EXPECT_TRUE(env.state.CurrentFile.isEmpty());
    EXPECT_EQ(readBytes(path), bytes);

    // Another shape is refused.
    env.state.HalfGuardCount = 3;
    env.dialogs.choose(path);
    EXPECT_FALSE(SaveSystemRow(env.context, next));
    EXPECT_EQ(env.messages.lastText(),
              "Tässä järjestelmässä on osittainvaihdeltuja 2\r\nAnna järjestelmälle uusi nimi !");
    env.state.HalfGuardCount = 2;
    env.state.FullGuardCount = 4;
    env.dialogs.choose(path);
    EXPECT_FALSE(SaveSystemRow(env.context, next));
    EXPECT_EQ(env.messages.lastText(),
              "Tässä järjestelmässä on täysinvaihdeltuja 2\r\nAnna järjestelmälle uusi nimi !");
    EXPECT_TRUE(env.state.CurrentFile.isEmpty());
    EXPECT_EQ(readBytes(path), bytes);

    // The same shape appends after the earlier rows.
    env.state.FullGuardCount = 2;
    env.dialogs.choose(path);
    ASSERT_TRUE(SaveSystemRow(env.context, next));
    EXPECT_EQ(next, 8);
    const QByteArray after = readBytes(path);
    EXPECT_EQ(after.left(13), QByteArray("O2 T2 R6     "));
    EXPECT_EQ(after.mid(13, 65), bytes.mid(13));
    EXPECT_EQ(after.right(13), QByteArray("22XX111111111"));
    EXPECT_EQ(env.messages.lastText(), "Tallennettu rivi  6");
}

TEST(FileSafety, AFailedSystemSaveLeavesTheWindowFreeToChooseAnotherFile)
{
    TestEnv env;
    env.state.HalfGuardCount = 2;
    env.state.FullGuardCount = 2;
    int next = 2;
    enterRow(env.state, "12X1111111111");
    const QString continued = env.path("vanha.STM");
    QByteArray bytes = systemFileHeader(2, 2, 5);
    for (int i = 0; i < 5; ++i)
        bytes += "1211111111111";
    ASSERT_TRUE(writeBytes(continued, bytes));
    {
        FullDisk full(20);
        // A new file: its header alone would fit, the header with the row does not.
        env.dialogs.choose(env.path("uusi.STM"));
        EXPECT_FALSE(SaveSystemRow(env.context, next));
        EXPECT_EQ(env.messages.lastText(), "Levy täynnä !");
        EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
        EXPECT_TRUE(env.state.CurrentFile.isEmpty());
        // An existing file that is continued.
        env.dialogs.choose(continued);
        EXPECT_FALSE(SaveSystemRow(env.context, next));
        EXPECT_EQ(env.messages.lastText(), "Levy täynnä !");
        EXPECT_TRUE(env.state.CurrentFile.isEmpty());
    }
    EXPECT_EQ(readBytes(continued), bytes);
    EXPECT_EQ(entriesOf(env.dir.path()), QStringList{"vanha.STM"});
    EXPECT_EQ(next, 2);

    // The next save asks for a file again and stores the row the window still holds.
    const QString path = env.path("oma.STM");
    env.dialogs.choose(path);
    ASSERT_TRUE(SaveSystemRow(env.context, next));
    EXPECT_EQ(env.dialogs.saved.size(), 3);
    EXPECT_EQ(readBytes(path), QByteArray("O2 T2 R1     12X1111111111"));
    EXPECT_EQ(env.state.CurrentFile, path);
    EXPECT_EQ(next, 3);
}

TEST(FileSafety, ARowsFileOnAFullDiskIsToldAndNotLeftBehind)
{
    TestEnv env;
    env.state.Rows = RowBuffer(500, rowFromText("1X21X21X21X21"));
    const QString path = env.path("rivit.1X2");
    env.dialogs.choose(path);
    {
        FullDisk full(4096);
        EXPECT_FALSE(SaveRowsFile(env.context, 500));
    }
    EXPECT_EQ(env.messages.lastText(), "Levy täynnä !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_TRUE(entriesOf(env.dir.path()).isEmpty());
    env.dialogs.choose(path);
    EXPECT_TRUE(SaveRowsFile(env.context, 500));
    EXPECT_EQ(readBytes(path).size(), 501 * 13);
}

TEST(ReadRowFile, FillsTheSharedRowsOrReportsWithTheCallersMessage)
{
    TestEnv env;
    QByteArray system = systemFileHeader(3, 2, 2);
    system += "1212X11111111";
    system += "2112211111111";
    ASSERT_TRUE(writeBytes(env.path("oma.STM"), system));
    env.state.CurrentFile = env.path("oma.STM");
    ASSERT_TRUE(ReadRowFile(env.context, RowReader::Checking, "Tämän tiedoston luku ei onnistu !"));
    EXPECT_EQ(env.state.RowCount, 2);
    EXPECT_EQ(env.state.HalfGuardCount, 3);
    EXPECT_EQ(env.state.FullGuardCount, 2);
    EXPECT_EQ(rowText(env.state.Rows[1]), "2112211111111");

    ASSERT_TRUE(writeBytes(env.path("rikki.1X2"), rowsFileHeader(3) + "1111111111111"));
    env.state.CurrentFile = env.path("rikki.1X2");
    EXPECT_FALSE(ReadRowFile(env.context, RowReader::PrintTarget, "Tiedoston luku ei onnistu !"));
    EXPECT_EQ(env.messages.lastText(), "Tiedoston luku ei onnistu !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.state.RowCount, 2); // what was loaded before stays

    env.state.CurrentFile = env.path("puuttuu.1X2");
    EXPECT_FALSE(ReadRowFile(env.context, RowReader::Checking, "Tämän tiedoston luku ei onnistu !"));
    EXPECT_EQ(env.messages.lastText(), "Tämän tiedoston luku ei onnistu !");

    // Nothing the program writes is empty.
    ASSERT_TRUE(writeBytes(env.path("tyhja.1X2"), {}));
    env.state.CurrentFile = env.path("tyhja.1X2");
    env.messages.shown.clear();
    EXPECT_FALSE(ReadRowFile(env.context, RowReader::PrintTarget, "Tiedoston luku ei onnistu !"));
    EXPECT_EQ(env.messages.texts(), QStringList{"Tiedoston luku ei onnistu !"});
    EXPECT_EQ(env.state.RowCount, 2);
}

TEST(RowFileNames, OwnSystemsAreKnownByTheirLastThreeLetters)
{
    EXPECT_TRUE(isSystemFileName("/a/b/oma.STM"));
    EXPECT_TRUE(isSystemFileName("oma.stm"));
    EXPECT_FALSE(isSystemFileName("oma.Stm"));
    EXPECT_FALSE(isSystemFileName("rivit.1X2"));
}
