#pragma once

#include "base/rows.h"
#include "base/ui/windownames.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QString>
#include <array>

// Helpers for driving the row-entry windows the way a player does.
namespace rowwindows {

// Clicks the sign buttons of a row ("1X2 ..."; a blank leaves the match alone).
inline void enterRow(QWidget* window, const QString& row,
                     const std::array<QString, 3>& names = {"Yksi", "Risti", "Kaksi"})
{
    for (int k = 0; k < row.size() && k < kMatches; ++k) {
        const int s = signIndex(char(row[k].toLatin1()));
        if (s >= 0)
            click(window, QStringLiteral("%1_%2").arg(names[s]).arg(k));
    }
}

// Marks a played pattern in the harava window, one group of signs per match ({"1X", "1X2", "2", ...}).
inline void enterPattern(QWidget* window, const std::array<const char*, 13>& groups)
{
    for (int k = 0; k < kMatches; ++k)
        for (const char* c = groups[k]; *c; ++c)
            click(window, QStringLiteral("%1_%2").arg(QStringList{"yksi", "risti", "kaksi"}[signIndex(*c)]).arg(k));
}

// A window that stands in for one of another task's windows, so a hand-over
// to it can be seen without depending on that window's own behaviour.
inline void standIn(TestEnv& env, const QString& name)
{
    env.windows.add(name, [name](AppContext&) {
        auto* w = new QWidget(nullptr, Qt::Window);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setObjectName(name);
        return w;
    });
}

inline QString signsOf(const MatchStrings& strings)
{
    QString out;
    for (const QString& s : strings)
        out += s;
    return out;
}

} // namespace rowwindows
