#pragma once

#include <QPushButton>
#include <functional>

inline constexpr const char* kEnterGoesToDefault = "enterGoesToDefault";

// Feature windows are plain windows, not dialogs, so Enter and Escape are
// wired by hand: Enter presses the focused button, else `defaultButton`;
// Escape runs `cancel`. Buttons carrying the property kEnterGoesToDefault
// (a coupon's sign buttons) leave Enter to the default button.
void bindDialogKeys(QWidget* window, QPushButton* defaultButton, std::function<void()> cancel);
// The same with the button for Enter (when no button has the focus) chosen at
// the press; none, and Enter does nothing.
void bindDialogKeys(QWidget* window, std::function<QPushButton*()> defaultButton, std::function<void()> cancel);

// Enter and Escape in an open drop-down list (or menu) act on the list only:
// without this a window's own Enter and Escape keys would act first, on the
// choice the list is about to replace. Set up once for the whole program.
void keepListKeysInLists();
