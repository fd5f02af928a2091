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

    QLineEdit* wwwReaderEdit_ = nullptr;
    QLineEdit* calendarEdit_ = nullptr;
    QLineEdit* notepadEdit_ = nullptr;
    QCheckBox* showInfoCheck_ = nullptr;
    QCheckBox* soundsCheck_ = nullptr;
    QCheckBox* saveConfirmCheck_ = nullptr;
};
