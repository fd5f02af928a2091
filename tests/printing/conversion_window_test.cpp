#include "base/ui/featurewindow.h"
#include "base/ui/windownames.h"
#include "printingtest.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include "support/files.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using namespace printingtest;

namespace {

// Stands in for the basic-row window, which the checking task opens next.
class BasicRowStandIn : public FeatureWindow {
public:
    explicit BasicRowStandIn(AppContext& context) : FeatureWindow(context)
    {
        setObjectName(WindowName::BasicRow);
        auto* layout = new QVBoxLayout(this);
        auto* prompt = new QLabel("Anna perusrivi.", this);
        prompt->setObjectName("Label1");
        layout->addWidget(prompt);
    }
};

void loadSystem(TestEnv& env, int half, int full, const QList<const char*>& rows)
{
    env.state.HalfGuardCount = half;
    env.state.FullGuardCount = full;
    env.state.SystemLoaded = 1;
    env.state.Rows.clear();
    for (const char* row : rows)
        env.state.Rows.push_back(rowFromText(row));
    env.state.RowCount = int(rows.size());
}

void setRole(QWidget* w, int k, int role)
{
    control<QScrollBar>(w, QString("H1_%1").arg(k))->setValue(role);
}

QString rowsText(const TestEnv& env)
{
    QStringList out;
    for (int i = 0; i < env.state.RowCount; ++i)
        out << rowText(env.state.Rows[i]);
    return out.join(',');
}

} // namespace

TEST(ConversionWindowTest, WindowLoadsTheSystemsGroups)
{
    TestEnv env;
    loadSystem(env, 3, 2, {"121X211111111", "2122X11111111", "1111111111111", "2222111111111", "1212211111111"});
    QWidget* w = env.open(WindowName::Conversion);
    ASSERT_TRUE(w);
    saveShot(w, "ConversionWindow");
    EXPECT_EQ(w->windowTitle(), "Tee tarvittavat kohdevaihdot ja merkkimuunnokset");
    EXPECT_EQ(textOf(w, "Label10"), "3");
    EXPECT_EQ(textOf(w, "Label11"), "2");
    EXPECT_EQ(textOf(w, "Label12"), "8");
    EXPECT_EQ(textOf(w, "Label15"), "5");
    EXPECT_EQ(textOf(w, "T1_0"), "O");
    EXPECT_EQ(textOf(w, "T1_2"), "O");
    EXPECT_EQ(textOf(w, "T1_3"), "T");
    EXPECT_EQ(textOf(w, "T1_5"), "V");
    EXPECT_TRUE(isShown(w, "y1_0"));
    EXPECT_TRUE(isShown(w, "k1_0"));
    EXPECT_FALSE(isShown(w, "v1_0"));
    EXPECT_FALSE(isShown(w, "y1_3"));
    EXPECT_FALSE(isShown(w, "v1_3"));
    EXPECT_TRUE(isShown(w, "v1_12"));
    EXPECT_EQ(textOf(w, "v1_12"), "1");
    EXPECT_EQ(textOf(w, "y1_1"), "1");
    EXPECT_EQ(textOf(w, "k1_1"), "2");

    // Changing a role changes what the line offers.
    setRole(w, 12, 1);
    EXPECT_EQ(textOf(w, "T1_12"), "O");
    EXPECT_TRUE(isShown(w, "y1_12"));
    EXPECT_FALSE(isShown(w, "v1_12"));

    // The role boxes are not for typing.
    QTest::mouseClick(control<QWidget>(w, "T1_4"), Qt::LeftButton);
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, "Älä editoi suoraan näitä kenttiä !");
    EXPECT_EQ(env.messages.shown[0].title, "Seis !");
    EXPECT_EQ(env.messages.shown[0].flags, Messages::Critical);
    EXPECT_EQ(textOf(w, "T1_4"), "T");
}

TEST(ConversionWindowTest, OkRewritesEveryRowAndOpensThePrintTarget)
{
    TestEnv env;
    // Two two-sign columns and one three-sign column.
    loadSystem(env, 2, 1, {"21X1111111111", "1221111111111"});
    QWidget* w = env.open(WindowName::Conversion);
    ASSERT_TRUE(w);
    // Two-sign at matches 6 and 10, three-sign at match 2, bankers elsewhere.
    setRole(w, 0, 3);
    setRole(w, 1, 2);
    setRole(w, 2, 3);
    setRole(w, 5, 1);
    setRole(w, 9, 1);
    typeInto(w, "k1_5", "x"); // a stored "2" of match 6 is a draw
    EXPECT_EQ(textOf(w, "k1_5"), "X");
    typeInto(w, "y1_9", "2");
    typeInto(w, "v1_0", "x");
    typeInto(w, "v1_12", "2");
    click(w, "Command1");
    settle();

    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(rowsText(env), "XX111X1112112,X211111112112");
    EXPECT_FALSE(openWindow(WindowName::Conversion));
    EXPECT_TRUE(openWindow(WindowName::PrintTarget));
}

TEST(ConversionWindowTest, RowsLeavingAsTextAreFittedFirstAndKeptUntilSaved)
{
    TestEnv env;
    loadSystem(env, 1, 0, {"2111111111111", "1111111111111"});
    env.state.ExportTarget = 1;
    QWidget* w = env.open(WindowName::Conversion);
    ASSERT_TRUE(w);
    setRole(w, 0, 3);
    setRole(w, 12, 1);
    typeInto(w, "k1_12", "x");
    // A cancelled name leaves the window and the stored rows as they were.
    click(w, "Command1");
    settle();
    EXPECT_TRUE(openWindow(WindowName::Conversion));
    EXPECT_EQ(rowsText(env), "2111111111111,1111111111111");

    env.dialogs.choose(env.path("oma.txt"));
    click(w, "Command1");
    settle();
    EXPECT_EQ(readBytes(env.path("oma.txt")), QByteArray("111111111111X\n1111111111111\n"));
    EXPECT_FALSE(openWindow(WindowName::Conversion));
    EXPECT_FALSE(openWindow(WindowName::PrintTarget));
    EXPECT_TRUE(env.mainWindow.isEnabled());
}

TEST(ConversionWindowTest, WrongGroupSizesOrSignsRewriteNothing)
{
    TestEnv env;
    loadSystem(env, 2, 1, {"21X1111111111"});
    QWidget* w = env.open(WindowName::Conversion);
    ASSERT_TRUE(w);
    setRole(w, 0, 3);
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Osittainvaihdeltuja on oltava 2");
    setRole(w, 0, 1);
    setRole(w, 2, 3);
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Täysinvaihdeltuja on oltava 1");
    setRole(w, 2, 2);

    // A sign box must hold a sign.
    typeInto(w, "v1_7", "3");
    click(w, "Command1");
    EXPECT_EQ(env.messages.lastText(), "Ottelun 8 merkiksi kelpaa vain 1, X tai 2 !");
    typeInto(w, "v1_7", "");
    click(w, "Command1");
    EXPECT_EQ(env.messages.shown.size(), 4);
    EXPECT_EQ(rowsText(env), "21X1111111111");
    EXPECT_TRUE(openWindow(WindowName::Conversion));

    typeInto(w, "v1_7", "2");
    click(w, "Command1");
    EXPECT_EQ(rowsText(env), "21X1111211111");
}

TEST(ConversionWindowTest, CheckingGoesOnToTheCorrectRow)
{
    TestEnv env;
    env.windows.add(WindowName::BasicRow, [](AppContext& context) { return new BasicRowStandIn(context); });
    loadSystem(env, 0, 0, {"21X2121212121"});
    env.state.CheckTask = 1;
    QWidget* w = env.open(WindowName::Conversion);
    ASSERT_TRUE(w);
    EXPECT_EQ(textOf(w, "Label12"), "13");
    click(w, "Command1");
    settle();
    EXPECT_EQ(rowsText(env), "1111111111111");
    QWidget* next = openWindow(WindowName::BasicRow);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->windowTitle(), "OIKEA RIVI");
    EXPECT_EQ(textOf(next, "Label1"), "              Anna oikea rivi.");
    EXPECT_FALSE(openWindow(WindowName::Conversion));
}

TEST(ConversionWindowTest, EnterInASignBoxIsOk)
{
    TestEnv env;
    loadSystem(env, 1, 0, {"2111111111111"});
    QWidget* w = env.open(WindowName::Conversion);
    ASSERT_TRUE(w);
    QApplication::setActiveWindow(w);
    typeInto(w, "k1_0", "X");
    QTest::keyClick(control<QWidget>(w, "k1_0"), Qt::Key_Return);
    settle();
    EXPECT_EQ(rowsText(env), "X111111111111");
    EXPECT_TRUE(openWindow(WindowName::PrintTarget));
}
