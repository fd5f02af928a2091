#include "base/rowfile.h"
#include "support/files.h"
#include "systems/coveringcheck.h"
#include "systemsdata.h"
#include "systemswindows.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace systemswindows;

namespace {

const std::array<const char*, 13> kFourFull = {"1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1"};

QString keptText(QWidget* w)
{
    return textOf(w, "jaljella");
}

bool keptIs(QWidget* w, int n)
{
    return workShows(w, [&] { return keptText(w) == QString::fromUtf8("Ehdot täyttäviä rivejä: %1").arg(n); }, 5000);
}

void typeIntoSpin(QWidget* w, const QString& name, const QString& text)
{
    auto* spin = control<QSpinBox>(w, name);
    focusOn(spin);
    spin->selectAll();
    QTest::keyClicks(spin, text);
    settle();
}

QStringList listed(QWidget* w)
{
    QStringList items;
    auto* list = control<QListWidget>(w, "ehdot");
    for (int i = 0; i < list->count(); ++i)
        items << (list->item(i)->checkState() == Qt::Checked ? "[x] " : "[ ] ") + list->item(i)->text();
    return items;
}

// Types into a cell of a table as a player does: the arrow keys to the cell, F2 to edit it.
void typeIntoCell(QTableWidget* table, int row, int column, const QString& text)
{
    focusOn(table);
    pressKey(Qt::Key_Home, Qt::ControlModifier);
    for (int r = 0; r < row; ++r)
        pressKey(Qt::Key_Down);
    for (int c = 0; c < column; ++c)
        pressKey(Qt::Key_Right);
    pressKey(Qt::Key_F2);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), text);
    pressKey(Qt::Key_Return);
    settle();
}

void chooseKind(QWidget* w, const char* kind)
{
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "ehtolaji"), QString::fromUtf8(kind)));
}

} // namespace

TEST(PruningWindow, TheCountFollowsEveryChangeAndTheKeptRowsAreSavedAndAnalysed)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Pruning);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Karsinta");
    EXPECT_EQ(textOf(w, "tila"), QString::fromUtf8("Merkitse jokaiseen kohteeseen vähintään yksi merkki."));
    typeFrame(control<QWidget>(w, "yksi_0"), kFourFull);
    EXPECT_EQ(textOf(w, "taysi"), QString::fromUtf8("Täysjärjestelmä: 81 riviä"));
    ASSERT_TRUE(keptIs(w, 81));

    // One or two draws over the four matches: 4·2³ + 6·2² rows.
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "merkki"), "X"));
    typeIntoSpin(w, "vahintaan", "1");
    typeIntoSpin(w, "enintaan", "2");
    click(w, "lisaa");
    EXPECT_EQ(listed(w), QStringList{QString::fromUtf8("[x] Merkkejä X: 1–2")});
    ASSERT_TRUE(keptIs(w, 56));

    // The space bar switches the chosen condition off and on again.
    focusOn(control<QListWidget>(w, "ehdot"));
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Space);
    EXPECT_EQ(listed(w), QStringList{QString::fromUtf8("[ ] Merkkejä X: 1–2")});
    ASSERT_TRUE(keptIs(w, 81));
    pressKey(Qt::Key_Space);
    ASSERT_TRUE(keptIs(w, 56));

    // The chosen condition changes as its editor does; a range upside down changes nothing.
    typeIntoSpin(w, "enintaan", "1");
    EXPECT_EQ(listed(w), QStringList{QString::fromUtf8("[x] Merkkejä X: 1–1")});
    ASSERT_TRUE(keptIs(w, 32));
    typeIntoSpin(w, "vahintaan", "3");
    EXPECT_EQ(textOf(w, "tila"), QString::fromUtf8("Vähimmäismäärä 3 on suurempi kuin enimmäismäärä 1 !"));
    EXPECT_EQ(listed(w), QStringList{QString::fromUtf8("[x] Merkkejä X: 1–1")});
    EXPECT_EQ(keptText(w), QString::fromUtf8("Ehdot täyttäviä rivejä: 32"));

    // Saved as a new rows file and handed to the analysis; this window stays.
    env.dialogs.choose(env.path("karsittu.1X2"));
    click(w, "tallenna");
    EXPECT_TRUE(env.messages.shown.isEmpty()) << env.messages.lastText().toStdString();
    const std::vector<SignRow> rows = systemsdata::rowsInFile(env.path("karsittu.1X2"));
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    QWidget* analysis = openWindow(WindowName::GuaranteeAnalysis);
    ASSERT_TRUE(analysis);
    EXPECT_TRUE(workShows(analysis, [&] { return textOf(analysis, "tila") == "Valmis."; }));
    EXPECT_EQ(textOf(analysis, "rivimaara"), QString::fromUtf8("Rivejä: 32"));
    EXPECT_TRUE(openWindow(WindowName::Pruning));
    analysis->close();

    // Never over an existing file.
    const QByteArray saved = readBytes(env.path("karsittu.1X2"));
    env.dialogs.choose(env.path("karsittu.1X2"));
    click(w, "tallenna");
    EXPECT_EQ(env.messages.lastText(), "Tiedosto on jo olemassa, anna uusi nimi !");
    EXPECT_EQ(readBytes(env.path("karsittu.1X2")), saved);

    // More rows than a rows file holds are refused with their count.
    typeFrame(control<QWidget>(w, "risti_4"), {"X2", "X2", "X2", "X2", "X2", "X2", "", "", "", "", "", "", ""});
    ASSERT_TRUE(keptIs(w, 10 * 512));
    focusOn(control<QListWidget>(w, "ehdot"));
    pressKey(Qt::Key_Space);
    ASSERT_TRUE(keptIs(w, 59049));
    click(w, "tallenna");
    EXPECT_EQ(env.messages.lastText(),
              QString::fromUtf8("Rivejä on 59049, rivitiedostoon mahtuu enintään 32767 ! Karsi lisää tai etsi takuu."));
}

TEST(PruningWindow, ProbabilitiesFromAFileKeepTheMostProbableRowsAndTheAnalysisWeighsByThem)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Pruning);
    typeFrame(control<QWidget>(w, "yksi_0"), kFourFull);
    QByteArray chances;
    for (int m = 0; m < 13; ++m)
        chances += m == 0 ? "70 20 10\n" : "50;30;20\n";
    // Odds are read as odds even with percentages chosen: as percentages they add up to nothing like 100.
    QByteArray odds;
    for (int m = 0; m < 13; ++m)
        odds += "2,10 3,40 3,60\n";
    writeBytes(env.path("kertoimet.txt"), odds);
    env.dialogs.choose(env.path("kertoimet.txt"));
    click(w, "lataatodnak");
    auto* table = control<QTableWidget>(w, "luvut");
    EXPECT_EQ(table->item(12, 0)->text(), "2.1");
    EXPECT_TRUE(control<QRadioButton>(w, "kertoimet")->isChecked());
    EXPECT_EQ(textOf(w, "tila"), QString::fromUtf8("Luvut luettiin kertoimina."));

    writeBytes(env.path("todnak.txt"), chances);
    env.dialogs.choose(env.path("todnak.txt"));
    click(w, "prosentit");
    click(w, "lataatodnak");
    EXPECT_EQ(table->item(0, 0)->text(), "70");
    EXPECT_EQ(table->item(12, 2)->text(), "20");

    chooseKind(w, "Todennäköisimmät rivit");
    typeInto(w, "luku", "10");
    pressKey(Qt::Key_Return); // adds the condition
    ASSERT_TRUE(keptIs(w, 10));
    // The chance that the correct row is among them stands beside the count.
    EXPECT_TRUE(textOf(w, "todennakoisyys").startsWith(QString::fromUtf8("Oikea rivi niiden joukossa: ")));

    // A damaged file is refused by line and changes nothing.
    writeBytes(env.path("vajaa.txt"), "45 30 25\n45 30\n");
    env.dialogs.choose(env.path("vajaa.txt"));
    click(w, "lataatodnak");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("vajaa.txt: Rivi 2: Anna kolme lukua (1, X ja 2) !"));
    EXPECT_EQ(table->item(0, 0)->text(), "70");
    EXPECT_EQ(keptText(w), QString::fromUtf8("Ehdot täyttäviä rivejä: 10"));

    // Typing a chance away names the match, and the count waits for a whole table.
    typeIntoCell(table, 3, 1, "");
    EXPECT_EQ(table->item(3, 1)->text(), "");
    ASSERT_TRUE(workShows(w, [&] { return keptText(w) == QString::fromUtf8("Ehdot täyttäviä rivejä: -"); }, 5000));
    EXPECT_EQ(textOf(w, "tila"), QString::fromUtf8("Kohteen 4 todennäköisyydet puuttuvat !"));
    typeIntoCell(table, 3, 1, "30");
    ASSERT_TRUE(keptIs(w, 10));
    EXPECT_EQ(textOf(w, "tila"), QString());

    // The analysis of the saved rows shows the chances of each prize class.
    env.dialogs.choose(env.path("todnak.1X2"));
    click(w, "tallenna");
    QWidget* analysis = openWindow(WindowName::GuaranteeAnalysis);
    ASSERT_TRUE(analysis);
    ASSERT_TRUE(workShows(analysis, [&] { return textOf(analysis, "tila") == "Valmis."; }));
    auto* figures = control<QTableWidget>(analysis, "luvut");
    QStringList headings;
    for (int r = 0; r < figures->rowCount(); ++r)
        headings << figures->verticalHeaderItem(r)->text();
    EXPECT_TRUE(headings.contains(QString::fromUtf8("Todennäköisyys, paras rivi"))) << headings.join('|').toStdString();
    EXPECT_TRUE(headings.contains(QString::fromUtf8("Rivejä odotusarvoisesti")));
    saveShot(w, "karsinta_todennakoisyydet");
    saveShot(analysis, "karsinta_analyysi");
}

TEST(PruningWindow, ConditionsAreSavedAndReadBackAndABadFileChangesNothing)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Pruning);
    typeFrame(control<QWidget>(w, "yksi_0"), kFourFull);
    chooseKind(w, "Pisin saman merkin putki");
    typeIntoSpin(w, "vahintaan", "1");
    typeIntoSpin(w, "enintaan", "13");
    click(w, "lisaa");
    env.state.HintRow = {"1", "X", "2", "1", "", "", "", "", "", "", "", "", ""};
    chooseKind(w, "Suosikkien määrä");
    click(w, "vihjerivi");
    EXPECT_EQ(textOf(w, "suosikit"), "1X21---------");
    typeIntoSpin(w, "vahintaan", "2");
    typeIntoSpin(w, "enintaan", "3");
    click(w, "lisaa");
    ASSERT_TRUE(keptIs(w, 32)); // 6·2² + 4·2
    saveShot(w, "karsinta_suosikit");
    const QStringList before = listed(w);

    env.dialogs.choose(env.path("viikko49.KRS"));
    click(w, "tallennaehdot");
    const QByteArray bytes = readBytes(env.path("viikko49.KRS"));
    EXPECT_EQ(bytes, "# Rivikone: karsintaehdot\nkaava 1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1\nputki 1-13\n"
                     "suosikit 1X21--------- 2-3\n");
    typeIntoCell(control<QTableWidget>(w, "luvut"), 0, 0, "4");
    pressKey(Qt::Key_Escape);

    ResetTaskState(env.state);
    w = env.open(WindowName::Pruning);
    writeBytes(env.path("rikki.KRS"), "kaava 1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1\nmerkit X:4-2\n");
    env.dialogs.choose(env.path("rikki.KRS"));
    click(w, "avaaehdot");
    EXPECT_EQ(env.messages.lastText(),
              QString::fromUtf8("rikki.KRS: Rivi 2: Vähimmäismäärä 4 on suurempi kuin enimmäismäärä 2 !"));
    // Escape kept the conditions and a half-typed chance for the rest of the
    // run; a bad file changes nothing.
    EXPECT_EQ(listed(w), before);
    EXPECT_EQ(control<QTableWidget>(w, "luvut")->item(0, 0)->text(), "4");
    EXPECT_EQ(textOf(w, "taysi"), QString::fromUtf8("Täysjärjestelmä: -"));

    env.dialogs.choose(env.path("viikko49.KRS"));
    click(w, "avaaehdot");
    EXPECT_EQ(listed(w), before);
    EXPECT_EQ(textOf(w, "taysi"), QString::fromUtf8("Täysjärjestelmä: 81 riviä"));
    ASSERT_TRUE(keptIs(w, 32));
}

TEST(PruningWindow, AGuaranteeInsideTheKeptRowsNeedsFewerRowsAndKeepsItForEveryKeptRow)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Pruning);
    typeFrame(control<QWidget>(w, "yksi_0"),
              {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1"});
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "merkki"), "X"));
    typeIntoSpin(w, "vahintaan", "2");
    typeIntoSpin(w, "enintaan", "3");
    click(w, "lisaa");
    // 21·2⁵ + 35·2⁴ rows
    ASSERT_TRUE(keptIs(w, 1232));
    EXPECT_FALSE(isEnabled(w, "etsi"));
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "takuu"), "12 oikein"));
    ASSERT_TRUE(workShows(w, [&] { return isEnabled(w, "etsi"); }, 5000));
    // Enter in the guarantee box searches; it adds no condition again.
    pressKey(Qt::Key_Return);
    EXPECT_EQ(listed(w).size(), 1);
    EXPECT_TRUE(isEnabled(w, "keskeyta"));
    EXPECT_FALSE(isEnabled(w, "tallenna"));
    pressKey(Qt::Key_Space); // the focus waits on the stop button
    ASSERT_TRUE(workShows(w, [&] { return keptText(w).contains("takuu"); }));
    const QString shown = keptText(w);
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Ehdot täyttäviä rivejä: 1232; takuu 12 oikein: ")))
        << shown.toStdString();

    env.dialogs.choose(env.path("takuu.1X2"));
    click(w, "tallenna");
    const std::vector<SignRow> rows = systemsdata::rowsInFile(env.path("takuu.1X2"));
    EXPECT_TRUE(shown.endsWith(QString::fromUtf8(": %1 riviä").arg(rows.size()))) << shown.toStdString();
    EXPECT_LT(rows.size(), 1232u / 3);
    std::vector<SignRow> kept;
    const Frame frame = systemsdata::frameFrom("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1");
    forEachOutcomeInOrder(frame, [&](const SignRow& row) {
        const auto draws = std::count(row.begin(), row.end(), 1);
        if (draws >= 2 && draws <= 3)
            kept.push_back(row);
        return true;
    });
    EXPECT_TRUE(tableKeepsGuarantee(rows, frame, 12, &kept));
    saveShot(w, "karsinta");

    // The analysis the rows went to tells the guarantee over the whole frame
    // and, apart, over the rows the conditions keep.
    QWidget* analysis = openWindow(WindowName::GuaranteeAnalysis);
    ASSERT_TRUE(analysis);
    ASSERT_TRUE(workShows(analysis, [&] { return isShown(analysis, "takuukarsitussa"); }));
    EXPECT_EQ(textOf(analysis, "takuukarsitussa"), QString::fromUtf8("Takuu pidetyissä riveissä: 12 oikein"));
    EXPECT_NE(textOf(analysis, "takuuarvo"), "Takuu: 12 oikein");
}

TEST(PruningWindow, ARefusedGuaranteeSearchLeavesTheBarEmpty)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::Pruning);
    typeFrame(control<QWidget>(w, "yksi_0"),
              {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2"});
    ASSERT_TRUE(keptIs(w, 1594323));
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "takuu"), "12 oikein"));
    ASSERT_TRUE(workShows(w, [&] { return isEnabled(w, "etsi"); }));
    click(w, "etsi");
    ASSERT_TRUE(workShows(w, [&] { return !env.messages.shown.isEmpty(); }));
    EXPECT_EQ(control<QProgressBar>(w, "mittari")->value(), 0);
}
