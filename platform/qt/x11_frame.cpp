#include "platform/qt/x11_frame.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/qt/x11_atoms.h"

namespace platform {
namespace {

// The four CARDINALs of a property, or nullopt when it is not (yet) set.
std::optional<QMargins> Extents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom) {
  const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, atom, XCB_ATOM_CARDINAL, 0, 4);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  std::optional<QMargins> margins;
  if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    margins = QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                       static_cast<int>(v[3]));  // left, right, top, bottom on the wire
  }
  std::free(reply);
  return margins;
}

bool Supported(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t supported, xcb_atom_t wanted) {
  const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 1024);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  bool found = false;
  if (reply && reply->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    for (int i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
  }
  std::free(reply);
  return found;
}

// The gravity by which the window manager reads the window's requests (WM_NORMAL_HINTS).
uint32_t Gravity(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  uint32_t gravity = XCB_GRAVITY_NORTH_WEST;
  if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 18 * 4) {
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    if (v[0] & 1u << 9) gravity = v[17];  // PWinGravity
  }
  std::free(reply);
  return gravity;
}

}  // namespace

xcb_connection_t* X11Connection() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

std::optional<QMargins> RequestFrameExtents(QWindow& window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return std::nullopt;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const auto [supported, request, extents] =
      InternAtoms<3>(connection, {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});
  if (!Supported(connection, root, supported, request)) return std::nullopt;

  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = request;
  xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  // The window manager answers by setting the property; a few round trips at most.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
  do {
    if (auto margins = Extents(connection, id, extents)) return margins;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

bool RequestFramePosition(QWindow& window, QPoint outer) {
  xcb_connection_t* connection = X11Connection();
  if (!connection || !window.screen()) return false;
  const auto id = static_cast<xcb_window_t>(window.winId());
  // The server's pixels: Qt's scaled about the screen's corner, which both share.
  const QPoint origin = window.screen()->geometry().topLeft();
  QPoint at = origin + (QPointF(outer - origin) * window.devicePixelRatio()).toPoint();
  // The window manager reads the place by the window's gravity: the frame's corner
  // (north-west) or the window's own inside the frame (static), as Qt set it.
  if (Gravity(connection, id) == XCB_GRAVITY_STATIC) {
    const std::optional<QMargins> frame =
        Extents(connection, id, InternAtoms<1>(connection, {"_NET_FRAME_EXTENTS"})[0]);
    if (!frame) return false;
    at += QPoint(frame->left(), frame->top());
  }
  const uint32_t place[] = {static_cast<uint32_t>(at.x()), static_cast<uint32_t>(at.y())};
  xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
  xcb_flush(connection);
  return true;
}

}  // namespace platform
