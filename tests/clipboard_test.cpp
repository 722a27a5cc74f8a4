#include "handlers.h"

class ClipboardTest : public Handlers {};

// Copy puts exactly the code box's text, typed text too; an empty box leaves the
// clipboard alone. Instant copy copies each selected code, but switching it on
// and choosing a list copy nothing, nor does an entry without a code.
TEST_F(ClipboardTest, CopyAndInstantCopyPutTheCodeBoxText) {
  File("list1.nl2", "A,&alpha;,Empty,,C,&gamma;");
  File("list2.nl2", "X,&xi;");
  Start();
  desk.button.Click();
  desk.list.Select(0);
  desk.button.Click();
  desk.code.text = " typed by hand ";
  desk.button.Click();
  Choose({MenuId::mnuQCopy, MenuId::mnuViewList0});
  for (int i = 0; i < 3; ++i) desk.list.Down();
  desk.Choose(MenuId::mnuViewList1);
  desk.option(0).Click();
  desk.Choose(MenuId::mnuQCopy);
  desk.list.Select(0);
  EXPECT_EQ(
      (Lines{"Clipboard.Clear", "Clipboard.SetText &alpha;", "Clipboard.Clear", "Clipboard.SetText  typed by hand ",
             "cmdCopy.Enabled=False", "mnuQCopy.Checked=True", "Clipboard.Clear", "Clipboard.SetText &alpha;",
             "Clipboard.Clear", "Clipboard.SetText &gamma;", "cmdCopy.Enabled=True", "mnuQCopy.Checked=False"}),
      Taken({"Clipboard", "cmdCopy", "mnuQCopy"}));
}
