#include "base/statsfiles.h"
#include "base/textformat.h"
#include "base/ui/windownames.h"
#include "checking/rowcheck.h"
#include "checking/statistics.h"
#include "printing.h"
#include "rows/harava.h"
#include "support/files.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QFile>
#include <QListView>
#include <QSet>
#include <QStringListModel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kCorrect = "1X21X21X21X21";

void setCorrectRow(SharedState& s, const QString& row = kCorrect)
{
    for (int k = 0; k < 13; ++k)
        s.BasicSigns[k] = row.mid(k, 1);
    s.BasicSignCount = 13;
}

// The correct row with the first `wrong` matches changed.
QString withWrong(int wrong)
{
    QString row = kCorrect;
    for (int k = 0; k < wrong; ++k)
        row[k] = row[k] == '1' ? '2' : '1';
    return row;
}

// Single rows as the checking entry leaves them after reading a rows file.
void prepareRows(TestEnv& env, const QStringList& rows, const QString& title = "rivit.1X2")
{
    SharedState& s = env.state;
    s.CheckTask = 1;
    s.CurrentFileTitle = title;
    s.Rows.clear();
    for (const QString& row : rows)
        s.Rows.push_back(rowFromText(row));
    s.RowCount = int(rows.size());
    setCorrectRow(s);
}

// A typed full system: the signs played on each match.
void prepareTypedSystem(TestEnv& env, const QStringList& perMatch)
{
    SharedState& s = env.state;
    s.CheckTask = 0;
    s.RowSource = 0;
    s.CurrentFileTitle = QString::fromUtf8("Järjestelmä");
    for (int k = 0; k < 13; ++k)
        for (QChar c : perMatch[k])
            s.SystemMarks[signIndex(char(c.toLatin1()))][k] = 1;
    setCorrectRow(s);
}

QStringList listLines(QWidget* window)
{
    auto* list = control<QListView>(window, "List1");
    auto* model = qobject_cast<QStringListModel*>(list->model());
    return model ? model->stringList() : QStringList();
}

int selectedLine(QWidget* window)
{
    return control<QListView>(window, "List1")->currentIndex().row();
}

} // namespace

TEST(CheckingWindowTest, LoadShowsTheCorrectRowAndTheFileTitle)
{
    TestEnv env;
    prepareRows(env, {withWrong(0)});
    QWidget* w = env.open(WindowName::Checking);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Tarkastus - ( rivit.1X2 )");
    EXPECT_EQ(textOf(w, "Text6"), "2026");
    EXPECT_EQ(textOf(w, "nu_1"), "X");
    EXPECT_EQ(textOf(w, "osu_12"), "1");
    EXPECT_EQ(textOf(w, "Label16"), " ?");
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"})
        EXPECT_EQ(textOf(w, name), " 0");
    EXPECT_TRUE(isEnabled(w, "Command1"));
    EXPECT_FALSE(isEnabled(w, "tilastoi"));
    saveShot(w, "checking_load");
}

TEST(CheckingWindowTest, SingleRowsAreTalliedListedAndPaid)
{
    TestEnv env;
    QStringList rows;
    for (int i = 0; i < 12; ++i)
        rows << withWrong(7); // six correct
    rows[0] = withWrong(3);
    rows[1] = withWrong(3);
    rows[2] = withWrong(3);
    rows[4] = withWrong(0);
    rows[10] = withWrong(0);
    rows[11] = withWrong(1);
    prepareRows(env, rows);
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::Checking);
    typeInto(w, "Text1", "100");
    typeInto(w, "Text4", "1000000");
    click(w, "Command1");

    EXPECT_EQ(textOf(w, "Label1"), " 3");
    EXPECT_EQ(textOf(w, "Label2"), " 0");
    EXPECT_EQ(textOf(w, "Label3"), " 1");
    EXPECT_EQ(textOf(w, "Label4"), " 2");
    EXPECT_EQ(textOf(w, "Label12"), " 12");
    EXPECT_EQ(textOf(w, "Label16"), " 11");
    EXPECT_EQ(textOf(w, "Label17"), " 2,000,300");
    EXPECT_EQ(env.state.LastFullHitRow, 11);
    EXPECT_EQ(env.state.PrizeClassCounts, (std::array<int, 4>{3, 0, 1, 2}));

    const QStringList lines = listLines(w);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], " 1  > 2 1 1  1 X 2  1 X 2  1 X 2 1 Oikein > 10");
    EXPECT_EQ(lines[10], " ");
    EXPECT_EQ(lines[11], " 11 > 1 X 2  1 X 2  1 X 2  1 X 2 1 Oikein > 13");
    // The later of the two 13-correct rows stays selected.
    EXPECT_EQ(selectedLine(w), 11);

    // Match 1 was right on 2 of 12 rows (16.7 %), match 2 on 3, match 4 on 6
    // and matches 8 … 13 on all.
    EXPECT_EQ(env.state.MatchHits[0], 2);
    EXPECT_EQ(textOf(w, "osui_0"), " 16");
    EXPECT_EQ(env.state.MatchPercents[0], 17);
    EXPECT_EQ(textOf(w, "osui_1"), " 25");
    EXPECT_EQ(textOf(w, "osui_3"), " 50");
    EXPECT_EQ(textOf(w, "osui_7"), " 100");
    EXPECT_EQ(textOf(w, "ka"), " 67"); // (17 + 25 + 25 + 4 × 50 + 6 × 100) / 13

    // One check per opening, with the prizes that were used.
    EXPECT_FALSE(isEnabled(w, "Command1"));
    EXPECT_TRUE(isEnabled(w, "C1"));
    EXPECT_TRUE(isEnabled(w, "tilastoi"));
    EXPECT_FALSE(isEnabled(w, "Text1"));
    EXPECT_FALSE(isEnabled(w, "Text4"));
    EXPECT_EQ(env.sound.played, QList<int>{13});
    saveShot(w, "checking_single_rows");

    click(w, "C1");
    settle();
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_EQ(openWindow(WindowName::Checking), nullptr);
}

TEST(CheckingWindowTest, AFullRowsFileIsListedWholeAndItsWinnerSelected)
{
    TestEnv env;
    QStringList rows(32767, withWrong(8));
    rows[30000] = withWrong(0);
    prepareRows(env, rows);
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    EXPECT_EQ(textOf(w, "Label12"), " 32767");
    EXPECT_EQ(textOf(w, "Label16"), " 30001");
    const QStringList lines = listLines(w);
    EXPECT_EQ(lines.size(), 32767 + 3276);
    EXPECT_TRUE(lines[selectedLine(w)].startsWith(" 30001> "));
}

TEST(CheckingWindowTest, NoSoundWithoutAPrizeOrWithSoundsOff)
{
    {
        TestEnv env;
        prepareRows(env, {withWrong(4), withWrong(5)});
        QWidget* w = env.open(WindowName::Checking);
        click(w, "Command1");
        EXPECT_TRUE(env.sound.played.isEmpty());
        EXPECT_EQ(textOf(w, "Label17"), " ");
    }
    {
        TestEnv env;
        env.state.SoundOn = 0;
        prepareRows(env, {withWrong(0)});
        QWidget* w = env.open(WindowName::Checking);
        click(w, "Command1");
        EXPECT_EQ(textOf(w, "Label4"), " 1");
        EXPECT_TRUE(env.sound.played.isEmpty());
    }
}

TEST(CheckingWindowTest, AFileWithoutRowsLeavesThePercentagesEmpty)
{
    TestEnv env;
    prepareRows(env, {});
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    EXPECT_EQ(textOf(w, "Label12"), "") << "no row was checked";
    EXPECT_EQ(textOf(w, "osui_0"), "");
    EXPECT_EQ(textOf(w, "ka"), "");
    EXPECT_TRUE(listLines(w).isEmpty());
    EXPECT_TRUE(isEnabled(w, "C1"));
}

TEST(CheckingWindowTest, StoringWinsNeedsARoundAndAppendsTheShownTexts)
{
    TestEnv env;
    prepareRows(env, {withWrong(3), withWrong(3), withWrong(3), withWrong(0)}, "abcdefghijklmnopqrstuvw.1X2");
    QWidget* w = env.open(WindowName::Checking);
    typeInto(w, "Text1", "100");
    click(w, "Command1");

    click(w, "tilastoi");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Anna kierrosnumero !");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Question);
    EXPECT_EQ(env.messages.shown[0].title, "Tilastoi");
    EXPECT_FALSE(QFile::exists(env.path(kWinsFile)));

    typeInto(w, "Text5", "23");
    click(w, "tilastoi");
    EXPECT_EQ(env.messages.lastText(), "Voitot tilastoitu !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
    EXPECT_EQ(env.messages.shown.last().title, "Tilastoi");
    const QByteArray record = "abcdefghijklmno~.1X22026 23  1   0   0   3   300        ";
    ASSERT_EQ(record.size(), 56);
    EXPECT_EQ(readBytes(env.path(kWinsFile)), record);
    EXPECT_EQ(env.state.CurrentFileTitle, "abcdefghijklmno~.1X2");

    // Storing again gives a second record.
    click(w, "tilastoi");
    EXPECT_EQ(readBytes(env.path(kWinsFile)), record + record);
}

TEST(CheckingWindowTest, ALargeCountIsStoredWholeOrNotAtAll)
{
    TestEnv env;
    // 2,820 rows of ten right: four digits fill the count's field without its blank.
    prepareRows(env, QStringList(2820, withWrong(3)) + QStringList{withWrong(0)});
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    ASSERT_EQ(textOf(w, "Label1"), " 2820");
    typeInto(w, "Text5", "7");
    click(w, "tilastoi");
    EXPECT_EQ(env.messages.lastText(), "Voitot tilastoitu !");
    const QList<VoitotRecord> stored = readWinRecords(env.path(kWinsFile)).value_or(QList<VoitotRecord>());
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].hits10, "2820");
    EXPECT_EQ(stored[0].hits13, " 1  ");
    EXPECT_TRUE(winListLine(stored[0]).contains("  2820  ")) << "the statistics list what was counted";

    // Five digits cannot be stored in the record: nothing is, and the user is told.
    TestEnv big;
    prepareRows(big, QStringList(10000, withWrong(3)));
    QWidget* v = big.open(WindowName::Checking);
    click(v, "Command1");
    typeInto(v, "Text5", "8");
    click(v, "tilastoi");
    EXPECT_EQ(big.messages.lastText(), "Luku 10000 ei mahdu tilastotiedostoon !\r\nVoittoja ei tilastoitu.");
    EXPECT_EQ(big.messages.shown.last().flags, Messages::Critical);
    EXPECT_FALSE(QFile::exists(big.path(kWinsFile)));
}

TEST(CheckingWindowTest, AFailedStoreIsReported)
{
    TestEnv env;
    prepareRows(env, {withWrong(0)});
    env.state.ProgramDir = env.path("missing");
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    typeInto(w, "Text5", "1");
    click(w, "tilastoi");
    EXPECT_EQ(env.messages.lastText(), "Virhetilanne !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.messages.shown.last().title, "Virhe !");
}

// 200 stored results, 11,200 bytes.
QByteArray earlierWins()
{
    QByteArray bytes;
    for (int i = 0; i < 200; ++i)
        bytes +=
            encodeRecord(VoitotRecord{"rivit.1X2", "2025", QString::number(i % 40 + 1), " 0", " 0", " 1", " 3", " 52"});
    return bytes;
}

TEST(FileSafety, StoringWinsOnAFullDiskKeepsEveryEarlierRecord)
{
    TestEnv env;
    prepareRows(env, {withWrong(0)});
    const QByteArray earlier = earlierWins();
    ASSERT_EQ(earlier.size(), 11200);
    ASSERT_TRUE(writeBytes(env.path(kWinsFile), earlier));
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    typeInto(w, "Text5", "23");
    for (qint64 room : {0, 4096}) {
        FullDisk full(room);
        click(w, "tilastoi");
        EXPECT_EQ(env.messages.lastText(), "Levy täynnä !");
        EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
        EXPECT_EQ(env.messages.shown.last().title, "Virhe !");
    }
    EXPECT_EQ(readBytes(env.path(kWinsFile)), earlier);
    EXPECT_EQ(entriesOf(env.dir.path()), QStringList{kWinsFile});
}

TEST(FileSafety, StoringWinsInALockedFolderAsksToRemoveTheProtection)
{
    if (!permissionsBind())
        GTEST_SKIP() << "folder permissions do not bind this user";
    TestEnv env;
    prepareRows(env, {withWrong(0)});
    const QByteArray earlier = earlierWins();
    ASSERT_TRUE(writeBytes(env.path(kWinsFile), earlier));
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    typeInto(w, "Text5", "23");
    {
        LockedFolder locked(env.dir.path());
        click(w, "tilastoi");
    }
    EXPECT_EQ(env.messages.lastText(), "Poista kirjoitussuoja !");
    EXPECT_EQ(env.messages.shown.last().title, "Virhe !");
    EXPECT_EQ(readBytes(env.path(kWinsFile)), earlier);
    EXPECT_EQ(entriesOf(env.dir.path()), QStringList{kWinsFile});
}

TEST(CheckingWindowTest, ATypedSystemIsExpandedIntoEveryRowOnce)
{
    TestEnv env;
    QStringList perMatch = kCorrect.split("", Qt::SkipEmptyParts);
    perMatch[0] = "1X";   // correct 1
    perMatch[1] = "12";   // correct X: never right
    perMatch[12] = "1X2"; // correct 1
    prepareTypedSystem(env, perMatch);
    QWidget* w = env.open(WindowName::Checking);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Tarkastus - ( Järjestelmä )"));
    click(w, "Command1");

    ASSERT_FALSE(env.messages.shown.isEmpty());
    EXPECT_EQ(env.messages.shown[0].text,
              QString::fromUtf8("Hajoitan järjestelmän ensin hajariveihin, kuittaa 'OK'  ja odottele hetkinen..."));
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Information);
    EXPECT_EQ(listLines(w), QStringList{QString::fromUtf8(" Rivit listataan vain hajariveillä!")});
    EXPECT_EQ(env.state.HalfGuardCount, 2);
    EXPECT_EQ(env.state.FullGuardCount, 1);
    EXPECT_EQ(env.state.FullSystemSize, 12);
    EXPECT_EQ(textOf(w, "Label12"), " 12");
    ASSERT_EQ(env.state.Rows.size(), 12u);
    QSet<QString> distinct;
    for (const Row& row : env.state.Rows)
        distinct << rowText(row);
    EXPECT_EQ(distinct.size(), 12);
    // Best rows: 12 correct (match 2 is never right); 11 correct where one of
    // matches 1 and 13 is wrong too, 10 where both are.
    EXPECT_EQ(textOf(w, "Label3"), " 2");
    EXPECT_EQ(textOf(w, "Label2"), " 6");
    EXPECT_EQ(textOf(w, "Label1"), " 4");
    EXPECT_EQ(textOf(w, "Label4"), " 0");
    EXPECT_EQ(textOf(w, "Label16"), " ?");
    EXPECT_EQ(textOf(w, "osui_0"), ""); // no per-match figures for a system
    EXPECT_TRUE(isEnabled(w, "tilastoi"));

    typeInto(w, "Text5", "7");
    click(w, "tilastoi");
    EXPECT_EQ(readBytes(env.path(kWinsFile)).left(20), QByteArray("J\xe4rjestelm\xe4. 12     "));
}

TEST(CheckingWindowTest, ASystemTooLargeToHoldIsRefusedBeforeExpanding)
{
    TestEnv env;
    prepareTypedSystem(env, QStringList(13, "1X2"));
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Muisti ei riitä tälle järjestelmälle !"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.state.Rows.size(), 2u);
    EXPECT_TRUE(isEnabled(w, "C1"));
    EXPECT_FALSE(isEnabled(w, "tilastoi"));
    EXPECT_TRUE(env.sound.played.isEmpty());
    click(w, "C1");
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST(CheckingWindowTest, AnUnreadableSystemTableStillFinishesTheCheck)
{
    TestEnv env;
    SharedState& s = env.state;
    s.HaravaTask = 1;
    s.SystemName = "Q99";
    s.SystemLetter = "Q"; // no such table
    s.SystemColumns = 10;
    setCorrectRow(s);
    QWidget* w = env.open(WindowName::Checking);
    EXPECT_EQ(w->windowTitle(), "Tarkastus - ( Q99 )");
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Tiedoston lukuvirhe !10"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::OkOnly);
    EXPECT_EQ(textOf(w, "Label4"), " 0");
    EXPECT_TRUE(isEnabled(w, "C1"));
    EXPECT_TRUE(isEnabled(w, "tilastoi"));
}

TEST(CheckingWindowTest, AReducedSystemScoresEveryTableRow)
{
    const HaravaSystem* system = haravaByLetter('A');
    ASSERT_TRUE(system);
    if (haravaTable(*system).isEmpty())
        GTEST_SKIP() << "the reduced-system tables are not in this build";
    TestEnv env;
    SharedState& s = env.state;
    s.HaravaTask = 1;
    s.SystemName = "A60";
    s.SystemLetter = "A";
    s.SystemColumns = 10;
    s.CurrentFileTitle = "APUS";
    setCorrectRow(s, "1111111111111");
    // 3 bankers, 7 two-sign matches (1/X) and 3 three-sign matches, every correct sign played.
    for (int k = 0; k < 13; ++k) {
        s.SystemMarks[0][k] = 1;
        if (k >= 3)
            s.SystemMarks[1][k] = 1;
        if (k >= 10)
            s.SystemMarks[2][k] = 1;
    }
    const ::CodedResult coded = codeCorrectRow(*system, s.SystemMarks, s.BasicSigns);
    s.CodedResult = coded.coded;
    s.BankerHits = coded.bankerHits;
    QWidget* w = env.open(WindowName::Checking);
    click(w, "Command1");
    EXPECT_EQ(w->windowTitle(), "Tarkastus - ( A60 )");
    EXPECT_EQ(textOf(w, "Label12"), " 60");
    EXPECT_EQ(listLines(w), QStringList{QString::fromUtf8(" Rivit listataan vain hajariveillä!")});
    // With every correct sign played, some row scores at least 11.
    const int prizeRows =
        leadingInt(textOf(w, "Label2")) + leadingInt(textOf(w, "Label3")) + leadingInt(textOf(w, "Label4"));
    EXPECT_GE(prizeRows, 1);
    EXPECT_EQ(env.sound.played, QList<int>{13});
    typeInto(w, "Text5", "5");
    click(w, "tilastoi");
    EXPECT_EQ(readBytes(env.path(kWinsFile)).left(20), QByteArray("A60.HAR             "));
}

TEST(CheckingWindowTest, EscapeClosesOnlyWhenLopetaCould)
{
    TestEnv env;
    prepareRows(env, {withWrong(0)});
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::Checking);
    QTest::keyClick(w, Qt::Key_Escape);
    settle();
    EXPECT_EQ(openWindow(WindowName::Checking), nullptr);
    EXPECT_TRUE(env.mainWindow.isEnabled());
}
