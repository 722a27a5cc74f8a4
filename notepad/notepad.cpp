#include "app/frmTovu.h"

namespace {

using platform::kNormalWithFocus;

const char kFilter[] =
    "HTMLﾌｧｲﾙ(*.htm,*.html)|*.htm;*.html|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|CSSﾌｧｲﾙ(*.css)|*.css|"
    "すべてのﾌｧｲﾙ(*.*)|*.*|";

}  // namespace

// A Notepad that cannot be started ends the action quietly; the program runs on.
void frmTovu::mnuNew_Click() { (void)system.Shell("Notepad", kNormalWithFocus); }

void frmTovu::mnuOpen_Click() {
  cdlTovu.SetCancelError(true);
  cdlTovu.SetFilter(kFilter);
  cdlTovu.SetFlags(platform::kFileMustExist);
  if (!cdlTovu.ShowOpen()) return;
  // Passed as chosen, unquoted: Notepad takes the rest of its command line as one path.
  (void)system.Shell("Notepad " + cdlTovu.FileName(), kNormalWithFocus);
}

// The program's own command line goes to Notepad as it came; otherwise the
// startup option may start an empty Notepad. Never two.
void frmTovu::StartNotepadAtStartup() {
  const std::string commandLine = system.CommandLine();
  const bool upMemo = SavedFlag(Setting::UpMemo);
  if (!commandLine.empty()) {
    (void)system.Shell("Notepad " + commandLine, kNormalWithFocus);
    if (upMemo) mnuUpMemo.SetChecked(true);
  } else if (upMemo) {
    mnuUpMemo.SetChecked(true);
    (void)system.Shell("Notepad", kNormalWithFocus);
  }
}
