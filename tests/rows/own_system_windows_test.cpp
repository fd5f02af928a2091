#include "base/rowfile.h"
#include "base/ui/windownames.h"
#include "support/testenv.h"
#include "support/useractions.h"
#include "support/windowtest.h"

#include <QFile>
#include <QLabel>
#include <QScrollBar>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Opens the own-system window for H two-sign and F three-sign matches.
QWidget* openOwnSystem(TestEnv& env, int halfGuards, int fullGuards)
{
    ResetTaskState(env.state);
    env.mainWindow.setEnabled(false);
    env.state.HalfGuardCount = halfGuards;
    env.state.FullGuardCount = fullGuards;
    return env.open(WindowName::OwnSystemEntry);
}

// Clicks the signs of `row` ("1", "X", "2"; "-" leaves a match alone).
void clickRow(QWidget* w, const QString& row)
{
    for (int k = 0; k < row.size(); ++k) {
        const QChar c = row[k];
        if (c != '-')
            click(w, QString("%1_%2").arg(c == '1' ? "Yksi" : c == 'X' ? "Risti" : "Kaksi").arg(k));
    }
}

} // namespace

TEST(OwnSystemShapeWindowTest, ThePatternIsChosenWithBarsOrTypedIn)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* w = env.open(WindowName::OwnSystemShape);
    saveShot(w, "OwnSystemShapeWindow");
    EXPECT_EQ(w->windowTitle(), "Valitse vaihtoehdot");
    EXPECT_EQ(textOf(w, "Text1"), "2");
    EXPECT_EQ(textOf(w, "Text2"), "2");
    auto* bar = control<QScrollBar>(w, "HScroll1");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 13);
    stepBarTo(bar, 9);
    EXPECT_EQ(textOf(w, "Text1"), "9");
    typeInto(w, "Text2", "5");
    EXPECT_EQ(control<QScrollBar>(w, "HScroll2")->value(), 5);

    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Kohteita on vain 13 !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::OkOnly);
    EXPECT_TRUE(openWindow(WindowName::OwnSystemShape));

    typeInto(w, "Text2", "4x-");
    EXPECT_EQ(textOf(w, "Text2"), "4"); // only digits: no negative counts
    click(w, "Command1");
    EXPECT_EQ(env.state.HalfGuardCount, 9);
    EXPECT_EQ(env.state.FullGuardCount, 4);
    EXPECT_FALSE(openWindow(WindowName::OwnSystemShape));
    EXPECT_TRUE(openWindow(WindowName::OwnSystemEntry));
    EXPECT_FALSE(env.mainWindow.isEnabled());
}

TEST(OwnSystemEntryWindowTest, TwoSignMatchesOfferOneAndTwoAndBankersAreFixed)
{
    TestEnv env;
    QWidget* w = openOwnSystem(env, 2, 2);
    ASSERT_TRUE(w);
    saveShot(w, "OwnSystemEntryWindow");
    EXPECT_EQ(w->windowTitle(), "Systeemin luonti");
    for (int k = 0; k < 13; ++k) {
        const bool half = k < 2, full = k >= 2 && k < 4;
        EXPECT_EQ(isShown(w, QString("Risti_%1").arg(k)), full) << k;
        EXPECT_EQ(isShown(w, QString("Kaksi_%1").arg(k)), half || full) << k;
        EXPECT_EQ(isEnabled(w, QString("Yksi_%1").arg(k)), half || full) << k;
        EXPECT_EQ(textOf(w, QString("Yksi_%1").arg(k)), half || full ? "" : "1") << k;
    }
    EXPECT_EQ(env.state.BasicSignCount, 9);
    EXPECT_EQ(textOf(w, "Label2"), "0");

    // One sign per match; clicking the lit sign clears the match.
    click(w, "Yksi_2");
    click(w, "Risti_2");
    EXPECT_EQ(textOf(w, "Yksi_2"), "");
    EXPECT_EQ(textOf(w, "Risti_2"), "X");
    EXPECT_EQ(env.state.BasicSignCount, 10);
    click(w, "Risti_2");
    EXPECT_EQ(env.state.BasicSignCount, 9);
}

TEST(OwnSystemEntryWindowTest, EachColumnOfButtonsHasItsSignAbove)
{
    TestEnv env;
    QWidget* w = openOwnSystem(env, 2, 2);
    ASSERT_TRUE(w);
    const char* columns[3] = {"Yksi_0", "Risti_2", "Kaksi_0"};
    const char* signs[3] = {"1", "X", "2"};
    for (int s = 0; s < 3; ++s) {
        auto* heading = control<QLabel>(w, QString("otsikko_%1").arg(s));
        auto* button = control<QWidget>(w, columns[s]);
        ASSERT_TRUE(heading && button);
        EXPECT_EQ(heading->text(), signs[s]);
        EXPECT_TRUE(heading->isVisible());
        const QRect h(heading->mapTo(w, QPoint()), heading->size());
        const QRect b(button->mapTo(w, QPoint()), button->size());
        EXPECT_LE(h.bottom(), b.top()) << signs[s] << " stands above the first match";
        EXPECT_NEAR(h.center().x(), b.center().x(), 2) << signs[s] << " is centred on its column";
    }
}

TEST(OwnSystemEntryWindowTest, TwoRowsMakeANewSystemFile)
{
    TestEnv env;
    QWidget* w = openOwnSystem(env, 2, 2);
    const QString path = env.path("OMA.STM");

    // An incomplete row is refused before any file is asked for.
    clickRow(w, "12X");
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Rivissä pitäisi olla 13 merkkiä !");
    EXPECT_TRUE(env.dialogs.saved.isEmpty());

    clickRow(w, "---2");
    env.dialogs.choose(path);
    click(w, "Command1");
    EXPECT_EQ(env.dialogs.saved.last().title, "Anna systeemille nimi !");
    EXPECT_EQ(env.messages.lastText(), "Tallennettu rivi  1");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
    EXPECT_EQ(textOf(w, "Label2"), "1");
    EXPECT_EQ(bytesOf(path), QByteArray("O2 T2 R1     12X2111111111"));

    // The marks stay: the next row changes only what differs.
    clickRow(w, "2--1");
    click(w, "Command1");
    EXPECT_EQ(env.dialogs.saved.size(), 1); // the same file, no new question
    EXPECT_EQ(textOf(w, "Label2"), "2");
    EXPECT_EQ(bytesOf(path), QByteArray("O2 T2 R2     12X2111111111"
                                        "22X1111111111"));

    click(w, "Sainperusrivin");
    EXPECT_FALSE(openWindow(WindowName::OwnSystemEntry));
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST(OwnSystemEntryWindowTest, ARowAnotherCopyStoredMeanwhileIsKeptAndCounted)
{
    TestEnv env;
    QWidget* w = openOwnSystem(env, 2, 2);
    const QString path = env.path("YHTEINEN.STM");
    clickRow(w, "12X2");
    env.dialogs.choose(path);
    click(w, "Command1");
    ASSERT_EQ(env.messages.lastText(), "Tallennettu rivi  1");

    // Another copy of the program, in a program directory of its own, adds to the same file.
    ASSERT_TRUE(appendSystemRow(path, 2, 2, rowFromText("X111111111111")).ok());
    clickRow(w, "2--1");
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Tallennettu rivi  3");
    EXPECT_EQ(textOf(w, "Label2"), "3");
    EXPECT_EQ(bytesOf(path), QByteArray("O2 T2 R3     12X2111111111"
                                        "X111111111111"
                                        "22X1111111111"));
}

TEST(OwnSystemEntryWindowTest, AnExistingFileOfTheSamePatternIsContinued)
{
    TestEnv env;
    const QString path = env.path("VANHA.STM");
    QByteArray old = "O1 T0 R5     ";
    for (int i = 0; i < 5; ++i)
        old += "1111111111111";
    writeBytes(path, old);

    QWidget* w = openOwnSystem(env, 1, 0);
    clickRow(w, "2");
    env.dialogs.choose(path);
    click(w, "Command1");
    EXPECT_EQ(env.messages.shown.first().text, "Tiedosto on jo olemassa, haluatko varmasti jatkaa samaan tiedostoon ?");
    EXPECT_EQ(env.messages.shown.first().flags, Messages::YesNo | Messages::Question);
    EXPECT_EQ(textOf(w, "Label2"), "6");
    const QByteArray bytes = bytesOf(path);
    EXPECT_EQ(bytes.left(13), QByteArray("O1 T0 R6     "));
    EXPECT_EQ(bytes.size(), 13 * 7);
    EXPECT_EQ(bytes.mid(13 * 6), QByteArray("2111111111111"));
    EXPECT_EQ(bytes.mid(13, 13 * 5), old.mid(13));
}

TEST(OwnSystemEntryWindowTest, AFileOfAnotherPatternOrADeclinedOneIsLeftAlone)
{
    TestEnv env;
    const QString path = env.path("MUU.STM");
    const QByteArray other = "O3 T1 R1     1111111111111";
    writeBytes(path, other);

    QWidget* w = openOwnSystem(env, 2, 1);
    clickRow(w, "12X");
    env.dialogs.choose(path);
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(),
              "Tässä järjestelmässä on osittainvaihdeltuja 3\r\nAnna järjestelmälle uusi nimi !");
    EXPECT_EQ(bytesOf(path), other);
    EXPECT_EQ(textOf(w, "Label2"), "0");

    writeBytes(path, "O2 T0 R1     1111111111111");
    env.dialogs.choose(path);
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(),
              "Tässä järjestelmässä on täysinvaihdeltuja 0\r\nAnna järjestelmälle uusi nimi !");

    // Declining to continue asks for a name again on the next save.
    env.messages.answerNext(Messages::No);
    env.dialogs.choose(path);
    click(w, "Command1");
    EXPECT_EQ(env.state.CurrentFile, "");
    const QString fresh = env.path("UUSI.STM");
    env.dialogs.choose(fresh);
    click(w, "Command1");
    EXPECT_EQ(env.dialogs.saved.size(), 4);
    EXPECT_EQ(bytesOf(fresh), QByteArray("O2 T1 R1     12X1111111111"));
}

TEST(OwnSystemEntryWindowTest, WithoutGuardsEveryRowIsThirteenOnes)
{
    TestEnv env;
    QWidget* w = openOwnSystem(env, 0, 0);
    for (int k = 0; k < 13; ++k)
        EXPECT_FALSE(isEnabled(w, QString("Yksi_%1").arg(k)));
    env.dialogs.choose(env.path("YKKOSET.STM"));
    click(w, "Command1");
    EXPECT_EQ(bytesOf(env.path("YKKOSET.STM")), QByteArray("O0 T0 R1     1111111111111"));
}

TEST(OwnSystemEntryWindowTest, ThirteenGuardsLeaveNoFixedSign)
{
    TestEnv env;
    QWidget* w = openOwnSystem(env, 6, 7);
    EXPECT_EQ(env.state.BasicSignCount, 0);
    for (int k = 0; k < 13; ++k) {
        EXPECT_TRUE(isEnabled(w, QString("Yksi_%1").arg(k)));
        EXPECT_EQ(isShown(w, QString("Risti_%1").arg(k)), k >= 6);
    }
}
