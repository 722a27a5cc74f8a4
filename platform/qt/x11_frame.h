// What Qt does not ask of the X11 window manager: the frame around a window not
// yet shown, and a move that leaves Qt's idea of the window's place alone.
#pragma once

#include <QMargins>
#include <QPoint>
#include <optional>

class QWindow;
struct xcb_connection_t;

namespace platform {

// Qt's connection to the X server; null off X11.
xcb_connection_t* X11Connection();

// The frame the window manager will put around window, which this creates but
// does not map; nullopt off X11, or when the window manager does not tell.
std::optional<QMargins> RequestFrameExtents(QWindow& window);

// Asks the window manager to put the frame's top-left corner at outer (Qt's
// pixels), as an application does; false off X11 or where the window manager
// takes no such request. Qt would keep the place asked for as the window's
// until the server says otherwise, and a window manager that refuses the move
// (mutter while it moves the window itself) says nothing.
bool RequestFramePosition(QWindow& window, QPoint outer);

}  // namespace platform
