// Any argument list the program is started with, and any path the open dialog
// gives, reaches the editor byte for byte, one argument each, none an option.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "platform/posix/posix_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<std::string> arguments;
  while (input.remaining_bytes() > 0 && arguments.size() < 8) {
    std::string argument = input.ConsumeRandomLengthString(64);
    std::erase(argument, '\0');  // no argument can hold one
    arguments.push_back(argument);
  }
  const platform::Launch launch = platform::ParseCommandLine("Notepad " + platform::JoinCommandLine(arguments));
  if (launch.program != "Notepad" || launch.files != arguments) std::abort();
  for (const std::string& file : platform::FileArguments(launch)) {
    if (file.starts_with('-')) std::abort();
  }
  // A path from the dialog: absolute, anything but NUL after its first "/".
  std::string path = "/" + std::string(reinterpret_cast<const char*>(data), size);
  std::erase(path, '\0');
  if (platform::ParseCommandLine("Notepad " + path).files != std::vector<std::string>{path}) std::abort();
  return 0;
}
