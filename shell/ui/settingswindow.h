#pragma once

#include "base/ui/featurewindow.h"

class QCheckBox;
class QLineEdit;

// The settings window: the helper programs, the printer and three switches.
class SettingsWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit SettingsWindow(AppContext& context);

private:
    void browse(QLineEdit* target, const QString& title, const QString& filter);
    void save();

    QLineEdit* Text1 = nullptr; // WWW reader
    QLineEdit* Text2 = nullptr; // calendar
    QLineEdit* Text3 = nullptr; // notepad
    QCheckBox* info = nullptr;
    QCheckBox* aanet = nullptr;
    QCheckBox* varmis = nullptr;
};
