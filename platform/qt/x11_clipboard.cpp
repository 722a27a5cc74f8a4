#include "platform/qt/x11_clipboard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QClipboard>
#include <QGuiApplication>
#include <cstdlib>
#include <system_error>
#include <thread>

#include "platform/posix/posix_system.h"
#include "platform/qt/x11_atoms.h"
#include "platform/qt/x11_frame.h"

namespace platform {
namespace {

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
  xcb_connection_t* connection = X11Connection();
  if (!connection) return false;
  const auto [selection, manager] = InternAtoms<2>(connection, {"CLIPBOARD", "CLIPBOARD_MANAGER"});
  // A manager takes the text from Qt as it ends.
  if (SelectionOwner(connection, manager) != XCB_NONE) return false;
  const xcb_window_t owner = SelectionOwner(connection, selection);
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
