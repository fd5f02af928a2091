#include "base/rowfile.h"
#include "shell/ui/mainwindow.h"
#include "support/files.h"
#include "systemswindows.h"

#include <QLineEdit>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <random>

using namespace systemswindows;

namespace {

RowBuffer hammingNine()
{
    RowBuffer rows;
    for (const char* row : {"1111111111111", "1XX2111111111", "122X111111111", "X1XX111111111", "XX21111111111",
                            "X212111111111", "2122111111111", "2X1X111111111", "22X1111111111"})
        rows.push_back(rowFromText(QString::fromLatin1(row)));
    return rows;
}

// The cells of a line of the figures table, by its heading.
QStringList tableLine(QWidget* window, const QString& heading)
{
    auto* table = control<QTableWidget>(window, "luvut");
    QStringList cells;
    for (int r = 0; table && r < table->rowCount(); ++r)
        if (table->verticalHeaderItem(r)->text() == heading)
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
    return cells;
}

bool analysed(QWidget* window)
{
    return textOf(window, "tila") == "Valmis.";
}

} // namespace

TEST(GuaranteeAnalysisWindow, OpensFromTheMenuOnTheRowsInMemoryAndShowsWhatTheyGuarantee)
{
    TestEnv env;
    env.settings.write(keys::Installed, "1");
    MainWindow main(env.context, env.windows);
    env.windows.setMainWindow(&main);
    main.show();
    // Rows just drawn and not saved yet.
    env.state.Rows = hammingNine();
    trigger(&main, "jrj_1");
    QWidget* w = openWindow(WindowName::GuaranteeAnalysis);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Takuuanalyysi");
    EXPECT_FALSE(main.isEnabled());
    EXPECT_EQ(textOf(w, "lahde"), QString::fromUtf8("Muistissa olevat rivit: 9 riviä"));
    // The frame is the signs the rows play.
    EXPECT_EQ(textOf(w, "kaava"), "1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(textOf(w, "risti_3"), "X");
    EXPECT_EQ(textOf(w, "risti_4"), "");
    ASSERT_TRUE(workShows(w, [w] { return analysed(w); }));
    EXPECT_EQ(textOf(w, "rivimaara"), QString::fromUtf8("Rivejä: 9"));
    EXPECT_EQ(textOf(w, "vaihtoehdot"), "Tulosvaihtoehtoja: 81");
    EXPECT_EQ(textOf(w, "takuuarvo"), "Takuu: 12 oikein");
    EXPECT_EQ(tableLine(w, "Tulosvaihtoehtoja, paras rivi"), QStringList({"9", "72", "0", "0", "0"}));
    EXPECT_EQ(tableLine(w, QString::fromUtf8("Rivejä keskimäärin")), QStringList({"0.11", "0.89", "2.67", "3.56", ""}));
    EXPECT_EQ(tableLine(w, QString::fromUtf8("Rivejä enintään")), QStringList({"1", "1", "3", "8", ""}));
    EXPECT_EQ(control<QWidget>(w, "kuvaaja")->accessibleDescription(),
              "13 oikein: 9, 12 oikein: 72, 11 oikein: 0, 10 oikein: 0, alle 10: 0");
    saveShot(w, "takuuanalyysi");

    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(openWindow(WindowName::GuaranteeAnalysis));
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(env.state.Rows.size(), 9u) << "the rows stay in memory";
}

TEST(GuaranteeAnalysisWindow, TheFrameFollowsTheCouponAndThePatternTypedAndIsAnalysedAgain)
{
    TestEnv env;
    env.state.Rows = hammingNine();
    QWidget* w = env.open(WindowName::GuaranteeAnalysis);
    ASSERT_TRUE(workShows(w, [w] { return analysed(w); }));

    // "2" on match 5 from the keyboard: the outcomes double and 12 is no longer kept.
    focusOn(control<QWidget>(w, "kaksi_4"));
    pressKey(Qt::Key_2);
    EXPECT_EQ(textOf(w, "kaava"), "1X2,1X2,1X2,1X2,12,1,1,1,1,1,1,1,1");
    ASSERT_TRUE(workShows(w, [w] { return analysed(w); }));
    EXPECT_EQ(textOf(w, "vaihtoehdot"), "Tulosvaihtoehtoja: 162");
    EXPECT_EQ(textOf(w, "takuuarvo"), "Takuu: 11 oikein");
    EXPECT_EQ(tableLine(w, "Tulosvaihtoehtoja, paras rivi"), QStringList({"9", "81", "72", "0", "0"}));

    // A pattern typed key by key: the coupon follows it.
    typeInto(w, "kaava", "1X2,1X2,1X2,1X,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(textOf(w, "kaksi_3"), "");
    EXPECT_EQ(textOf(w, "kaksi_4"), "");
    ASSERT_TRUE(workShows(w, [w] { return analysed(w); }));
    EXPECT_EQ(textOf(w, "vaihtoehdot"), "Tulosvaihtoehtoja: 54");

    // What cannot be analysed says why and shows no figures.
    typeInto(w, "kaava", "1X2,1X2,1X2,1X,1,1,1,1,1,1,1,1");
    EXPECT_EQ(textOf(w, "tila"), QString::fromUtf8("Järjestelmässä pitäisi olla 13 pilkuin erotettua kohdetta !"));
    EXPECT_EQ(control<QTableWidget>(w, "luvut")->rowCount(), 0);
    typeInto(w, "kaava", "1X2,1X2,1X2,,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(textOf(w, "tila"), QString::fromUtf8("Joku kohde on tyhjä !!"));
    EXPECT_FALSE(isEnabled(w, "analysoi"));

    // Back to the rows' own signs.
    click(w, "rivienmerkit");
    EXPECT_EQ(textOf(w, "kaava"), "1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1");
    ASSERT_TRUE(workShows(w, [w] { return analysed(w); }));
    EXPECT_EQ(textOf(w, "takuuarvo"), "Takuu: 12 oikein");
}

TEST(GuaranteeAnalysisWindow, ReadsARowsFileThroughTheFileDialogAndKeepsTheRowsOnAFailedRead)
{
    TestEnv env;
    QWidget* w = env.open(WindowName::GuaranteeAnalysis);
    EXPECT_EQ(textOf(w, "lahde"), QString::fromUtf8("Ei rivejä muistissa."));
    EXPECT_FALSE(isEnabled(w, "analysoi"));
    ASSERT_TRUE(writeBytes(env.path("hamming.1X2"), rowsFileBytes(hammingNine(), 9)));
    env.dialogs.choose(env.path("hamming.1X2"));
    focusOn(control<QWidget>(w, "tiedosto"));
    pressKey(Qt::Key_Return);
    ASSERT_EQ(env.dialogs.opened.size(), 1);
    EXPECT_EQ(env.dialogs.opened[0].filter, "Kaikki (*.1X2;*.STM)|*.1X2;*.STM");
    EXPECT_EQ(textOf(w, "lahde"), QString::fromUtf8("hamming.1X2: 9 riviä"));
    ASSERT_TRUE(workShows(w, [w] { return analysed(w); }));
    EXPECT_EQ(textOf(w, "takuuarvo"), "Takuu: 12 oikein");

    ASSERT_TRUE(writeBytes(env.path("rikki.1X2"), "9 nova       1111111111111"));
    env.dialogs.choose(env.path("rikki.1X2"));
    click(w, "tiedosto");
    EXPECT_EQ(env.messages.lastText(), QString::fromUtf8("Tämän tiedoston luku ei onnistu !"));
    EXPECT_EQ(textOf(w, "lahde"), QString::fromUtf8("hamming.1X2: 9 riviä"));
    EXPECT_EQ(textOf(w, "takuuarvo"), "Takuu: 12 oikein");
}

TEST(GuaranteeAnalysisWindow, ALongAnalysisCanBeStoppedAndClosingNeverWaitsForIt)
{
    TestEnv env;
    std::mt19937 rng(5);
    env.state.Rows.clear();
    for (int r = 0; r < 6000; ++r) {
        Row row{};
        for (char& c : row)
            c = kSigns[rng() % 3];
        env.state.Rows.push_back(row);
    }
    QWidget* w = env.open(WindowName::GuaranteeAnalysis);
    EXPECT_EQ(textOf(w, "vaihtoehdot"), "Tulosvaihtoehtoja: 1594323");
    ASSERT_TRUE(signalShows(jobOf(w), SIGNAL(started()), [w] { return isEnabled(w, "keskeyta"); }));
    click(w, "keskeyta");
    EXPECT_EQ(textOf(w, "tila"), "Analyysi keskeytetty.");
    EXPECT_EQ(textOf(w, "takuuarvo"), "Takuu: -");
    EXPECT_TRUE(isEnabled(w, "analysoi"));

    click(w, "analysoi");
    ASSERT_TRUE(isEnabled(w, "keskeyta"));
    QElapsedTimer closing;
    closing.start();
    focusOn(control<QWidget>(w, "keskeyta"));
    pressKey(Qt::Key_Escape);
    EXPECT_LT(closing.elapsed(), 500);
    EXPECT_FALSE(openWindow(WindowName::GuaranteeAnalysis));
}
