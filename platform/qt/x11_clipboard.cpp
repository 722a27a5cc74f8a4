#include "platform/qt/x11_clipboard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QClipboard>
#include <QGuiApplication>
#include <array>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

#include "platform/posix/posix_system.h"

namespace platform {
namespace {

// The current owners of the selections named, asked in one round trip each for
// the names and the owners.
template <std::size_t N>
std::array<xcb_window_t, N> Owners(xcb_connection_t* connection, const std::array<const char*, N>& names) {
  std::array<xcb_intern_atom_cookie_t, N> atoms;
  for (std::size_t i = 0; i < N; ++i) atoms[i] = xcb_intern_atom(connection, 0, std::strlen(names[i]), names[i]);
  std::array<xcb_get_selection_owner_cookie_t, N> owners;
  for (std::size_t i = 0; i < N; ++i) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, atoms[i], nullptr);
    owners[i] = xcb_get_selection_owner(connection, reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE});
    std::free(reply);
  }
  std::array<xcb_window_t, N> windows{};
  for (std::size_t i = 0; i < N; ++i) {
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(connection, owners[i], nullptr);
    windows[i] = reply ? reply->owner : xcb_window_t{XCB_NONE};
    std::free(reply);
  }
  return windows;
}

// The keeper's start, which the process waits for as it ends.
struct Starting {
  std::thread thread;
  ~Starting() {
    if (thread.joinable()) thread.join();
  }
};

Starting starting;

}  // namespace

bool KeepClipboard(const std::string& keeper) {
  // Qt's own answer first: an exit without a copy of ours asks the server nothing.
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (starting.thread.joinable() || !clipboard->ownsClipboard()) return false;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return false;
  xcb_connection_t* connection = x11->connection();
  const auto [owner, manager] = Owners<2>(connection, {"CLIPBOARD", "CLIPBOARD_MANAGER"});
  // A manager takes the text from Qt as it ends.
  if (manager != XCB_NONE) return false;
  // The server's answer decides: the owner must be a window of this connection,
  // not one of a program that copied a moment ago.
  const xcb_setup_t* setup = xcb_get_setup(connection);
  if (owner == XCB_NONE || (owner & ~setup->resource_id_mask) != setup->resource_id_base) return false;
  const std::string text = clipboard->text(QClipboard::Clipboard).toStdString();
  if (text.empty()) return false;

  // The text goes in a file of memory, which the keeper reads at its own pace:
  // a pipe would hold up the exit until the keeper had read a long text.
  const int input = ::memfd_create("tovu-clipboard", MFD_CLOEXEC);
  // The keeper waits for the end of this pipe, which closes as the program ends: it
  // takes the clipboard then, and takes no time from the exit before.
  static int ending[2] = {-1, -1};
  if (input < 0 || (ending[1] < 0 && ::pipe2(ending, O_CLOEXEC) != 0)) {
    if (input >= 0) ::close(input);
    return false;
  }
  bool written = true;
  for (std::size_t done = 0; written && done < text.size();) {
    const ssize_t n = ::write(input, text.data() + done, text.size() - done);
    written = n > 0;
    done += written ? static_cast<std::size_t>(n) : 0;
  }
  if (!written || ::lseek(input, 0, SEEK_SET) != 0) {
    ::close(input);
    return false;
  }
  // Started beside the rest of the exit, which goes on meanwhile; the process
  // waits for the start at its very end.
  try {
    starting.thread = std::thread([keeper, input, owner] {
      StartDetached(keeper, {keeper, std::to_string(owner)}, input, ending[0]);
      ::close(input);
    });
  } catch (const std::system_error&) {
    ::close(input);
    return false;
  }
  return true;
}

}  // namespace platform
