#include "shell/bouncingball.h"
#include "shell/systeminfo.h"
#include "shell/ui/informationwindow.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QSysInfo>

TEST(SystemInfo, LinesKeepTheirCaptionsAndGroupTheFigures)
{
    const DiskFigures disk{"/", 250059350016, 53687091200};
    EXPECT_EQ(diskSizeLine(disk), "Levyosion koko             /   250,059,350,016 t");
    EXPECT_EQ(diskFreeLine(disk), "Josta vapaana                      53,687,091,200 t");
    const MemoryFigures memory{25769803776, 37};
    EXPECT_EQ(memorySizeLine(memory), "Fyysistä muistia                     25,769,803,776");
    EXPECT_EQ(memoryFreeLine(memory), "Muistia vapaana                   37%");
    EXPECT_EQ(diskSizeLine(DiskFigures{"C:\\", 999, 0}), "Levyosion koko             C:\\   999 t");

    // A disk with nothing free shows an empty figure, as the pattern has it.
    EXPECT_EQ(diskFreeLine(DiskFigures{"/", 1000, 0}), "Josta vapaana                       t");

    // A figure that could not be asked leaves only the caption.
    EXPECT_EQ(diskSizeLine(std::nullopt), "Levyosion koko             ");
    EXPECT_EQ(diskFreeLine(std::nullopt), "Josta vapaana                      ");
    EXPECT_EQ(memorySizeLine(std::nullopt), "Fyysistä muistia                     ");
    EXPECT_EQ(memoryFreeLine(std::nullopt), "Muistia vapaana                   ");
}

TEST(SystemInfo, MemoryFiguresComeFromTheKernelsTable)
{
    const QByteArray meminfo = "MemTotal:       16000000 kB\n"
                               "MemFree:         1000000 kB\n"
                               "MemAvailable:    6000000 kB\n"
                               "Buffers:          200000 kB\n"
                               "Cached:          3000000 kB\n";
    const auto figures = memoryFiguresFromMeminfo(meminfo);
    ASSERT_TRUE(figures);
    EXPECT_EQ(figures->totalBytes, 16000000LL * 1024);
    // 62.5 % in use is reported as a load of 63, so 37 % is free.
    EXPECT_EQ(figures->freePercent, 37);

    // Kernels without the estimate: free memory and the caches.
    const auto older = memoryFiguresFromMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 100 kB\n");
    ASSERT_TRUE(older);
    EXPECT_EQ(older->freePercent, 25);

    EXPECT_FALSE(memoryFiguresFromMeminfo(""));
    EXPECT_FALSE(memoryFiguresFromMeminfo("MemFree: 100 kB\n"));
    EXPECT_FALSE(memoryFiguresFromMeminfo("MemTotal: 1000 kB\n"));

    EXPECT_EQ(freeMemoryPercent(1000, 1000), 100);
    EXPECT_EQ(freeMemoryPercent(1000, 0), 0);
    EXPECT_EQ(freeMemoryPercent(1000, 5000), 100);
    EXPECT_EQ(freeMemoryPercent(0, 0), 0);
}

TEST(BouncingBall, TurnsAwayFromEachEdgeItReaches)
{
    BouncingBall ball(10, 50, 2); // up and to the right
    QList<int> turns;
    for (int i = 0; i < 200; ++i) {
        const bool turned = ball.advance(4, 100, 60);
        EXPECT_GE(ball.x(), 0);
        EXPECT_LE(ball.x(), 100);
        EXPECT_GE(ball.y(), 0);
        EXPECT_LE(ball.y(), 60);
        if (turned)
            turns << ball.direction();
    }
    // The top first (now down-right), the right edge (down-left), the bottom
    // (up-left), then the top again before the left edge (down-left).
    ASSERT_GE(turns.size(), 4);
    EXPECT_EQ(turns.mid(0, 4), (QList<int>{3, 4, 1, 4}));

    // Into a corner: both ways turn at once, and it counts as one knock.
    BouncingBall corner(96, 4, 2);
    EXPECT_TRUE(corner.advance(4, 100, 100));
    EXPECT_EQ(corner.x(), 100);
    EXPECT_EQ(corner.y(), 0);
    EXPECT_EQ(corner.direction(), 4);

    // An area no larger than the ball holds it still on that axis, silently.
    BouncingBall squeezed(0, 50, 3);
    EXPECT_FALSE(squeezed.advance(4, 0, 100));
    EXPECT_EQ(squeezed.x(), 0);
    EXPECT_EQ(squeezed.y(), 54);
}

TEST(InformationWindowTest, ShowsTheSystemFiguresAndGoesBackToTheMainWindow)
{
    TestEnv env;
    env.mainWindow.setEnabled(false);
    QWidget* window = env.open(WindowName::Information);
    ASSERT_TRUE(window);
    settle();
    EXPECT_EQ(window->windowTitle(), "Info");
    EXPECT_EQ(textOf(window, "Lblinfo_0"), QSysInfo::prettyProductName());
    EXPECT_TRUE(textOf(window, "Lblinfo_1").startsWith("Levyosion koko             /"));
    EXPECT_TRUE(textOf(window, "Lblinfo_1").endsWith(" t"));
    EXPECT_TRUE(textOf(window, "Lblinfo_2").startsWith("Josta vapaana                      "));
    EXPECT_TRUE(textOf(window, "Lblinfo_3").startsWith("Fyysistä muistia                     "));
    EXPECT_TRUE(textOf(window, "Lblinfo_4").endsWith("%"));
    EXPECT_EQ(textOf(window, "Command1"), "&OK");
    saveShot(window, WindowName::Information);

    click(window, "Command1");
    EXPECT_TRUE(env.mainWindow.isEnabled());
    EXPECT_EQ(openWindow(WindowName::Information), nullptr);
}

TEST(InformationWindowTest, BallKnocksAtTheEdgesOnlyWhenSoundsAreOn)
{
    for (int soundOn : {1, 0}) {
        TestEnv env;
        env.state.SoundOn = soundOn;
        auto* window = env.open<InformationWindow>(WindowName::Information);
        ASSERT_TRUE(window);
        settle();
        auto* ball = control<QWidget>(window, "picBall");
        ASSERT_TRUE(ball);
        const QPoint start = ball->pos();
        for (int step = 0; step < 600; ++step) {
            window->advanceBall(50);
            ASSERT_TRUE(window->rect().contains(ball->geometry())) << step;
        }
        EXPECT_NE(ball->pos(), start);
        if (soundOn) {
            ASSERT_FALSE(env.sound.played.isEmpty());
            EXPECT_EQ(env.sound.played.count(14), env.sound.played.size());
        } else {
            EXPECT_TRUE(env.sound.played.isEmpty());
        }
    }
}
