// Who the atlas says it is: names for the desktop and the window system, its version and icon.
#pragma once

#include <QIcon>

namespace kz::atlas {

// Base name of the atlas's desktop entry, metainfo file and themed icon.
inline constexpr char kAtlasDesktopId[] = KZ_ATLAS_DESKTOP_ID;

const char *versionText();
QIcon atlasIcon();
// Application name, version, organisation, desktop file name and window icon; call it right after
// the QApplication is made.
void applyAtlasIdentity();

} // namespace kz::atlas
