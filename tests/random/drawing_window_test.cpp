#include "random/weights.h"
#include "randomtask.h"
#include "support/useractions.h"
#include "shell/ui/mainwindow.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>
#include <set>

namespace {

// A weighted task ready for the drawing window: one weight for all matches.
QWidget* openDrawing(TestEnv& env, int count, int weight = 10, const QString& basic = "1X21X21X21X21")
{
    startRandomTask(env, basic);
    env.state.CommonWeight = weight;
    env.state.DrawCount = count;
    return env.open(WindowName::Drawing);
}

// The rows of a saved rows file, after checking its header.
RowBuffer savedRows(const QByteArray& bytes, int count)
{
    EXPECT_EQ(bytes.size(), 13 * (count + 1));
    EXPECT_EQ(bytes.left(13), (QByteArray::number(count) + " nova").leftJustified(13, ' '));
    RowBuffer rows;
    for (int i = 1; i * 13 < bytes.size(); ++i)
        rows.push_back(rowFromText(QString::fromLatin1(bytes.mid(i * 13, 13))));
    return rows;
}

} // namespace

TEST(DrawingWindowTest, ARunDrawsTheRowsOnceAndShowsHowItWent)
{
    TestEnv env;
    env.random.seed(11);
    QWidget* w = openDrawing(env, 60);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "ARVONTA");
    EXPECT_FALSE(isEnabled(w, "talleta"));
    EXPECT_EQ(textOf(w, "pohja"), "60");
    EXPECT_EQ(textOf(w, "os1"), "0");
    EXPECT_FALSE(isShown(w, "Line1"));
    saveShot(w, "drawing_start");

    click(w, "ar");
    saveShot(w, "drawing_drawn");
    const RowBuffer& rows = env.state.Rows;
    ASSERT_EQ(rows.size(), 60u);
    EXPECT_EQ(rowText(rows[0]), "1X21X21X21X21");
    std::set<QString> distinct;
    int hits = 0;
    std::array<int, 4> classes{};
    for (const Row& row : rows) {
        distinct.insert(rowText(row));
        const int h = rowHits(row, rows[0]);
        hits += h;
        if (h >= 10)
            ++classes[13 - h];
    }
    EXPECT_EQ(distinct.size(), 60u);
    EXPECT_EQ(textOf(w, "Maara"), "60");
    EXPECT_EQ(textOf(w, "Hyvaksytty"), "60");
    const int attempts = textOf(w, "Arvottu").toInt();
    EXPECT_EQ(attempts, env.random.reseeds);
    EXPECT_EQ(attempts - textOf(w, "Hylatty").toInt(), 60);
    EXPECT_EQ(textOf(w, "Perusmerkit"), QString::number(rowHits(rows.back(), rows[0])));
    EXPECT_EQ(textOf(w, "Keskiarvo"), " " + QString::number(hits / 60.0, 'f', 1));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(textOf(w, QString("os%1").arg(i + 1)), QString::number(classes[i]));
    EXPECT_GE(classes[0], 1); // the basic row itself
    EXPECT_EQ(control<QProgressBar>(w, "mittari")->value(), 60);
    EXPECT_TRUE(isShown(w, "Line1"));
    EXPECT_EQ(env.sound.played, QList<int>{12});
    EXPECT_EQ(env.state.DrawBusy, 0);

    // One run per window; the buttons come back for saving and closing.
    EXPECT_FALSE(isEnabled(w, "ar"));
    EXPECT_TRUE(isEnabled(w, "talleta"));
    EXPECT_TRUE(isEnabled(w, "Command1"));
    click(w, "Command2");
    EXPECT_EQ(env.commands, QStringList{"win"});
    click(w, "Command1");
    EXPECT_FALSE(openWindow(WindowName::Drawing));
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST(DrawingWindowTest, SavingWritesTheRowsFileAndClosesTheWindow)
{
    TestEnv env;
    QWidget* w = openDrawing(env, 25, 6);
    click(w, "ar");
    const RowBuffer drawn = env.state.Rows;

    // An existing name is refused and the rows stay for another try.
    const QString taken = env.path("VANHA.1X2");
    {
        QFile file(taken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    env.dialogs.choose(taken);
    click(w, "talleta");
    EXPECT_EQ(env.messages.lastText(), "Tiedosto on jo olemassa, anna uusi nimi !");
    EXPECT_EQ(fileBytes(taken), QByteArray("old"));
    ASSERT_TRUE(openWindow(WindowName::Drawing));
    EXPECT_FALSE(env.mainWindow.isEnabled());

    // Cancelling the dialog changes nothing either.
    click(w, "talleta");
    ASSERT_TRUE(openWindow(WindowName::Drawing));

    const QString path = env.path("UUSI.1X2");
    env.dialogs.choose(path);
    click(w, "talleta");
    EXPECT_FALSE(openWindow(WindowName::Drawing));
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_EQ(env.dialogs.saved.last().title, "Anna rivitiedostolle nimi");
    const RowBuffer rows = savedRows(fileBytes(path), 25);
    EXPECT_EQ(rows, drawn);
}

TEST(DrawingWindowTest, CloseAndSaveWaitForTheRunToEnd)
{
    TestEnv env;
    QWidget* w = openDrawing(env, 200, 3);
    bool triedDuringRun = false;
    // Runs at the first pause of the drawing, as a user's click would.
    QTimer::singleShot(0, w, [&] {
        triedDuringRun = env.state.DrawBusy == 1;
        EXPECT_FALSE(isEnabled(w, "Command1"));
        EXPECT_FALSE(isEnabled(w, "Command2"));
        EXPECT_FALSE(isEnabled(w, "talleta"));
        w->close();
    });
    click(w, "ar");
    EXPECT_TRUE(triedDuringRun);
    ASSERT_TRUE(openWindow(WindowName::Drawing));
    EXPECT_EQ(env.state.Rows.size(), 200u);
    EXPECT_FALSE(env.mainWindow.isEnabled());
    w->close();
    EXPECT_FALSE(openWindow(WindowName::Drawing));
}

TEST(DrawingWindowTest, TheAverageShowsInTheTenthsPattern)
{
    TestEnv env;
    // One row: the basic row itself, all 13 signs its own.
    QWidget* w = openDrawing(env, 1);
    click(w, "ar");
    EXPECT_EQ(textOf(w, "Keskiarvo"), " 13.");
}

TEST(DrawingWindowTest, SoundsCanBeOff)
{
    TestEnv env;
    env.state.SoundOn = 0;
    QWidget* w = openDrawing(env, 5);
    click(w, "ar");
    EXPECT_TRUE(env.sound.played.isEmpty());
    EXPECT_TRUE(isEnabled(w, "talleta"));
}

TEST(DrawingWindowTest, ARunThatCannotBeFilledIsReported)
{
    TestEnv env;
    startRandomTask(env, "1111111111111");
    SharedState& s = env.state;
    s.WeightedDraw = 1;
    s.PerMatchWeights = 1;
    s.MatchWeights.fill(kBankerWeight);
    s.MatchWeights[0] = 10;
    s.ExcludedSigns[0] = 1;
    s.DrawCount = 3; // only "1" and "2" are left for the one free match
    QWidget* w = env.open(WindowName::Drawing);
    click(w, "ar");
    EXPECT_EQ(env.messages.lastText(), "Arvonta ei onnistu !\r\nErilaisia rivejä voi arpoa vain 2.");
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_FALSE(isEnabled(w, "talleta"));
    EXPECT_FALSE(isEnabled(w, "ar"));
    EXPECT_TRUE(isEnabled(w, "Command1"));
    EXPECT_EQ(s.DrawBusy, 0);
    EXPECT_TRUE(env.sound.played.isEmpty());
}

TEST(DrawingWindowTest, ARandomRowSystemUsesOnlyTheMarkedSigns)
{
    TestEnv env;
    startRandomTask(env);
    const QStringList pattern = {"1X2", "12", "1", "X2", "1X2", "2", "2", "X", "1", "1", "1", "1", "1"};
    markSystem(env.state, pattern);
    env.state.DrawCount = 20;
    QWidget* w = env.open(WindowName::Drawing);
    EXPECT_FALSE(isShown(w, "Frame1"));
    EXPECT_FALSE(isShown(w, "Frame2"));
    EXPECT_FALSE(isShown(w, "Keskiarvo"));
    EXPECT_FALSE(isShown(w, "OtsakePerusmerkit"));
    saveShot(w, "drawing_system");
    click(w, "ar");
    ASSERT_EQ(env.state.Rows.size(), 20u);
    std::set<QString> distinct, guards;
    for (const Row& row : env.state.Rows) {
        distinct.insert(rowText(row));
        guards.insert(QString(QChar(row[0])) + QChar(row[4]));
        for (int k = 0; k < kMatches; ++k)
            EXPECT_TRUE(pattern[k].contains(QChar(row[k])));
    }
    EXPECT_EQ(distinct.size(), 20u);
    EXPECT_EQ(guards.size(), 9u); // every three-sign combination comes before any repeats
    EXPECT_EQ(textOf(w, "Hyvaksytty"), "20");
}

// --- The whole road from the main window to the saved rows file ----------------------------

namespace {

// Clicks the basic row into the basic-row window.
void clickBasicRow(QWidget* window, const QString& signs)
{
    for (int k = 0; k < kMatches; ++k) {
        const QString name = signs[k] == '1' ? "Yksi" : signs[k] == 'X' ? "Risti" : "Kaksi";
        click(window, QString("%1_%2").arg(name).arg(k));
    }
}

} // namespace

TEST(RandomRowsRoad, OneWeightFromTheMainWindowToTheSavedFile)
{
    TestEnv env;
    MainWindow form(env.context, env.windows);
    env.windows.setMainWindow(&form);
    form.show();
    env.random.seed(5);
    form.runOperation("arv");
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(env.state.RandomTask, 1);

    click(openWindow(WindowName::DrawKind), "Command1");
    click(openWindow(WindowName::WeightingKind), "ValittuPainotus");
    QWidget* basicRow = openWindow(WindowName::BasicRow);
    ASSERT_TRUE(basicRow);
    const QString basic = "1X22X11X22X11";
    clickBasicRow(basicRow, basic);
    click(basicRow, "sainperusrivin");
    QWidget* averageWeight = openWindow(WindowName::AverageWeight);
    ASSERT_TRUE(averageWeight);
    stepBarTo(control<QScrollBar>(averageWeight, "Jana"), 8);
    click(averageWeight, "Valittup");
    QWidget* rowCount = openWindow(WindowName::RowCount);
    ASSERT_TRUE(rowCount);
    typeInto(rowCount, "Rivimaara", "40");
    click(rowCount, "SainRivimaaran");
    QWidget* drawing = openWindow(WindowName::Drawing);
    ASSERT_TRUE(drawing);
    click(drawing, "ar");
    const QString path = env.path("ROAD.1X2");
    env.dialogs.choose(path);
    click(drawing, "talleta");
    EXPECT_FALSE(openWindow(WindowName::Drawing));
    EXPECT_TRUE(form.isEnabled());

    const RowBuffer rows = savedRows(fileBytes(path), 40);
    ASSERT_EQ(rows.size(), 40u);
    EXPECT_EQ(rowText(rows[0]), basic);
    std::set<QString> distinct;
    for (const Row& row : rows) {
        distinct.insert(rowText(row));
        for (char c : row)
            EXPECT_GE(signIndex(c), 0);
    }
    EXPECT_EQ(distinct.size(), 40u);
    EXPECT_EQ(env.state.CommonWeight, 8);
    form.close();
}

TEST(RandomRowsRoad, PerMatchWeightsWithBankersAndASwitchedOffSign)
{
    TestEnv env;
    MainWindow form(env.context, env.windows);
    env.windows.setMainWindow(&form);
    form.show();
    env.random.seed(6);
    form.runOperation("arv");

    click(openWindow(WindowName::DrawKind), "Command1");
    QWidget* weightingKind = openWindow(WindowName::WeightingKind);
    click(weightingKind, "Option1_1");
    click(weightingKind, "ValittuPainotus");
    QWidget* basicRow = openWindow(WindowName::BasicRow);
    ASSERT_TRUE(basicRow);
    const QString basic = "2222222222222";
    clickBasicRow(basicRow, basic);
    click(basicRow, "sainperusrivin");
    QWidget* matchWeights = openWindow(WindowName::MatchWeights);
    ASSERT_TRUE(matchWeights);
    // Matches 1 ... 9 are bankers, match 10 never gets "X", 11 ... 13 lean heavily on "2".
    for (int n = 1; n <= 9; ++n)
        click(matchWeights, QString("Check%1").arg(n));
    click(matchWeights, "j10_1");
    for (int k = 10; k < 13; ++k)
        stepBarTo(control<QScrollBar>(matchWeights, QString("HH1_%1").arg(k)), 10);
    click(matchWeights, "Ovalmis");
    EXPECT_EQ(env.state.FullSystemSize, 81);
    QWidget* rowCount = openWindow(WindowName::RowCount);
    ASSERT_TRUE(rowCount);
    typeInto(rowCount, "Rivimaara", "60"); // 2 x 27 = 54 different rows only
    click(rowCount, "SainRivimaaran");
    EXPECT_TRUE(env.messages.lastText().startsWith("Rivimäärä ei voi olla suurempi kuin  54 "));
    typeInto(rowCount, "Rivimaara", "54");
    click(rowCount, "SainRivimaaran");
    QWidget* drawing = openWindow(WindowName::Drawing);
    ASSERT_TRUE(drawing);
    click(drawing, "ar");
    const QString path = env.path("VARMAT.1X2");
    env.dialogs.choose(path);
    click(drawing, "talleta");

    const RowBuffer rows = savedRows(fileBytes(path), 54);
    ASSERT_EQ(rows.size(), 54u);
    EXPECT_EQ(rowText(rows[0]), basic);
    std::set<QString> distinct;
    for (const Row& row : rows) {
        distinct.insert(rowText(row));
        EXPECT_EQ(rowText(row).left(9), "222222222");
        EXPECT_NE(row[9], 'X');
    }
    EXPECT_EQ(distinct.size(), 54u); // every possible row, none twice
    form.close();
}

TEST(RandomRowsRoad, ARandomRowSystemFromThePatternToTheSavedFile)
{
    TestEnv env;
    MainWindow form(env.context, env.windows);
    env.windows.setMainWindow(&form);
    form.show();
    env.random.seed(7);
    form.runOperation("arv");

    QWidget* drawKind = openWindow(WindowName::DrawKind);
    click(drawKind, "Option1_1");
    click(drawKind, "Command1");
    QWidget* systemPattern = openWindow(WindowName::SystemPattern);
    ASSERT_TRUE(systemPattern);
    EXPECT_EQ(systemPattern->windowTitle(), "JÄRJESTELMÄ");
    // Three-sign matches 1 and 5, a two-sign match 3 ("X" or "2"), "1" elsewhere: 18 rows.
    const QStringList pattern = {"1X2", "1", "X2", "1", "1X2", "1", "1", "1", "1", "1", "1", "1", "1"};
    const char* buttons[3] = {"yksi", "risti", "kaksi"};
    for (int k = 0; k < kMatches; ++k)
        for (int s = 0; s < 3; ++s)
            if (pattern[k].contains(QChar(kSigns[s])))
                click(systemPattern, QString("%1_%2").arg(buttons[s]).arg(k));
    click(systemPattern, "sainperusrivin");
    QWidget* rowCount = openWindow(WindowName::RowCount);
    ASSERT_TRUE(rowCount);
    EXPECT_EQ(env.messages.lastText(),
              "Tämä hajarivijärjestelmä vaatisi täydellisenä   18 riviä !  Maximi rivimäärä on 500 !");
    EXPECT_EQ(textOf(rowCount, "Rivimaara"), "18");
    click(rowCount, "SainRivimaaran");
    QWidget* drawing = openWindow(WindowName::Drawing);
    ASSERT_TRUE(drawing);
    click(drawing, "ar");
    const QString path = env.path("JARJESTELMA.1X2");
    env.dialogs.choose(path);
    click(drawing, "talleta");
    EXPECT_TRUE(form.isEnabled());

    const RowBuffer rows = savedRows(fileBytes(path), 18);
    std::set<QString> distinct, guards;
    for (int i = 0; i < int(rows.size()); ++i) {
        distinct.insert(rowText(rows[i]));
        for (int k = 0; k < kMatches; ++k)
            EXPECT_TRUE(pattern[k].contains(QChar(rows[i][k])));
        if (i < 9) // the nine three-sign combinations come first, each once
            guards.insert(QString(QChar(rows[i][0])) + QChar(rows[i][4]));
    }
    EXPECT_EQ(guards.size(), 9u);
    EXPECT_EQ(distinct.size(), 18u); // the whole system
    form.close();
}
