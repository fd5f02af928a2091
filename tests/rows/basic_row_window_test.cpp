#include "base/statsfiles.h"
#include "rowwindows.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace rowwindows;

namespace {

const QString kRow = "1X21X21X21X21";

QString captions(QWidget* w, const QString& array)
{
    QString out;
    for (int k = 0; k < kMatches; ++k) {
        const QString t = textOf(w, QStringLiteral("%1_%2").arg(array).arg(k));
        out += t.isEmpty() ? QStringLiteral(".") : t;
    }
    return out;
}

// The entered row as the buttons show it ("." for an empty match).
QString shownRow(QWidget* w)
{
    const QString ones = captions(w, "Yksi"), crosses = captions(w, "Risti"), twos = captions(w, "Kaksi");
    QString out;
    for (int k = 0; k < kMatches; ++k)
        out += ones[k] != '.' ? ones[k] : crosses[k] != '.' ? crosses[k] : twos[k];
    return out;
}

} // namespace

TEST(BasicRowWindowTest, AMatchHoldsAtMostOneSignAndALitButtonEmptiesIt)
{
    TestEnv env;
    env.state.RandomTask = 1;
    QWidget* w = env.open(WindowName::BasicRow);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Perusrivi");
    EXPECT_EQ(textOf(w, "Label1"), " Laita perusrivisi sarakkeeseen.");
    EXPECT_EQ(shownRow(w), ".............");

    click(w, "Yksi_0");
    click(w, "Risti_0");
    EXPECT_EQ(textOf(w, "Yksi_0"), "");
    EXPECT_EQ(textOf(w, "Risti_0"), "X");
    EXPECT_EQ(env.state.BasicSignCount, 1);
    EXPECT_EQ(env.state.BasicMarks[0][0], 0);
    EXPECT_EQ(env.state.BasicMarks[1][0], 1);
    EXPECT_EQ(env.state.BasicSigns[0], "X");

    // The lit button empties the match; the last sign stays in BasicSigns.
    click(w, "Risti_0");
    EXPECT_EQ(textOf(w, "Risti_0"), "");
    EXPECT_EQ(env.state.BasicSignCount, 0);
    EXPECT_EQ(env.state.BasicMarks[1][0], 0);
    EXPECT_EQ(env.state.BasicSigns[0], "X");

    enterRow(w, kRow);
    EXPECT_EQ(shownRow(w), kRow);
    EXPECT_EQ(signsOf(env.state.BasicSigns), kRow);
    EXPECT_EQ(env.state.BasicSignCount, 13);
    click(w, "Kaksi_12"); // another sign on match 13: still one sign there
    EXPECT_EQ(env.state.BasicSignCount, 13);
    EXPECT_EQ(env.state.BasicSigns[12], "2");
    click(w, "Kaksi_12");
    EXPECT_EQ(env.state.BasicSignCount, 12);
}

TEST(BasicRowWindowTest, OkNeedsThirteenSigns)
{
    TestEnv env;
    env.state.RandomTask = 1;
    standIn(env, WindowName::AverageWeight);
    QWidget* w = env.open(WindowName::BasicRow);
    enterRow(w, "1X21X21X21X2");
    click(w, "sainperusrivin");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Rivissä pitäisi olla 13 merkkiä !"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_TRUE(openWindow(WindowName::BasicRow));
    EXPECT_TRUE(env.windows.shownNames().endsWith(WindowName::BasicRow));

    // A cleared match is refused the same way.
    click(w, "Yksi_12");
    click(w, "Yksi_12");
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.shown.size(), 2);
    click(w, "Yksi_12");
    click(w, "sainperusrivin");
    EXPECT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::AverageWeight);
    EXPECT_FALSE(openWindow(WindowName::BasicRow));
}

// Which window the OK of each task opens.
TEST(BasicRowWindowTest, OkHandsTheRowToTheNextWindowOfTheTask)
{
    struct Case {
        const char* what;
        std::function<void(SharedState&)> task;
        const char* next;
    };
    const QList<Case> cases = {
        {"per-match weights", [](SharedState& s) { s.RandomTask = 1, s.WeightedDraw = 1; }, WindowName::MatchWeights},
        {"one weight", [](SharedState& s) { s.RandomTask = 1, s.WeightedDraw = 0; }, WindowName::AverageWeight},
        {"checking rows", [](SharedState& s) { s.CheckTask = 1; }, WindowName::Checking},
        {"typed system", [](SharedState& s) { s.RowSource = 0; }, WindowName::SystemPattern},
        {"reduced system", [](SharedState& s) { s.HaravaTask = 1; }, WindowName::SystemPattern},
    };
    for (const Case& c : cases) {
        TestEnv env;
        for (const char* name : {WindowName::AverageWeight, WindowName::MatchWeights, WindowName::Checking})
            standIn(env, name);
        env.mainWindow.setEnabled(false); // as the opener left it
        c.task(env.state);
        QWidget* w = env.open(WindowName::BasicRow);
        enterRow(w, kRow);
        click(w, "sainperusrivin");
        EXPECT_EQ(env.windows.shownNames().last(), c.next) << c.what;
        EXPECT_FALSE(openWindow(WindowName::BasicRow)) << c.what;
        EXPECT_FALSE(env.mainWindow.isEnabled()) << c.what;
        EXPECT_TRUE(env.messages.shown.isEmpty()) << c.what;
        EXPECT_EQ(signsOf(env.state.BasicSigns), kRow) << c.what;
    }
}

TEST(BasicRowWindowTest, ThePatternWindowIsRetitledOrCountsItsOwnMarks)
{
    {
        TestEnv env;
        env.state.RowSource = 0;
        QWidget* w = env.open(WindowName::BasicRow);
        enterRow(w, kRow);
        click(w, "sainperusrivin");
        QWidget* h = openWindow(WindowName::SystemPattern);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->windowTitle(), QString::fromUtf8("JÄRJESTELMÄ"));
        EXPECT_EQ(textOf(h, "Label1"), QString::fromUtf8("         Anna järjestelmäsi "));
    }
    {
        TestEnv env;
        env.state.HaravaTask = 1;
        env.state.SystemName = "F1296";
        env.state.SystemLetter = "F";
        QWidget* w = env.open(WindowName::BasicRow);
        enterRow(w, kRow);
        click(w, "sainperusrivin");
        QWidget* h = openWindow(WindowName::SystemPattern);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->windowTitle(), "Harava - ( F1296 )");
        EXPECT_EQ(env.state.BasicSignCount, 0);
        EXPECT_EQ(signsOf(env.state.BasicSigns), kRow);
    }
}

TEST(BasicRowWindowTest, AMissingNextWindowKeepsTheRowHere)
{
    TestEnv env;
    env.state.CheckTask = 1;
    env.windows.add(WindowName::Checking, [](AppContext&) { return nullptr; });
    QWidget* w = env.open(WindowName::BasicRow);
    enterRow(w, kRow);
    click(w, "sainperusrivin");
    EXPECT_TRUE(openWindow(WindowName::BasicRow));
    EXPECT_EQ(env.state.BasicSignCount, 13);
}

TEST(BasicRowWindowTest, CancelEnablesTheMainWindowAndKeepsTheRow)
{
    TestEnv env;
    env.state.RandomTask = 1;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::BasicRow);
    enterRow(w, "1");
    click(w, "kes");
    EXPECT_FALSE(openWindow(WindowName::BasicRow));
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_EQ(env.state.BasicSignCount, 1);
    EXPECT_EQ(env.state.BasicSigns[0], "1");
}

TEST(BasicRowWindowTest, TheStatisticsPanelAndHintColumnFollowTheTask)
{
    struct Case {
        const char* what;
        std::function<void(SharedState&)> task;
        bool statistics;
        bool hints;
    };
    const QList<Case> cases = {
        {"random rows", [](SharedState& s) { s.RandomTask = 1; }, false, true},
        {"checking", [](SharedState& s) { s.CheckTask = 1; }, true, false},
        {"reduced system", [](SharedState& s) { s.HaravaTask = 1; }, true, false},
        {"typed system", [](SharedState& s) { s.RowSource = 0; }, true, false},
    };
    for (const Case& c : cases) {
        TestEnv env;
        c.task(env.state);
        QWidget* w = env.open(WindowName::BasicRow);
        EXPECT_EQ(isShown(w, "bby"), c.statistics) << c.what;
        EXPECT_EQ(isShown(w, "Command1"), c.statistics) << c.what;
        EXPECT_EQ(isShown(w, "vihjeet"), c.hints) << c.what;
        EXPECT_EQ(isShown(w, "taku"), c.hints) << c.what;
        EXPECT_EQ(isShown(w, "osu_12"), c.hints) << c.what;
        saveShot(w, QStringLiteral("BasicRowWindow_%1").arg(QString(c.what).replace(' ', '_')));
    }
}

TEST(BasicRowWindowTest, TheHintRowIsShownBesideTheRowWithoutMarkingIt)
{
    TestEnv env;
    env.state.RandomTask = 1;
    QWidget* w = env.open(WindowName::BasicRow);
    click(w, "vihjeet");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Vihjeriviä ei ole luotu!"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.messages.shown.last().title, "Vihjerivi");
    EXPECT_EQ(textOf(w, "osu_0"), "");

    // A hint row with a match not yet given leaves that label empty.
    const QStringList hint = {"1", "X", "2", "", "1", "1", "X", "2", "2", "1", "X", "1", "2"};
    for (int k = 0; k < kMatches; ++k)
        env.state.HintRow[k] = hint[k];
    click(w, "vihjeet");
    EXPECT_EQ(env.messages.shown.size(), 1);
    for (int k = 0; k < kMatches; ++k)
        EXPECT_EQ(textOf(w, QStringLiteral("osu_%1").arg(k)), hint[k]) << k;
    EXPECT_EQ(env.state.BasicSignCount, 0);
    EXPECT_EQ(shownRow(w), ".............");
    saveShot(w, "BasicRowWindow_hint_row");
}

TEST(BasicRowWindowTest, LoadShowsTheLastStoredRound)
{
    {
        // Nothing stored yet: nothing shown, nothing kept.
        TestEnv env;
        env.state.CheckTask = 1;
        QWidget* w = env.open(WindowName::BasicRow);
        settle();
        EXPECT_EQ(textOf(w, "ede"), "");
        EXPECT_EQ(textOf(w, "edev"), "");
        EXPECT_EQ(textOf(w, "Text2"), "2026");
        EXPECT_FALSE(env.settings.contains("OKT", "KRS"));
        EXPECT_TRUE(env.messages.shown.isEmpty());
    }
    {
        // An empty correct-row file (or one with only a torn record) is the same.
        TestEnv env;
        env.state.CheckTask = 1;
        writeBytes(env.path("OIKEAT.TIL"), "1X21X21X2");
        QWidget* w = env.open(WindowName::BasicRow);
        EXPECT_EQ(textOf(w, "ede"), "");
        EXPECT_FALSE(env.settings.contains("OKT", "KRS"));
    }
    {
        // The kept round wins over the file.
        TestEnv env;
        env.state.CheckTask = 1;
        env.settings.write(keys::LastRound, "12");
        env.settings.write(keys::LastYear, "2025");
        writeBytes(env.path("OIKEAT.TIL"), "1111111111111 2024 3 ");
        QWidget* w = env.open(WindowName::BasicRow);
        EXPECT_EQ(textOf(w, "ede"), "12");
        EXPECT_EQ(textOf(w, "edev"), "2025");
    }
    {
        // No round kept: the file's last complete record gives it, and it is kept from now on.
        TestEnv env;
        env.state.CheckTask = 1;
        env.settings.write(keys::LastRound, "0");
        writeBytes(env.path("OIKEAT.TIL"), "1111111111111 2024 3 " + QByteArray("2222222222222 202545 ") + "XX");
        QWidget* w = env.open(WindowName::BasicRow);
        EXPECT_EQ(textOf(w, "ede"), "45");
        EXPECT_EQ(textOf(w, "edev"), "2025");
        EXPECT_EQ(env.settings.read(keys::LastRound), "45");
        EXPECT_EQ(env.settings.read(keys::LastYear), "2025");
    }
}

TEST(BasicRowWindowTest, TheActivationNoticeRemindsOfTheLastStoredRound)
{
    const QString notice = QString::fromUtf8("Jos tilastoit oikean rivin tarkista tilastot\r\n"
                                             "osasta viimeksi talletettu kierros !");
    {
        TestEnv env;
        env.state.CheckTask = 1;
        env.settings.write(keys::LastRound, "7");
        env.settings.write(keys::LastYear, "2026");
        QWidget* w = env.open(WindowName::BasicRow);
        settle();
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_EQ(env.messages.lastText(), notice);
        EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
        // Once per opening.
        w->hide();
        w->show();
        settle();
        EXPECT_EQ(env.messages.shown.size(), 1);
    }
    {
        // The random-row task has no statistics panel, so no notice.
        TestEnv env;
        env.state.RandomTask = 1;
        env.settings.write(keys::LastRound, "7");
        env.open(WindowName::BasicRow);
        settle();
        EXPECT_TRUE(env.messages.shown.isEmpty());
    }
}

TEST(BasicRowWindowTest, StoringTheCorrectRowAppendsItsRecordAndKeepsTheRound)
{
    TestEnv env;
    env.state.CheckTask = 1;
    // Two earlier records and a torn tail, which the new record replaces.
    const QByteArray earlier = "1111111111111 202510 2222222222222 202511 ";
    writeBytes(env.path("OIKEAT.TIL"), earlier + "XX2");
    QWidget* w = env.open(WindowName::BasicRow);
    settle();
    env.messages.shown.clear();
    enterRow(w, kRow);
    typeInto(w, "Text1", "23");
    EXPECT_EQ(textOf(w, "Text2"), "2026");
    click(w, "Command1");

    EXPECT_EQ(readBytes(env.path("OIKEAT.TIL")), earlier + "1X21X21X21X212026 23 ");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), "Oikea rivi tilastoitu !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
    EXPECT_EQ(env.messages.shown.last().title, "Tilastoi");
    EXPECT_EQ(env.settings.read(keys::LastRound), "23");
    EXPECT_EQ(env.settings.read(keys::LastYear), "2026");
    EXPECT_EQ(textOf(w, "ede"), "23");
    EXPECT_EQ(textOf(w, "edev"), "2026");
    EXPECT_EQ(textOf(w, "Text1"), "");
    // The window stays for the OK of the checking task.
    EXPECT_TRUE(openWindow(WindowName::BasicRow));
    saveShot(w, "BasicRowWindow_stored");

    // The same round stored again is a second record.
    typeInto(w, "Text1", "23");
    click(w, "Command1");
    EXPECT_EQ(readBytes(env.path("OIKEAT.TIL")), earlier + "1X21X21X21X212026 23 1X21X21X21X212026 23 ");
}

TEST(BasicRowWindowTest, StoringNeedsARoundAYearAndAWholeRow)
{
    TestEnv env;
    env.state.CheckTask = 1;
    QWidget* w = env.open(WindowName::BasicRow);
    enterRow(w, kRow);
    click(w, "Command1");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), "Anna kierrosnumero !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Question);
    EXPECT_EQ(env.messages.shown.last().title, "Tilastoi");

    typeInto(w, "Text1", "5");
    typeInto(w, "Text2", "");
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Anna vuosi !");

    typeInto(w, "Text2", "2026");
    click(w, "Yksi_0"); // twelve signs
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Rivissä pitäisi olla 13 merkkiä !"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_FALSE(QFile::exists(env.path("OIKEAT.TIL")));
    EXPECT_FALSE(env.settings.contains("OKT", "KRS"));

    // The boxes take only the digits the record has room for.
    typeInto(w, "Text1", "12a34");
    EXPECT_EQ(textOf(w, "Text1"), "123");
}

TEST(BasicRowWindowTest, AFailedStoreSaysSoAndKeepsTheRound)
{
    TestEnv env;
    env.state.CheckTask = 1;
    QDir(env.dir.path()).mkdir("OIKEAT.TIL"); // cannot be written as a file
    QWidget* w = env.open(WindowName::BasicRow);
    enterRow(w, kRow);
    typeInto(w, "Text1", "9");
    click(w, "Command1");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), "Tiedoston kirjoitusvirhe !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.messages.shown.last().title, "Tilastoi");
    EXPECT_EQ(textOf(w, "Text1"), "9");
    EXPECT_FALSE(env.settings.contains("OKT", "KRS"));
}

TEST(BasicRowWindowTest, ReopeningShowsTheRowTheSharedStateHolds)
{
    TestEnv env;
    env.state.RandomTask = 1;
    env.state.BasicMarks[2][4] = 1;
    env.state.BasicSigns[4] = "2";
    env.state.BasicSignCount = 13; // out of step with the marks
    QWidget* w = env.open(WindowName::BasicRow);
    EXPECT_EQ(shownRow(w), "....2........");
    EXPECT_EQ(env.state.BasicSignCount, 1);
    click(w, "Kaksi_4");
    EXPECT_EQ(env.state.BasicSignCount, 0);
}

TEST(BasicRowWindowTest, TheRowCanBeTypedAndAcceptedFromTheKeyboard)
{
    TestEnv env;
    env.state.RandomTask = 1;
    env.mainWindow.setEnabled(false);
    standIn(env, WindowName::AverageWeight);
    QWidget* w = env.open(WindowName::BasicRow);
    w->activateWindow();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), control<QWidget>(w, "Yksi_0"));
    for (QChar c : QStringLiteral("1x21x21x21x21"))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    EXPECT_EQ(shownRow(w), kRow);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(w, "Yksi_12"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(w, "Yksi_11"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::AverageWeight);

    TestEnv again;
    again.state.RandomTask = 1;
    again.mainWindow.setEnabled(false);
    QWidget* w2 = again.open(WindowName::BasicRow);
    w2->activateWindow();
    settle();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(openWindow(WindowName::BasicRow));
    EXPECT_TRUE(again.mainWindow.isEnabled());
}

TEST(FileSafety, StoringTheCorrectRowOnAFullDiskKeepsTheEarlierRows)
{
    TestEnv env;
    env.state.CheckTask = 1;
    QByteArray earlier;
    for (int i = 0; i < 100; ++i)
        earlier += "1111111111111 2025" + QByteArray::number(i % 40 + 1).leftJustified(3, ' ');
    ASSERT_TRUE(writeBytes(env.path("OIKEAT.TIL"), earlier));
    QWidget* w = env.open(WindowName::BasicRow);
    settle();
    env.messages.shown.clear();
    enterRow(w, kRow);
    typeInto(w, "Text1", "9");
    {
        FullDisk full(1024);
        click(w, "Command1");
    }
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), "Levy täynnä !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_EQ(env.messages.shown.last().title, "Tilastoi");
    EXPECT_EQ(readBytes(env.path("OIKEAT.TIL")), earlier);
    EXPECT_EQ(entriesOf(env.dir.path()), QStringList{"OIKEAT.TIL"});
    EXPECT_EQ(textOf(w, "Text1"), "9");
}
