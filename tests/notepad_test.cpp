#include "handlers.h"

class NotepadTest : public Handlers {};

// Never two: the command line goes to Notepad as given, else the startup option
// starts an empty one; the option's mark follows the saved flag either way.
TEST_F(NotepadTest, StartupStartsNotepadWithTheCommandLineOrByTheOption) {
  const struct {
    std::string commandLine, upMemo;
    Lines launch;
  } rows[] = {
      {"\"/home/u/My Pages/a.htm\"", "False", {"Shell Notepad \"/home/u/My Pages/a.htm\" (1)"}},
      {"a.htm  b.htm", "True", {"Shell Notepad a.htm  b.htm (1)", "mnuUpMemo.Checked=True"}},
      {"", "True", {"mnuUpMemo.Checked=True", "Shell Notepad (1)"}},
      {"", "False", {}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    Program run;
    run.desk.system.commandLine = rows[i].commandLine;
    run.File("tovu.ini", "[Setting]\r\nUpMemo=" + rows[i].upMemo);
    run.form.Form_Load();
    EXPECT_EQ(rows[i].launch, run.Taken({"Shell ", "mnuUpMemo"})) << "row " << i + 1;
  }
}
