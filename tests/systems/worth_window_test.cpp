#include "base/rowfile.h"
#include "shell/ui/mainwindow.h"
#include "support/files.h"
#include "systems/pruningfile.h"
#include "systemsdata.h"
#include "systemswindows.h"

#include <QLocale>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace systemswindows;

namespace {

QByteArray roundFile()
{
    QByteArray bytes = "# Rivikone: karsintaehdot\nkaava 1X2,1X2,1,1,1,1,1,1,1,1,1,1,1\nmerkit X:0-1\n";
    for (int m = 1; m <= 13; ++m)
        bytes += QByteArray("prosentit ") + QByteArray::number(m) + " 50 30 20\npelijakauma " + QByteArray::number(m) +
                 " 60 25 15\n";
    return bytes + "myydyt 1000000\npotit 13:131250,12:45000,11:37500,10:52500\nrivihinta 0.25\n";
}

} // namespace

TEST(WorthWindow, ShowsWhatTheRowsInMemoryAreWorthAndSavesTheBestRowsForTheAnalysis)
{
    TestEnv env;
    env.settings.write(keys::Installed, "1");
    MainWindow main(env.context, env.windows);
    env.windows.setMainWindow(&main);
    main.show();
    env.state.Rows = {rowFromText("1111111111111"), rowFromText("111111111111X"), rowFromText("X111111111112")};
    trigger(&main, "jrj_4");
    QWidget* w = openWindow(WindowName::Worth);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Odotusarvo");
    EXPECT_EQ(textOf(w, "lahde"), QString::fromUtf8("Muistissa olevat rivit: 3 riviä"));
    EXPECT_LE(w->width(), 1024);
    EXPECT_LE(w->height(), 768);

    // The numbers and the round from a conditions file.
    writeBytes(env.path("kierros.KRS"), roundFile());
    env.dialogs.choose(env.path("kierros.KRS"));
    click(w, "avaakierros");
    EXPECT_EQ(textOf(w, "myydyt"), "1000000");
    click(w, "laske");
    ASSERT_TRUE(workShows(w, [&] { return textOf(w, "tila") == "Valmis."; }));
    const QLocale locale;
    const QString report = textOf(w, "raportti");
    EXPECT_TRUE(report.startsWith(
        QString::fromUtf8("Rivejä: 3\nPanos: %1\nOdotusarvo: %2\nPalautus: %3 %")
            .arg(locale.toString(0.75, 'f', 2), locale.toString(0.34, 'f', 2), locale.toString(45.6, 'f', 1))))
        << report.toStdString();
    auto* list = control<QTableWidget>(w, "rivilista");
    ASSERT_EQ(list->rowCount(), 3);
    // Most worth first; the parts add up to the whole.
    double sum = 0, previous = 1e9;
    for (int r = 0; r < 3; ++r) {
        const double part = locale.toDouble(list->item(r, 1)->text());
        EXPECT_LE(part, previous);
        sum += previous = part;
    }
    EXPECT_NEAR(sum, 0.34, 0.015);

    // The round is saved back with the file's frame and condition kept.
    env.dialogs.choose(env.path("tallennettu.KRS"));
    click(w, "tallennakierros");
    QString error;
    const auto saved = parsePruningFile(readBytes(env.path("tallennettu.KRS")), error);
    ASSERT_TRUE(saved) << error.toStdString();
    EXPECT_EQ(saved->conditions.size(), 1u);
    ASSERT_TRUE(saved->round);
    EXPECT_EQ(saved->round->pools[3], 52500.0);

    // The best two rows: a new file, handed to the analysis; this window reports on them.
    auto* count = control<QSpinBox>(w, "parhaidenmaara");
    focusOn(count);
    count->selectAll();
    QTest::keyClicks(count, "2");
    env.dialogs.choose(env.path("parhaat.1X2"));
    click(w, "parhaat");
    ASSERT_TRUE(workShows(w, [&] { return openWindow(WindowName::GuaranteeAnalysis) != nullptr; }));
    EXPECT_EQ(systemsdata::rowsInFile(env.path("parhaat.1X2")).size(), 2u);
    EXPECT_TRUE(textOf(openWindow(WindowName::GuaranteeAnalysis), "lahde").startsWith("Parhaat rivit: parhaat.1X2"));
    ASSERT_TRUE(workShows(w, [&] { return textOf(w, "tila") == "Valmis."; }));
    EXPECT_EQ(list->rowCount(), 2);
}
