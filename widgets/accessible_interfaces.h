// What screen readers are told where Qt's own accessible interfaces say something else than what the control is.
#pragma once

class QWidget;

namespace quendrith {

// Installs, once per process, the accessible interfaces for:
// - the windows announced with announceAsWindow;
// - read-only line edits, which Qt announces as editable too;
// - combo boxes with an accessible name, which Qt names by their current text;
// - radio buttons, which a screen reader checks as a click does.
// Every other control keeps Qt's own interface. Call it before the controls are first asked for theirs.
void installAccessibleInterfaces();

// Announces `window`, a top-level window made straight from QWidget, as a window, or as a dialog where its window
// type says so: Qt announces such a widget as a client area, which screen readers pass over, title and all. Call
// it first in the window's constructor, before anything asks for the window's interface. Installs the interfaces.
void announceAsWindow(QWidget& window);

}  // namespace quendrith
