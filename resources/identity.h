// Who the program says it is: names for settings, the desktop and the window system.
#pragma once

namespace kz {

// Base name of the desktop entry, the metainfo file and the themed icon.
inline constexpr char kDesktopFileName[] = KZ_DESKTOP_ID;

// Sets application name, version, organisation and desktop file name, and the window icon.
// Call it right after constructing the QApplication, before the first window is shown.
void applyIdentity();

} // namespace kz
