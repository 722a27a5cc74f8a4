#include "platform/qt/x11_frame.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace platform {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

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

bool Supported(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t wanted) {
  const xcb_atom_t supported = Atom(connection, "_NET_SUPPORTED");
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

}  // namespace

std::optional<QMargins> RequestFrameExtents(QWindow& window) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return std::nullopt;
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
  if (!Supported(connection, root, request)) return std::nullopt;

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

}  // namespace platform
