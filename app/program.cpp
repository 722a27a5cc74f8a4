#include "platform/program.h"
#include "app/frmTovu.h"

namespace platform {

FormDesign ProgramDesign() { return frmTovu::Design(); }

std::unique_ptr<FormEvents> NewProgram(Desktop& desktop) { return std::make_unique<frmTovu>(desktop); }

}  // namespace platform
