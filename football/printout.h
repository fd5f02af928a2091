#pragma once

#include "base/textformat.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class PrintDevice;

namespace football {

// Lines of text whose items start at fixed character positions, for the
// fixed-pitch print-outs and text files: an item "at position n" has n
// characters before it. An item that would start inside or right after text
// already on the line goes to the next line at its position instead, so long
// names are neither cut nor run into the next column.
class TabLine {
public:
    TabLine& at(int position, const QString& text);
    // Text right after what is on the line.
    TabLine& append(const QString& text);
    QStringList lines() const;

private:
    QStringList done_;
    QString current_;
};

// The text without the blanks at its end (they never show on paper).
QString rightTrimmed(QString text);
QStringList rightTrimmed(QStringList lines);

// One item at a position: `position` blanks and the text.
QString atPosition(int position, const QString& text);


// A listing printed page by page: the double frame on every page, the
// heading at the top, the rows, and the footer near the bottom.
struct Printout {
    // Each row with the line or lines it takes.
    QList<QStringList> rows;
    // The lines at the top of page `page` (1 for the first).
    std::function<QStringList(int page)> heading;
    QString footer;
    // A page is finished when its line count reaches this.
    int rowsPerPage = 55;
};

// Prints in millimetres, "Courier New" 12 point. False when the printer failed;
// the unfinished document is then thrown away.
bool printPaged(PrintDevice& printer, const Printout& printout);

inline constexpr double kFooterTop = 273; // mm from the top of the page

} // namespace football
