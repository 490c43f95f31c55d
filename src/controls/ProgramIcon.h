#pragma once
// The program icon that every window shows in its title bar and taskbar entry.

#include <cstdint>
#include <span>

#include <QIcon>

namespace vtg::controls {

// The compiled-in icon with all its images (16x16, 32x32, 48x48), read on the first call
// and shared by every window for the rest of the run. Needs the application object.
const QIcon& programIcon();

// Every image of an .ico file as one icon; an empty icon when the bytes hold none.
QIcon iconFromIcoFile(std::span<const std::uint8_t> bytes);

}  // namespace vtg::controls
