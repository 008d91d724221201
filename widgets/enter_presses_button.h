// Enter on a focused push button, which Qt leaves to the default button of a dialog.
#pragma once

class QWidget;

namespace quendrith {

// Enter and the keypad Enter click whichever push button of `window` has the focus, as Space does.
// Buttons added to the window later are covered by calling it again.
void enterPressesFocusedButton(QWidget* window);

}  // namespace quendrith
