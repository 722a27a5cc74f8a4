// A window without the program: the back end's own window built from the
// program's design, whose only handler ends it when it is closed. What starting
// and closing cost without lists, settings and handlers, to hold Tovu against.
#pragma once

#include "platform/controls.h"
#include "platform/events.h"

namespace bench {

struct BareEvents final : platform::NullEvents {
  explicit BareEvents(platform::WindowSystem& windows) : windows(windows) {}
  platform::WindowSystem& windows;
  void Form_QueryUnload(bool&, int) override { windows.End(); }
};

}  // namespace bench
