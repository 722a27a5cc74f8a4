// The window's handlers through the in-memory desktop: what each room's fixture shares.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"

using fake::Lines;
using platform::MenuId;

// One run of the program on a desktop of its own, in /opt/tovu.
struct Program {
  fake::FakeDesktop desk;
  frmTovu form{desk};

  void File(const std::string& name, const std::string& bytes) { desk.system.files["/opt/tovu/" + name].bytes = bytes; }
  // Startup and the first show, with the record cleared.
  void Start() {
    form.Form_Load();
    desk.window.Show();
    desk.TakeLog();
  }
  // The record since the last take, only the lines that start with one of prefixes.
  Lines Taken(std::initializer_list<std::string_view> prefixes) {
    Lines kept = desk.TakeLog();
    std::erase_if(kept, [&](const std::string& line) {
      return std::none_of(prefixes.begin(), prefixes.end(), [&](std::string_view p) { return line.starts_with(p); });
    });
    return kept;
  }
};

class Handlers : public ::testing::Test, public Program {};
