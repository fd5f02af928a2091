#pragma once

#include "base/platformpaths.h"
#include "base/services.h"

#include <QString>
#include <memory>
#include <random>

class QSoundEffect;

// The services as the running program has them (the printer has a file of
// its own: app/painterprintdevice.h).

class BoxMessages : public Messages {
public:
    int show(const QString& text, int flags = OkOnly, const QString& title = QString()) override;
};

class DialogFileDialogs : public FileDialogs {
public:
    explicit DialogFileDialogs(const QString& playerFolder) : start_(playerFolder) {}
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;

private:
    QString run(const FileDialogRequest& request, bool save);
    FileDialogStart start_;
};

class EffectSound : public Sound {
public:
    EffectSound();
    ~EffectSound() override;
    void play(int number) override;

private:
    // One program-wide sound: the next one replaces it.
    std::unique_ptr<QSoundEffect> effect_;
};

class ProcessLauncher : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments, int windowStyle) override;
};

class SystemClock : public Clock {
public:
    QDate today() const override;
};

class TimerRandom : public Random {
public:
    TimerRandom();
    double next() override;
    void reseed() override;

private:
    std::mt19937_64 engine_;
};
