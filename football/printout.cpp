#include "football/printout.h"
#include "base/texts.h"

#include "base/printlayout.h"
#include "base/services.h"
#include "base/textformat.h"

namespace football {

TabLine& TabLine::at(int position, const QString& text)
{
    if (text.isEmpty()) {
        if (current_.size() < position)
            current_ = current_.leftJustified(position, ' ');
        return *this;
    }
    const bool crowded =
        current_.size() > position || (current_.size() == position && !current_.isEmpty() && !current_.endsWith(' '));
    if (crowded) {
        done_ << current_;
        current_.clear();
    }
    current_ = current_.leftJustified(position, ' ') + text;
    return *this;
}

TabLine& TabLine::append(const QString& text)
{
    current_ += text;
    return *this;
}

QStringList TabLine::lines() const
{
    return done_ + QStringList{current_};
}

QString rightTrimmed(QString text)
{
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

QStringList rightTrimmed(QStringList lines)
{
    for (QString& l : lines)
        l = rightTrimmed(l);
    return lines;
}

QString atPosition(int position, const QString& text)
{
    return QString(position, ' ') + text;
}

namespace {

void frame(PrintDevice& p)
{
    p.box(2, 5, 200, 282, false);
    p.box(3, 6, 199, 281, false);
    p.setCurrentX(0);
    p.setCurrentY(0);
}

void footer(PrintDevice& p, const QString& text)
{
    p.setCurrentY(kFooterTop);
    p.setCurrentX(0);
    p.print(atPosition(3, text));
}

} // namespace

bool printPaged(PrintDevice& p, const Printout& out)
{
    auto failed = [&p] {
        if (!p.failed())
            return false;
        p.killDoc();
        return true;
    };
    p.setFont(Texts::ListingFont, 12, false);
    p.setScaleMode(6);
    frame(p);
    int page = 1;
    for (const QString& line : out.heading(page))
        p.print(line);
    if (failed())
        return false;
    int counter = 0;
    int rowsOnPage = 0;
    for (const QStringList& row : out.rows) {
        counter += int(row.size());
        // The count ends a page, or the footer does when the row's lines would reach it.
        const bool full = rowsOnPage > 0 && !linesFitAbove(p, int(row.size()), kFooterTop);
        if (counter >= out.rowsPerPage || full) {
            footer(p, out.footer);
            p.newPage();
            frame(p);
            for (const QString& line : out.heading(++page))
                p.print(line);
            counter = 0;
            rowsOnPage = 0;
        }
        for (const QString& line : row)
            p.print(line);
        ++rowsOnPage;
        if (failed())
            return false;
    }
    footer(p, out.footer);
    if (failed())
        return false;
    p.endDoc();
    return !failed();
}

} // namespace football
