// The style the windows are drawn in.
#pragma once

namespace quendrith {

// Keeps the windowsvista style on Windows 11, where Qt 6.7 and later choose the windows11 style, whose larger
// controls and paddings the windows' fixed geometry was not laid out for; every other choice of the platform
// stays. Call once, after the application object and before the first window.
void setUpStyle();

}  // namespace quendrith
