// What screen readers are told where Qt's own accessible interfaces say something else than the control
// is, and Enter on a focused push button.
#pragma once

class QWidget;

namespace korvane {

// Installs, once per process, the accessible interfaces for:
// - top-level windows that are plain widgets, announced as windows (Qt gives them no role of their own);
// - combo boxes with an accessible name, announced by that name, their current text as the value.
// Call it before the controls are first asked for their interface: each window's constructor does.
void installAccessibleInterfaces();

// Enter and the keypad Enter click whichever push button of `window` has the focus, as Space does.
// Buttons added to the window later are not covered.
void enterPressesFocusedButton(QWidget* window);

}  // namespace korvane
