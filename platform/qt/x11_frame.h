// The window manager's frame around a window not yet shown, asked for on X11.
#pragma once

#include <QMargins>
#include <optional>

class QWindow;

namespace platform {

// The frame the window manager will put around window, which this creates but
// does not map; nullopt off X11, or when the window manager does not tell.
std::optional<QMargins> RequestFrameExtents(QWindow& window);

}  // namespace platform
