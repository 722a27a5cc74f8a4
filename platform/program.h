// The program every back end runs, defined by the program itself (app/). A back
// end's main builds its window from ProgramDesign(), hands it to NewProgram,
// raises Form_Load, shows the window and runs the event loop.
#pragma once

#include <memory>

#include "platform/desktop.h"

namespace platform {

FormDesign ProgramDesign();
std::unique_ptr<FormEvents> NewProgram(Desktop& desktop);

}  // namespace platform
