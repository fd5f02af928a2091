#pragma once

#include <QPushButton>
#include <functional>

// Feature windows are plain windows, not dialogs, so Enter and Escape are
// wired by hand: Enter presses the focused button, else `defaultButton`;
// Escape runs `cancel`.
void bindDialogKeys(QWidget* window, QPushButton* defaultButton, std::function<void()> cancel);
