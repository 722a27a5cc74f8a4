// Times a program from outside, as a user sees it: from its start to the
// moment its window is viewable, then from a close request through the window
// manager (_NET_CLOSE_WINDOW, which makes it send WM_DELETE_WINDOW) to the
// process's end.
//
//   winwatch TITLE SETTLE_MS -- PROGRAM [ARGUMENT...]
//
// Prints "SHOWN_MS CLOSE_MS CPU_MS RSS_KB": the CPU time the program used in
// all (user and system), which the load of other processes barely sways, and
// its resident memory once settled (for a Windows program under Wine, the
// process that runs it: its working set).
// The X server is watched through events, not polled, so the watcher takes no
// time from the program it measures.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>
#include <string>

extern char** environ;

namespace {

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Windows go away while they are looked at; that is no error here.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

class Watcher {
 public:
  explicit Watcher(Display* display)
      : display_(display),
        root_(DefaultRootWindow(display)),
        netWmName_(XInternAtom(display, "_NET_WM_NAME", False)),
        netCloseWindow_(XInternAtom(display, "_NET_CLOSE_WINDOW", False)) {
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
  }

  // Handles what has arrived; the window once it is viewable.
  std::optional<Window> Pending(const std::string& title) {
    std::optional<Window> found;
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == CreateNotify && event.xcreatewindow.parent == root_) {
        const Window created = event.xcreatewindow.window;
        XSelectInput(display_, created, StructureNotifyMask | PropertyChangeMask);
        windows_.insert(created);
      } else if (event.type == DestroyNotify) {
        windows_.erase(event.xdestroywindow.window);
      }
      // A window becomes viewable when it or its frame is mapped; its title
      // is set before that.
      if (!found && event.type == MapNotify) found = Viewable(title);
    }
    return found;
  }

  void RequestClose(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = netCloseWindow_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2;  // from a pager or task bar: the user's own request
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display_);
  }

  int Fd() const { return ConnectionNumber(display_); }

 private:
  std::optional<Window> Viewable(const std::string& title) {
    for (Window window : windows_) {
      if (Title(window) != title) continue;
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable) {
        return window;
      }
    }
    return std::nullopt;
  }

  std::string Title(Window window) {
    for (Atom property : {netWmName_, static_cast<Atom>(XA_WM_NAME)}) {
      Atom type = None;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display_, window, property, 0, 256, False, AnyPropertyType, &type, &format, &count, &after,
                             &data) == Success &&
          data != nullptr) {
        std::string text(reinterpret_cast<char*>(data), format == 8 ? count : 0);
        XFree(data);
        if (type != None) return text;
      }
    }
    return {};
  }

  Display* display_;
  Window root_;
  Atom netWmName_, netCloseWindow_;
  std::set<Window> windows_;
};

double Ms(const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; }

// The process's resident memory in KB, from /proc; 0 when it cannot be read.
long ResidentKb(pid_t pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
  FILE* status = std::fopen(path, "r");
  if (status == nullptr) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status)) {
    if (std::sscanf(line, "VmRSS: %ld", &kb) == 1) break;
  }
  std::fclose(status);
  return kb;
}

// Waits up to timeoutMs for the child to end, looking every 0.2 ms; its CPU
// time in cpuMs.
bool WaitForExit(pid_t child, double timeoutMs, double& cpuMs) {
  const double deadline = NowMs() + timeoutMs;
  while (NowMs() < deadline) {
    int status = 0;
    rusage usage{};
    const pid_t done = wait4(child, &status, WNOHANG, &usage);
    if (done == child) {
      cpuMs = Ms(usage.ru_utime) + Ms(usage.ru_stime);
      return true;
    }
    usleep(200);
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
    std::fprintf(stderr, "usage: %s TITLE SETTLE_MS -- PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const std::string title = argv[1];
  const int settleMs = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "winwatch: no X display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);
  Watcher watcher(display);

  pid_t child = 0;
  const double started = NowMs();
  // The program's output would mix with the figures.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawn(&child, argv[4], &actions, nullptr, argv + 4, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    std::fprintf(stderr, "winwatch: cannot start %s\n", argv[4]);
    return 1;
  }

  std::optional<Window> window;
  double shown = 0;
  while (!window) {
    if (NowMs() - started > 30000) {
      std::fprintf(stderr, "winwatch: no window \"%s\" within 30 s\n", title.c_str());
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      return 1;
    }
    pollfd fd{watcher.Fd(), POLLIN, 0};
    (void)poll(&fd, 1, 5);
    window = watcher.Pending(title);
    shown = NowMs();
    int status = 0;
    if (!window && waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "winwatch: %s ended before showing a window\n", argv[4]);
      return 1;
    }
  }

  // Let the program finish starting and go idle, as a user's would before closing it.
  const double settleUntil = NowMs() + settleMs;
  while (NowMs() < settleUntil) {
    pollfd fd{watcher.Fd(), POLLIN, 0};
    (void)poll(&fd, 1, 5);
    (void)watcher.Pending(title);
  }

  const long rss = ResidentKb(child);
  const double asked = NowMs();
  watcher.RequestClose(*window);
  double cpu = 0;
  if (!WaitForExit(child, 10000, cpu)) {
    std::fprintf(stderr, "winwatch: %s did not end within 10 s of the close request\n", argv[4]);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return 1;
  }
  const double ended = NowMs();
  std::printf("%.2f %.2f %.1f %ld\n", shown - started, ended - asked, cpu, rss);
  XCloseDisplay(display);
  return 0;
}
