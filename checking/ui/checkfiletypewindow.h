#pragma once

#include "base/ui/featurewindow.h"

#include <QButtonGroup>

// Which kind of played rows is checked: a rows file, a full system typed in
// as a sign pattern, or an own-system file.
class CheckFileTypeWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit CheckFileTypeWindow(AppContext& context);

private:
    void choose(int option);
    void accept();

    QButtonGroup* fileTypeOptions_ = nullptr;
};
