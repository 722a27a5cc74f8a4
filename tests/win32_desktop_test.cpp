// The Win32 back end raises the window's handlers where the other back ends do,
// and refuses what Windows refuses. Needs a display (CTest gives it one).
#include <windows.h>

#include <gtest/gtest.h>

#include "app/frmTovu.h"
#include "platform/win32/win32_desktop.h"
#include "recorder.h"

using Calls = std::vector<std::string>;

class Win32DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override { desk.Attach(events); }
  platform::Win32System system;
  platform::Win32Desktop desk{GetModuleHandleW(nullptr), frmTovu::Design(), system};
  Recorder events;
};

// Selecting an option button by the program raises its click, once, like a user's click.
TEST_F(Win32DesktopTest, OptionButtonsRaiseTheirClickOnAChange) {
  desk.Option(2).SetValue(true);
  desk.Option(2).SetValue(true);
  desk.Option(2).SetValue(false);
  desk.Option(2).SetValue(true);
  EXPECT_EQ((Calls{"optList_Click", "optList_Click"}), events.calls);
}

// A size write raises Form_Resize before it returns, only on a change; a minimised or
// maximised window refuses to be moved and keeps its place.
TEST_F(Win32DesktopTest, SizeWritesRaiseResizeAndOnlyANormalWindowMoves) {
  platform::Window& window = desk.Form();
  ASSERT_TRUE(window.SetHeight(window.Height() + 150));
  ASSERT_TRUE(window.SetHeight(window.Height()));
  EXPECT_EQ((Calls{"Form_Resize"}), events.calls);
  desk.Show();
  for (const int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
    ShowWindow(desk.hwnd(), show);
    const double left = window.Left(), top = window.Top();
    EXPECT_FALSE(window.SetLeft(left + 600)) << show;
    EXPECT_FALSE(window.SetTop(top + 600)) << show;
    EXPECT_EQ(left, window.Left()) << show;
    EXPECT_EQ(top, window.Top()) << show;
  }
  ShowWindow(desk.hwnd(), SW_RESTORE);
  EXPECT_TRUE(window.SetLeft(window.Left() + 600));
}
