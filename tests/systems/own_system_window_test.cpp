#include "base/rowfile.h"
#include "support/files.h"
#include "systems/coveringcheck.h"
#include "systems/systemtables.h"
#include "systemsdata.h"
#include "systemswindows.h"

#include <QComboBox>
#include <QFileInfo>
#include <QSpinBox>
#include <QThreadPool>
#include <gtest/gtest.h>

using namespace systemswindows;

namespace {

const std::array<const char*, 13> kFourFull = {"1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1"};

QWidget* firstSign(QWidget* window)
{
    return control<QWidget>(window, "yksi_0");
}

bool searchDone(QWidget* window)
{
    return isEnabled(window, "etsi");
}

} // namespace

TEST(OwnSystemWindow, ShowsTheOutlookAtOnceFindsATableAndKeepsItForTheShape)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::OwnReducedSystem);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Oma harava");
    EXPECT_EQ(textOf(w, "taulukko"), QString::fromUtf8("Merkitse jokaiseen kohteeseen vähintään yksi merkki."));
    // The search button stays where the pointer is while the texts above it change.
    QCoreApplication::processEvents();
    const QPoint searchButtonAt = button(w, "etsi")->mapTo(w, QPoint());
    typeFrame(firstSign(w), kFourFull);
    QCoreApplication::processEvents();
    EXPECT_EQ(button(w, "etsi")->mapTo(w, QPoint()), searchButtonAt);
    EXPECT_EQ(textOf(w, "vaihtoehdot"), "Tulosvaihtoehtoja: 81");
    EXPECT_EQ(textOf(w, "alaraja"), QString::fromUtf8("Alaraja: 9 riviä"));
    // A shape the program was shipped with has its table ready at once.
    EXPECT_EQ(textOf(w, "taulukko"), QString::fromUtf8("Taulukko: 9 riviä (valmis taulukko)"));
    EXPECT_TRUE(isEnabled(w, "tallenna"));

    // Enter on the coupon searches.
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(workShows(w, [w] { return searchDone(w); }));
    EXPECT_EQ(textOf(w, "taulukko"), QString::fromUtf8("Taulukko: 9 riviä (löydetty)"));
    EXPECT_TRUE(textOf(w, "tila").endsWith("Pienin mahdollinen.")) << textOf(w, "tila").toStdString();
    EXPECT_TRUE(isEnabled(w, "tallenna"));
    EXPECT_EQ(env.sound.played, QList<int>{12});
    const QString kept = keptTablePath(env.dir.path(), {0, 4, 12});
    EXPECT_TRUE(QFileInfo::exists(kept));
    saveShot(w, "omaharava");

    // Saved as a new rows file (Enter: the focus waits on the save button), never over an existing one.
    env.dialogs.choose(env.path("oma.1X2"));
    pressKey(Qt::Key_Return);
    ASSERT_EQ(env.dialogs.saved.size(), 1);
    EXPECT_TRUE(env.messages.shown.isEmpty()) << env.messages.lastText().toStdString();
    const Frame frame = systemsdata::frameFrom("1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(systemsdata::rowsInFile(env.path("oma.1X2")).size(), 9u);
    EXPECT_TRUE(tableKeepsGuarantee(systemsdata::rowsInFile(env.path("oma.1X2")), frame, 12));
    const QByteArray saved = readBytes(env.path("oma.1X2"));
    env.dialogs.choose(env.path("oma.1X2"));
    click(w, "tallenna");
    EXPECT_EQ(env.messages.lastText(), "Tiedosto on jo olemassa, anna uusi nimi !");
    EXPECT_EQ(readBytes(env.path("oma.1X2")), saved);
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(openWindow(WindowName::OwnReducedSystem));

    // Another frame of the same shape gets the kept table at once.
    ResetTaskState(env.state);
    w = env.open(WindowName::OwnReducedSystem);
    typeFrame(firstSign(w), {"1", "X", "2", "1", "X", "2", "1X2", "1X2", "1", "1X2", "X", "1X2", "1"});
    EXPECT_EQ(textOf(w, "taulukko"), QString::fromUtf8("Taulukko: 9 riviä (tallessa aiemmasta hausta)"));
    EXPECT_TRUE(isEnabled(w, "tallenna"));
}

TEST(OwnSystemWindow, OffersACarriedTableForItsShapeAndRefusesANeedBeyondARowsFile)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::OwnReducedSystem);
    typeFrame(firstSign(w), {"1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X2", "1X2", "1X2", "1", "1", "1"});
    // Ten matches: no shipped table, but a direct sum of shipped ones.
    EXPECT_TRUE(textOf(w, "taulukko").endsWith("(valmis taulukko)")) << textOf(w, "taulukko").toStdString();
    ASSERT_TRUE(chooseFromList(control<QComboBox>(w, "takuu"), "11 oikein"));
    EXPECT_EQ(textOf(w, "alaraja"), QString::fromUtf8("Alaraja: 39 riviä"));
    EXPECT_EQ(textOf(w, "taulukko"), QString::fromUtf8("Taulukko: 60 riviä (harava A60)"));

    ResetTaskState(env.state);
    pressKey(Qt::Key_Escape);
    w = env.open(WindowName::OwnReducedSystem);
    typeFrame(firstSign(w),
              {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2"});
    EXPECT_EQ(textOf(w, "alaraja"), QString::fromUtf8("Alaraja: 59049 riviä – liikaa rivitiedostoon"));
    click(w, "etsi");
    EXPECT_EQ(env.messages.lastText(),
              QString::fromUtf8("Tähän tarvitaan vähintään 59049 riviä, rivitiedostoon mahtuu enintään 32767 !"));
    EXPECT_EQ(env.messages.shown.last().flags, Messages::Critical);
    EXPECT_TRUE(searchDone(w));

    // A match left empty is refused as in the pattern window.
    click(w, "yksi_12");
    click(w, "risti_12");
    click(w, "kaksi_12");
    click(w, "etsi");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Joku kohde on tyhjä !!"));
}

TEST(OwnSystemWindow, StoppingKeepsTheBestTableAndClosingNeverWaitsForTheSearch)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::OwnReducedSystem);
    // Ten matches: the shipped table of nine beside every sign of the tenth
    // is ready, and the search goes on from it.
    typeFrame(firstSign(w), {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1", "1", "1"});
    EXPECT_EQ(textOf(w, "taulukko"), QString::fromUtf8("Taulukko: 3807 riviä (valmis taulukko)"));
    click(w, "etsi");
    EXPECT_TRUE(textOf(w, "taulukko").startsWith(QString::fromUtf8("Taulukko: 3807 riviä")))
        << "the table held stays in view while the search runs";
    EXPECT_FALSE(isEnabled(w, "etsi"));
    EXPECT_FALSE(isEnabled(w, "yksi_0")) << "the frame stays as it is while the search runs";
    ASSERT_TRUE(signalShows(jobOf(w), SIGNAL(progressValueChanged(int)),
                            [w] { return textOf(w, "tila").contains(QString::fromUtf8("riviä,")); }));
    click(w, "keskeyta");
    ASSERT_TRUE(workShows(w, [w] { return searchDone(w); }));
    EXPECT_TRUE(textOf(w, "taulukko").endsWith(QString::fromUtf8("(haku keskeytetty, paras löydetty)")))
        << textOf(w, "taulukko").toStdString();
    EXPECT_TRUE(isEnabled(w, "tallenna"));

    // Searching again starts from the table held; closing during it returns at once.
    click(w, "etsi");
    ASSERT_FALSE(searchDone(w));
    QElapsedTimer closing;
    closing.start();
    focusOn(control<QWidget>(w, "keskeyta"));
    pressKey(Qt::Key_Escape);
    EXPECT_LT(closing.elapsed(), 500);
    EXPECT_FALSE(openWindow(WindowName::OwnReducedSystem));
    // The search ends by itself and still keeps its best table for the shape.
    QThreadPool::globalInstance()->waitForDone();
    const Frame frame = systemsdata::shape(0, 10);
    EXPECT_TRUE(tableKeepsGuarantee(keptTable(env.dir.path(), frame, 12).rows, frame, 12));
}

TEST(OwnSystemWindow, AnalyseHandsTheTableAndItsFrameToTheAnalysis)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::OwnReducedSystem);
    typeFrame(firstSign(w), {"1", "1X2", "1", "1X2", "1", "1X2", "1", "1X2", "1", "1", "1", "1", "1"});
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(workShows(w, [w] { return searchDone(w); }));
    click(w, "analysoi");
    EXPECT_FALSE(openWindow(WindowName::OwnReducedSystem));
    QWidget* analysis = openWindow(WindowName::GuaranteeAnalysis);
    ASSERT_TRUE(analysis);
    EXPECT_EQ(textOf(analysis, "lahde"), QString::fromUtf8("Oma harava: 9 riviä"));
    EXPECT_EQ(textOf(analysis, "kaava"), "1,1X2,1,1X2,1,1X2,1,1X2,1,1,1,1,1");
    ASSERT_TRUE(workShows(analysis, [analysis] { return textOf(analysis, "tila") == "Valmis."; }));
    EXPECT_EQ(textOf(analysis, "takuuarvo"), "Takuu: 12 oikein");
}
