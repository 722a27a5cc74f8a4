// What the window needs of the operating system. Strings are UTF-8; the back
// ends convert to and from the ANSI code page where the system speaks it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace platform {

// The lines of a text file, or why it could not be read.
struct TextLines {
  std::vector<std::string> lines;
  std::optional<std::string> error;  // a one-line description, without a comma
};

enum SetWindowPosInsertAfter { HWND_TOP = 0, HWND_BOTTOM = 1, HWND_TOPMOST = -1 };
constexpr int SWP_NOSIZE = 1, SWP_NOMOVE = 2;

struct System {
  virtual ~System() = default;

  // The folder holding the program; ends in a separator only when it is a root.
  virtual std::string ProgramFolder() const = 0;
  virtual char PathSeparator() const = 0;
  // What follows the program's name on its command line, or "".
  virtual std::string CommandLine() const = 0;
  // Starts a program from one command line, never waits. False when it could not
  // be started.
  [[nodiscard]] virtual bool Shell(const std::string& commandLine, int windowStyle) = 0;
  // An ordinary file that can be read.
  virtual bool FileExists(const std::string& path) const = 0;
  // Lines end at CR LF, a lone CR or LF; text is decoded from the ANSI code page.
  virtual TextLines ReadTextLines(const std::string& path) const = 0;

  // The value of key in section, cut to size - 1 bytes of ANSI text, or
  // defaultValue when the file, the section or the key is missing.
  virtual std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, std::size_t size,
                                              const std::string& path) = 0;
  // Creates file, section and key as needed; no value removes the key. Failures
  // are not reported.
  virtual void WritePrivateProfileString(const std::string& section, const std::string& key,
                                         const std::optional<std::string>& value,
                                         const std::string& path) = 0;

  // Re-stacks a window; flags SWP_NOSIZE | SWP_NOMOVE keep its place and size.
  virtual void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                            int cy, int flags) = 0;

  // Ends the program at once; no event of the window runs after it.
  virtual void End() = 0;
};

}  // namespace platform
