#include <gtest/gtest.h>

#include <string>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"

namespace {

using fake::Lines;
using platform::MenuId;

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desk.system.files["/opt/tovu/list1.nl2"].bytes = "A,&alpha;,Empty,,C,&gamma;";
    desk.system.files["/opt/tovu/list2.nl2"].bytes = "X,&xi;";
    form.Form_Load();
    desk.window.Show();
    desk.TakeLog();
  }

  fake::FakeDesktop desk;
  frmTovu form{desk};
};

TEST_F(ClipboardTest, CopyWithEmptyCodeBoxKeepsTheClipboard) {
  desk.button.Click();
  EXPECT_EQ("(before)", desk.clipboard.text);
  EXPECT_EQ(Lines{}, desk.TakeLog());
}

TEST_F(ClipboardTest, CopyPutsExactlyTheCodeBoxTextAfterClearing) {
  desk.list.Select(0);
  desk.button.Click();
  EXPECT_EQ((Lines{"Clipboard.Clear", "Clipboard.SetText &alpha;"}), desk.TakeLog());
  desk.code.text = " typed by hand ";
  desk.button.Click();
  EXPECT_EQ((Lines{"Clipboard.Clear", "Clipboard.SetText  typed by hand "}), desk.TakeLog());
  EXPECT_EQ(" typed by hand ", desk.clipboard.text);
}

TEST_F(ClipboardTest, InstantCopyTogglesButtonThenMarkAndCopiesNothingByItself) {
  desk.list.Select(0);
  desk.TakeLog();
  desk.Choose(MenuId::mnuQCopy);
  EXPECT_EQ((Lines{"cmdCopy.Enabled=False", "mnuQCopy.Checked=True"}), desk.TakeLog());
  EXPECT_FALSE(desk.button.enabled);
  EXPECT_EQ("(before)", desk.clipboard.text);
  desk.Choose(MenuId::mnuQCopy);
  EXPECT_EQ((Lines{"cmdCopy.Enabled=True", "mnuQCopy.Checked=False"}), desk.TakeLog());
  EXPECT_TRUE(desk.button.enabled);
  EXPECT_FALSE(desk.menu(MenuId::mnuQCopy).checked);
}

TEST_F(ClipboardTest, InstantCopyCopiesEachSelectedCodeButNoEmptyOne) {
  desk.Choose(MenuId::mnuQCopy);
  desk.TakeLog();
  desk.list.Down();
  EXPECT_EQ("&alpha;", desk.clipboard.text);
  desk.list.Down();  // the entry without a code
  EXPECT_EQ("", desk.code.text);
  EXPECT_EQ("&alpha;", desk.clipboard.text);
  desk.list.Down();
  EXPECT_EQ((Lines{"Clipboard.Clear", "Clipboard.SetText &alpha;", "Clipboard.Clear", "Clipboard.SetText &gamma;"}),
            desk.TakeLog());
}

TEST_F(ClipboardTest, ChoosingAnotherListDoesNotCopy) {
  desk.Choose(MenuId::mnuQCopy);
  desk.list.Select(0);
  desk.TakeLog();
  desk.Choose(MenuId::mnuViewList1);
  desk.option(0).Click();
  for (const std::string& line : desk.TakeLog()) EXPECT_EQ(std::string::npos, line.find("Clipboard")) << line;
  EXPECT_EQ("&alpha;", desk.code.text);
}

}  // namespace
