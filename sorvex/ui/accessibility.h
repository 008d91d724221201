// What screen readers are told of sorvex's controls where Qt's own accessible interfaces say something else than
// what the control is.
#pragma once

namespace sorvex {

// Installs, once per process, the shared interfaces (read-only boxes) and sorvex's own for radio buttons, announced
// as radio buttons where the dialog rather than Qt keeps their groups (Qt announces those as check boxes).
// Call it before the controls are first asked for their interface: each dialog's constructor does.
void installAccessibleInterfaces();

}  // namespace sorvex
