// What Tovu and its clipboard keeper ask of the X server alike: plain xcb, no Qt.
#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace platform {

// The atoms of the names, in one round trip; XCB_ATOM_NONE where the server gives none.
template <std::size_t N>
std::array<xcb_atom_t, N> InternAtoms(xcb_connection_t* connection, const std::array<const char*, N>& names) {
  std::array<xcb_intern_atom_cookie_t, N> cookies;
  for (std::size_t i = 0; i < N; ++i) cookies[i] = xcb_intern_atom(connection, 0, std::strlen(names[i]), names[i]);
  std::array<xcb_atom_t, N> atoms;
  for (std::size_t i = 0; i < N; ++i) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
    atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
  }
  return atoms;
}

// The window that owns the selection now, or XCB_NONE.
inline xcb_window_t SelectionOwner(xcb_connection_t* connection, xcb_atom_t selection) {
  xcb_get_selection_owner_reply_t* reply =
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
  const xcb_window_t owner = reply ? reply->owner : xcb_window_t{XCB_NONE};
  std::free(reply);
  return owner;
}

}  // namespace platform
