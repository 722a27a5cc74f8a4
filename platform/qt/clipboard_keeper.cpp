// tovu-clipboard: keeps the text Tovu copied on the X clipboard after Tovu has
// ended, where no clipboard manager took it. Tovu starts it as it ends, with the
// text on standard input, its own clipboard window as the one argument and a pipe
// that closes when Tovu is gone as descriptor 3; it serves the text until another
// program takes the clipboard or the X server goes, then ends. No window of its
// own is ever shown.
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/qt/x11_atoms.h"

namespace {

struct Atoms {
  xcb_atom_t clipboard, targets, timestamp, utf8, text, plain;
};

Atoms Intern(xcb_connection_t* c) {
  const auto atoms = platform::InternAtoms<6>(
      c, {"CLIPBOARD", "TARGETS", "TIMESTAMP", "UTF8_STRING", "TEXT", "text/plain;charset=utf-8"});
  return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5]};
}

// STRING is ISO 8859-1: a character beyond it becomes "?", a byte that is no
// UTF-8 too.
std::string Latin1(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    std::uint32_t code = more ? lead & (0x3F >> more) : lead < 0x80 ? lead : '?';
    for (int k = 0; k < more; ++k, ++i) {
      if (i == utf8.size() || (utf8[i] & 0xC0) != 0x80) {
        code = '?';
        break;
      }
      code = (code << 6) | (utf8[i] & 0x3F);
    }
    out += code <= 0xFF ? static_cast<char>(code) : '?';
  }
  return out;
}

// Answers one request for the clipboard, or refuses it, as the owner must.
void Answer(xcb_connection_t* c, const Atoms& a, xcb_timestamp_t owned, const std::string& text,
            const xcb_selection_request_event_t& request) {
  // A client of before the inter-client conventions names no property: it gets the target's.
  const xcb_atom_t property = request.property != XCB_NONE ? request.property : request.target;
  const std::uint64_t limit = std::uint64_t{xcb_get_maximum_request_length(c)} * 4 - 64;
  bool answered = request.selection == a.clipboard &&
                  (request.time == XCB_CURRENT_TIME || request.time >= owned);  // not for a time before it was ours
  if (!answered) {
  } else if (request.target == a.targets) {
    const xcb_atom_t targets[] = {a.targets, a.timestamp, a.utf8, a.plain, a.text, XCB_ATOM_STRING};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32, 6, targets);
  } else if (request.target == a.timestamp) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_INTEGER, 32, 1, &owned);
  } else if (request.target == a.utf8 || request.target == a.plain || request.target == a.text ||
             request.target == XCB_ATOM_STRING) {
    const std::string data = request.target == XCB_ATOM_STRING ? Latin1(text) : text;
    // A text the server cannot take in one request is refused, not served in part.
    const xcb_atom_t type = request.target == a.text ? a.utf8 : request.target;
    answered = data.size() <= limit;
    if (answered) {
      xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, property, type, 8,
                          static_cast<std::uint32_t>(data.size()), data.data());
    }
  } else {
    answered = false;
  }
  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = answered ? property : xcb_atom_t{XCB_NONE};
  xcb_send_event(c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
  xcb_flush(c);
}

}  // namespace

int main(int argc, char* argv[]) {
  char* end = nullptr;
  const unsigned long tovu = argc == 2 ? std::strtoul(argv[1], &end, 10) : 0;
  if (tovu == 0 || *end != '\0') return 2;
  std::string text;
  char buffer[65536];
  for (ssize_t n; (n = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  ::close(STDIN_FILENO);
  // Tovu holds the other end of descriptor 3 until it has ended; the clipboard is its own till then.
  char byte;
  while (::read(3, &byte, 1) > 0 || errno == EINTR) {
  }
  ::close(3);
  (void)!::chdir("/");  // holds no folder of the user's
  if (text.empty()) return 0;

  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) return 1;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && screens.rem > 1; ++i) xcb_screen_next(&screens);
  const Atoms a = Intern(c);

  // An input-only window, never mapped, that the window manager would leave alone.
  const xcb_window_t window = xcb_generate_id(c);
  const std::uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screens.data->root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
  // The server's time now, from the event a property change brings.
  xcb_change_property(c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, "");
  xcb_flush(c);
  xcb_timestamp_t owned = XCB_CURRENT_TIME;
  while (owned == XCB_CURRENT_TIME) {
    xcb_generic_event_t* event = xcb_wait_for_event(c);
    if (!event) return 1;
    if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
      owned = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
    }
    std::free(event);
  }
  // Tovu's text only while it is the last copied: Tovu still owns the clipboard,
  // or it has ended and nobody took the clipboard since. Should another program
  // copy between the look and the taking, its later time wins.
  const xcb_window_t now = platform::SelectionOwner(c, a.clipboard);
  if (now != tovu && now != XCB_NONE) return 0;
  xcb_set_selection_owner(c, window, a.clipboard, owned);
  if (platform::SelectionOwner(c, a.clipboard) != window) return 0;

  while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
    const int type = event->response_type & 0x7F;
    if (type == XCB_SELECTION_REQUEST) {
      Answer(c, a, owned, text, *reinterpret_cast<xcb_selection_request_event_t*>(event));
    }
    std::free(event);
    if (type == XCB_SELECTION_CLEAR) break;  // another program copied
  }
  xcb_disconnect(c);  // or the server went away: the session is over
  return 0;
}
