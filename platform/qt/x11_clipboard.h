// The copied text outlives the program on X11, where no clipboard manager keeps it.
#pragma once

#include <string>

namespace platform {

// Called as the program ends: where it still owns the clipboard and no clipboard
// manager will take the text, starts keeper (the program folder's tovu-clipboard)
// to serve the text once the program has ended, until another program copies;
// otherwise does nothing. True when the keeper is being started.
bool KeepClipboard(const std::string& keeper);

}  // namespace platform
