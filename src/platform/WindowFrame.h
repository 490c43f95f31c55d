#pragma once
// The frame the window manager will draw around a top-level window, asked for before the
// window is shown.

#include <optional>

#include <QMargins>

class QWidget;

namespace vtg::platform {

// Asks the window manager, through the freedesktop.org request for frame extents, what
// frame it would put around `window` as it stands now, before the window is mapped, so
// that the window can be made at its right client size instead of being fitted to its
// frame after it appears. Creates the window's native window if it has none yet.
// Nothing when the display is not X11, no window manager answers such requests, or no
// answer comes within a short wait.
std::optional<QMargins> frameBeforeShowing(QWidget& window);

}  // namespace vtg::platform
