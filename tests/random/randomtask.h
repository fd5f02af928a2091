#pragma once

#include "support/testenv.h"
#include "support/windowtest.h"

#include <QFile>
#include <QLabel>

// A random-row task as the basic-row window leaves it.
inline void enterBasicRow(SharedState& s, const QString& signs)
{
    for (int k = 0; k < kMatches; ++k) {
        for (int sign = 0; sign < 3; ++sign)
            s.BasicMarks[sign][k] = 0;
        s.BasicSigns[k] = signs.mid(k, 1);
        s.BasicMarks[signIndex(signs[k].toLatin1())][k] = 1;
    }
    s.BasicSignCount = kMatches;
}

inline void startRandomTask(TestEnv& env, const QString& basic = "1X21X21X21X21")
{
    ResetTaskState(env.state);
    env.state.RandomTask = 1;
    enterBasicRow(env.state, basic);
    // The main window is disabled while the task's windows are open.
    env.mainWindow.setEnabled(false);
}

// A random-row system as the pattern window leaves it: per match the marked signs.
inline void markSystem(SharedState& s, const QStringList& pattern)
{
    s.DrawMode = 1;
    s.HalfGuardCount = 0;
    s.FullGuardCount = 0;
    s.FullGuardTotal = 0;
    s.FullGuardFlags.fill(0);
    for (int k = 0; k < kMatches; ++k) {
        for (int sign = 0; sign < 3; ++sign)
            s.SystemMarks[sign][k] = pattern[k].contains(QChar(kSigns[sign]));
        if (pattern[k].size() == 2)
            ++s.HalfGuardCount;
        if (pattern[k].size() == 3) {
            ++s.FullGuardCount;
            ++s.FullGuardTotal;
            s.FullGuardFlags[k] = 1;
        }
    }
}

// Stands in for a window of another subsystem that is not in this build yet.
inline void standIn(TestEnv& env, const QString& name)
{
    if (env.windows.available(name))
        return;
    env.windows.add(name, [name](AppContext&) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(name);
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* label = new QLabel(window);
        label->setObjectName("Label1");
        return window;
    });
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#include "base/ui/featurewindow.h"

#include <QGridLayout>
#include <QPushButton>

// Until the basic-row window is in the build, the road tests go through this
// stand-in that enters a row the same way: three sign buttons per match, at
// most one lit, and OK onwards to the weighting window.
class StandInForm6 : public FeatureWindow {
public:
    explicit StandInForm6(AppContext& context) : FeatureWindow(context)
    {
        setObjectName("Form6");
        auto* grid = new QGridLayout(this);
        const char* names[3] = {"Yksi", "Risti", "Kaksi"};
        for (int k = 0; k < kMatches; ++k)
            for (int s = 0; s < 3; ++s) {
                auto* b = new QPushButton(this);
                b->setObjectName(QString("%1_%2").arg(names[s]).arg(k));
                grid->addWidget(b, k, s);
                connect(b, &QPushButton::clicked, this, [this, s, k] { toggle(s, k); });
            }
        auto* ok = new QPushButton("&OK", this);
        ok->setObjectName("sainperusrivin");
        grid->addWidget(ok, kMatches, 0, 1, 3);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (state().BasicSignCount == kMatches)
                handOver(state().WeightedDraw == 1 ? "Form8" : "Form3");
        });
    }

private:
    void toggle(int s, int k)
    {
        SharedState& st = state();
        if (st.BasicMarks[s][k] == 1) {
            st.BasicMarks[s][k] = 0;
            --st.BasicSignCount;
            return;
        }
        for (int t = 0; t < 3; ++t)
            if (st.BasicMarks[t][k] == 1) {
                st.BasicMarks[t][k] = 0;
                --st.BasicSignCount;
            }
        st.BasicMarks[s][k] = 1;
        ++st.BasicSignCount;
        st.BasicSigns[k] = QString(kSigns[s]);
    }
};

inline void standInForm6(TestEnv& env)
{
    if (!env.windows.available("Form6"))
        env.windows.add("Form6", [](AppContext& context) { return new StandInForm6(context); });
}
