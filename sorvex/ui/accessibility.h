// What screen readers are told where Qt's own accessible interfaces say something else than the control
// is.
#pragma once

namespace sorvex {

// Installs, once per process, the accessible interfaces for:
// - radio buttons, announced as radio buttons where the dialog rather than Qt keeps their groups (Qt
//   announces those as check boxes);
// - read-only line edits, which do not claim to be editable.
// Call it before the controls are first asked for their interface: each window's constructor does.
void installAccessibleInterfaces();

}  // namespace sorvex
