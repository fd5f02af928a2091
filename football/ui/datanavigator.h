#pragma once

#include <QFrame>

class QLabel;

namespace football {

class RecordSet;

// The browsing control of a record set: first, previous, caption, next, last.
class DataNavigator : public QFrame {
    Q_OBJECT
public:
    enum Move { First, Previous, Next, Last };
    DataNavigator(QWidget* parent, const QString& name);
    void setCaption(const QString& caption);
    QString caption() const;
signals:
    void moveRequested(DataNavigator::Move move);

private:
    QLabel* caption_;
};

// Moves `records` as the navigator asked, never past either end.
void applyMove(RecordSet& records, DataNavigator::Move move);

} // namespace football
