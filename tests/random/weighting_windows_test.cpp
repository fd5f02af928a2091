#include "random/weights.h"
#include "randomtask.h"
#include "support/useractions.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

// --- DrawKindWindow: the kind of drawing --------------------------------------------------

TEST(DrawKindWindowTest, WeightedRowsAreChosenAtStartAndLeadToTheWeightingChoice)
{
    TestEnv env;
    startRandomTask(env);
    env.state.DrawMode = 2;
    QWidget* w = env.open(WindowName::DrawKind);
    ASSERT_TRUE(w);
    saveShot(w, "draw_kind");
    EXPECT_EQ(w->windowTitle(), "Painotetut vai Järjestelmä ?");
    EXPECT_TRUE(control<QRadioButton>(w, "Option1_0")->isChecked());
    EXPECT_EQ(env.state.DrawMode, 0);
    EXPECT_EQ(textOf(w, "Option1_2"), "<  Luo oma systeemi.");
    click(w, "Command2");
    EXPECT_EQ(env.commands, QStringList{"win"});
    click(w, "Command1");
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::WeightingKind);
    EXPECT_FALSE(openWindow(WindowName::DrawKind));
    EXPECT_FALSE(env.mainWindow.isEnabled());
}

TEST(DrawKindWindowTest, TheOtherChoicesOpenThePatternAndOwnSystemWindows)
{
    TestEnv env;
    startRandomTask(env);
    QWidget* w = env.open(WindowName::DrawKind);
    click(w, "Option1_1");
    EXPECT_EQ(env.state.DrawMode, 1);
    click(w, "Command1");
    QWidget* pattern = openWindow(WindowName::SystemPattern);
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->windowTitle(), "JÄRJESTELMÄ");
    EXPECT_EQ(textOf(pattern, "Label1"), "         Anna järjestelmäsi ");
    pattern->close();

    w = env.open(WindowName::DrawKind);
    click(w, "Option1_2");
    click(w, "Command1");
    EXPECT_EQ(env.state.DrawMode, 2);
    EXPECT_TRUE(openWindow(WindowName::OwnSystemShape));
}

// --- WeightingKindWindow and AverageWeightWindow: one weight or one per match -----------

TEST(WeightingKindWindowTest, TheChoiceSetsWeightedDrawAndOpensTheBasicRow)
{
    for (bool perMatch : {false, true}) {
        TestEnv env;
        startRandomTask(env);
        QWidget* w = env.open(WindowName::WeightingKind);
        saveShot(w, "weighting_kind");
        EXPECT_EQ(w->windowTitle(), "Valitse painotus !");
        EXPECT_TRUE(control<QRadioButton>(w, "Option1_0")->isChecked());
        if (perMatch)
            click(w, "Option1_1");
        click(w, "ValittuPainotus");
        EXPECT_EQ(env.state.WeightedDraw, perMatch ? 1 : 0);
        EXPECT_EQ(env.windows.shownNames().last(), WindowName::BasicRow);
        EXPECT_FALSE(openWindow(WindowName::WeightingKind));
    }
}

TEST(AverageWeightWindowTest, TheBarSetsTheCommonWeight)
{
    TestEnv env;
    startRandomTask(env);
    QWidget* w = env.open(WindowName::AverageWeight);
    saveShot(w, "average_weight");
    EXPECT_EQ(w->windowTitle(), "Valitse painotus % ( keskim. )");
    auto* bar = control<QScrollBar>(w, "Jana");
    EXPECT_EQ(bar->minimum(), 3);
    EXPECT_EQ(bar->maximum(), 10);
    EXPECT_EQ(textOf(w, "Arvo"), "33 %");
    // Every control moves the bar the way it points: → and the right arrow up, ← and the left arrow down.
    focusOn(bar);
    for (int i = 0; i < 6; ++i)
        pressKey(Qt::Key_Right);
    EXPECT_EQ(textOf(w, "Arvo"), "78 %");
    pressKey(Qt::Key_Left);
    EXPECT_EQ(textOf(w, "Arvo"), "75 %");
    clickBar(bar, QStyle::SC_ScrollBarAddLine, 2);
    EXPECT_EQ(textOf(w, "Arvo"), "80 %");
    clickBar(bar, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(textOf(w, "Arvo"), "78 %");
    clickBar(bar, QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(textOf(w, "Arvo"), "80 %");
    env.state.DrawCount = 77;
    click(w, "Valittup");
    EXPECT_EQ(env.state.CommonWeight, 10);
    EXPECT_EQ(env.state.PerMatchWeights, 0);
    EXPECT_TRUE(openWindow(WindowName::RowCount));
    EXPECT_FALSE(openWindow(WindowName::AverageWeight));
}

// --- MatchWeightsWindow: per-match weights, bankers and switched-off signs ---------------

TEST(MatchWeightsWindowTest, EachLineShowsItsBasicSignAndOffersOnlyTheOtherTwo)
{
    TestEnv env;
    startRandomTask(env, "1X21X21X21X21");
    env.state.WeightedDraw = 1;
    env.state.ExcludedSigns.fill(0);
    QWidget* w = env.open(WindowName::MatchWeights);
    saveShot(w, "match_weights");
    EXPECT_EQ(w->windowTitle(), "Valitse ottelukohtaiset painotukset ja varmat !");
    EXPECT_EQ(textOf(w, "Frame1"), "Käytä näitä");
    for (int k = 0; k < kMatches; ++k) {
        const int basic = k % 3 == 0 ? 0 : k % 3 == 1 ? 1 : 2;
        EXPECT_EQ(textOf(w, QString("Label1_%1").arg(k)), QString(kSigns[basic]));
        EXPECT_EQ(textOf(w, QString("L1_%1").arg(k)), "33 %");
        EXPECT_EQ(env.state.ExcludedSigns[k], kNoExcludedSign);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(isShown(w, QString("j%1_%2").arg(k + 1).arg(s)), s != basic) << k << s;
    }
    EXPECT_EQ(textOf(w, "Check1"), " < 1   Varma");
    EXPECT_EQ(textOf(w, "Check13"), " < 13 Varma");
    auto* bar = control<QScrollBar>(w, "HH1_4");
    focusOn(bar);
    for (int i = 0; i < 4; ++i)
        pressKey(Qt::Key_Right);
    EXPECT_EQ(textOf(w, "L1_4"), "71 %");
    clickBar(bar, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(textOf(w, "L1_4"), "67 %");
}

TEST(MatchWeightsWindowTest, ASecondSwitchedOffSignTurnsTheMatchBackOn)
{
    TestEnv env;
    startRandomTask(env, "1X21X21X21X21");
    env.state.WeightedDraw = 1;
    QWidget* w = env.open(WindowName::MatchWeights);
    auto box = [w](int s) { return control<QCheckBox>(w, QString("j1_%1").arg(s)); };
    click(w, "j1_1"); // no "X" in match 1
    EXPECT_EQ(env.state.ExcludedSigns[0], 1);
    EXPECT_FALSE(box(1)->isChecked());
    EXPECT_TRUE(box(2)->isChecked());
    click(w, "j1_2");
    EXPECT_EQ(env.state.ExcludedSigns[0], kNoExcludedSign);
    EXPECT_TRUE(box(0)->isChecked() && box(1)->isChecked() && box(2)->isChecked());
    click(w, "j1_2");
    EXPECT_EQ(env.state.ExcludedSigns[0], 2);
    click(w, "j1_2");
    EXPECT_EQ(env.state.ExcludedSigns[0], kNoExcludedSign);
}

TEST(MatchWeightsWindowTest, ThirteenBankersAreTooManyTwelveAreFine)
{
    TestEnv env;
    startRandomTask(env);
    env.state.WeightedDraw = 1;
    QWidget* w = env.open(WindowName::MatchWeights);
    for (int n = 1; n <= 13; ++n)
        click(w, QString("Check%1").arg(n));
    EXPECT_FALSE(isEnabled(w, "HH1_0")); // a banker's weight does not matter
    click(w, "Ovalmis");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(), "Liikaa varmoja !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Exclamation);
    EXPECT_EQ(env.state.PerMatchWeights, 0);
    EXPECT_TRUE(openWindow(WindowName::MatchWeights));

    click(w, "Check8");
    stepBarTo(control<QScrollBar>(w, "HH1_7"), 10);
    click(w, "Ovalmis");
    EXPECT_EQ(env.state.PerMatchWeights, 1);
    EXPECT_EQ(env.state.BankerCount, 12);
    EXPECT_EQ(env.state.FreeMatchCount, 1);
    EXPECT_EQ(env.state.FullSystemSize, 3);
    EXPECT_EQ(env.state.MatchWeights[7], 10);
    EXPECT_EQ(env.state.MatchWeights[0], kBankerWeight);
    EXPECT_TRUE(openWindow(WindowName::RowCount));
    EXPECT_FALSE(openWindow(WindowName::MatchWeights));
}

TEST(MatchWeightsWindowTest, WithoutBankersTheWholeSystemIsThreeToTheThirteenth)
{
    TestEnv env;
    startRandomTask(env);
    env.state.WeightedDraw = 1;
    QWidget* w = env.open(WindowName::MatchWeights);
    click(w, "Command1");
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(),
              "Normaalisti arvonnassa on käytössä kaikki merkit.\r\nVoit hylätä joka kohteesta yhden merkin\r\n"
              "joka ei tule mukaan arvottaviin riveihin.\r\nPoista vain merkki jota et halua mukaan.");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Information);
    click(w, "Ovalmis");
    EXPECT_EQ(env.state.FullSystemSize, 1594323);
    EXPECT_EQ(env.state.FreeMatchCount, 13);
    EXPECT_EQ(env.state.MatchWeights, (MatchValues{3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
}

// --- RowCountWindow: how many rows --------------------------------------------------------

TEST(RowCountWindowTest, TheCountIsTypedInDigitsOrSetWithTheSlider)
{
    TestEnv env;
    startRandomTask(env);
    env.state.CommonWeight = 5;
    QWidget* w = env.open(WindowName::RowCount);
    saveShot(w, "row_count");
    EXPECT_EQ(w->windowTitle(), "Rivimäärä ?  (max. 500)");
    EXPECT_EQ(env.state.DrawCount, 10);
    EXPECT_EQ(textOf(w, "Rivimaara"), "10");
    typeInto(w, "Rivimaara", "2x5-.");
    EXPECT_EQ(textOf(w, "Rivimaara"), "25");
    EXPECT_EQ(env.state.DrawCount, 25);
    control<QSlider>(w, "Slider1")->setValue(30);
    EXPECT_EQ(textOf(w, "Rivimaara"), "300");
    EXPECT_EQ(env.state.DrawCount, 300);
    click(w, "SSCommand1");
    EXPECT_EQ(env.messages.lastText(), "Jos arvot vajaita kuponkeja voit kirjoittaa rivimäärän kenttään.");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Information);
    click(w, "SainRivimaaran");
    EXPECT_EQ(env.windows.shownNames().last(), WindowName::Drawing);
    EXPECT_FALSE(openWindow(WindowName::RowCount));
}

TEST(RowCountWindowTest, RefusedCountsKeepTheWindowOpen)
{
    TestEnv env;
    startRandomTask(env);
    env.state.CommonWeight = 5;
    QWidget* w = env.open(WindowName::RowCount);
    typeInto(w, "Rivimaara", "");
    click(w, "SainRivimaaran");
    typeInto(w, "Rivimaara", "0");
    click(w, "SainRivimaaran");
    EXPECT_TRUE(env.messages.shown.isEmpty());
    typeInto(w, "Rivimaara", "501");
    click(w, "SainRivimaaran");
    EXPECT_EQ(env.messages.lastText(), "Rivimäärä ei voi olla suurempi kuin 500 !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_TRUE(openWindow(WindowName::RowCount));
    EXPECT_FALSE(env.windows.shownNames().contains(WindowName::Drawing));
}

TEST(RowCountWindowTest, PerMatchWeightingLimitsTheCount)
{
    TestEnv env;
    startRandomTask(env);
    SharedState& s = env.state;
    s.WeightedDraw = 1;
    s.PerMatchWeights = 1;
    s.MatchWeights.fill(kBankerWeight);
    s.MatchWeights[3] = 6;
    s.MatchWeights[4] = 6;
    s.FreeMatchCount = 2;
    s.FullSystemSize = 9;
    QWidget* w = env.open(WindowName::RowCount);
    typeInto(w, "Rivimaara", "10");
    click(w, "SainRivimaaran");
    EXPECT_EQ(env.messages.lastText(), "Rivimäärä ei voi olla suurempi kuin  9 koska arvottavia kohteita on  2");
    EXPECT_EQ(env.messages.shown.last().title, "LASKUVIRHE !");

    // With "2" switched off in one free match only six different rows exist.
    s.ExcludedSigns[3] = 2;
    typeInto(w, "Rivimaara", "7");
    click(w, "SainRivimaaran");
    EXPECT_EQ(env.messages.lastText(),
              "Rivimäärä ei voi olla suurempi kuin  6 koska poistetut merkit rajaavat erilaisten rivien määrää !");
    typeInto(w, "Rivimaara", "6");
    click(w, "SainRivimaaran");
    EXPECT_TRUE(openWindow(WindowName::Drawing));
}

TEST(RowCountWindowTest, ARandomRowSystemTellsItsSizeAndOffersIt)
{
    TestEnv env;
    startRandomTask(env);
    markSystem(env.state, {"12", "1X", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    QWidget* w = env.open(WindowName::RowCount);
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.lastText(),
              "Tämä hajarivijärjestelmä vaatisi täydellisenä   12 riviä !  Maximi rivimäärä on 500 !");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Information);
    EXPECT_EQ(env.state.HalfCombinations, 4);
    EXPECT_EQ(env.state.FullCombinations, 3);
    EXPECT_EQ(textOf(w, "Rivimaara"), "12");
    EXPECT_EQ(env.state.DrawCount, 12);
    typeInto(w, "Rivimaara", "13");
    click(w, "SainRivimaaran");
    EXPECT_EQ(env.messages.lastText(), "Rivimäärä ei voi olla suurempi kuin  12 !");
    EXPECT_TRUE(openWindow(WindowName::RowCount));
}

TEST(RowCountWindowTest, ALargeSystemKeepsTheDefaultCount)
{
    TestEnv env;
    startRandomTask(env);
    markSystem(env.state, {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "12", "1", "1", "1", "1", "1", "1"});
    QWidget* w = env.open(WindowName::RowCount);
    EXPECT_EQ(env.messages.lastText(),
              "Tämä hajarivijärjestelmä vaatisi täydellisenä   1458 riviä !  Maximi rivimäärä on 500 !");
    EXPECT_EQ(textOf(w, "Rivimaara"), "10");
}
