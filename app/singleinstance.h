#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per user and program directory. The first copy listens;
// a later one asks it to come to the front, hands it the file it was started
// with, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programDir, QObject* parent = nullptr);
    // True when this is the only copy (and now listens for later ones).
    bool claim();
    // Asks the running copy to bring its window to the front and, when `file`
    // is given, to open it.
    void activateRunning(const QString& file = QString());
    QString key() const { return key_; }

signals:
    void activationRequested();
    void openRequested(const QString& file);

private:
    void received(const QByteArray& line);

    QString key_;
    QLocalServer* server_ = nullptr;
};
