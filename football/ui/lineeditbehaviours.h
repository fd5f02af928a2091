#pragma once

#include <functional>

class QLineEdit;

namespace football {

// Runs `action` when the user clicks into `edit` with the mouse.
void onMouseClick(QLineEdit* edit, std::function<void()> action);
// Enter in `edit` moves the focus to the next field.
void enterMovesOn(QLineEdit* edit);

} // namespace football
