// What the window needs of the operating system. Strings are UTF-8; the back
// ends convert to and from the ANSI code page where the system speaks it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// The lines of a text file, or why it could not be read. The lines are kept
// as places in the decoded text, not strings of their own: a long list would
// otherwise cost an allocation for every line.
struct TextLines {
  std::string text;                                        // the file, decoded
  std::vector<std::pair<std::size_t, std::size_t>> spans;  // each line's start and length
  std::optional<std::string> error;                        // a one-line description, without a comma

  std::size_t Count() const { return spans.size(); }
  std::string_view Line(std::size_t i) const { return std::string_view(text).substr(spans[i].first, spans[i].second); }
};

// Window style of a started program: a normal window that takes the focus.
constexpr int kNormalWithFocus = 1;

struct System {
  virtual ~System() = default;

  // The folder holding the program; ends in a separator only when it is a root; ""
  // when the system cannot tell.
  virtual std::string ProgramFolder() const = 0;
  virtual char PathSeparator() const = 0;
  // What follows the program's name on its command line, or "".
  virtual std::string CommandLine() const = 0;
  // Starts a program from one command line, never waits. False when it could not
  // be started.
  [[nodiscard]] virtual bool Shell(const std::string& commandLine, int windowStyle) = 0;
  // An ordinary file that can be read.
  virtual bool FileExists(const std::string& path) const = 0;
  // Whether a new file can be made in the folder of path (found by making one).
  virtual bool CanCreateBeside(const std::string& path) = 0;
  // The user's own folder for the program's settings, which may not exist yet; "" when
  // the system cannot tell.
  virtual std::string UserSettingsFolder() const = 0;
  // Makes that folder and those above it that are missing, as the user's alone: the one
  // folder the program ever makes. False when it cannot be made.
  virtual bool MakeUserSettingsFolder() = 0;
  // Lines end at CR LF, a lone CR or LF; text is decoded from the ANSI code page.
  virtual TextLines ReadTextLines(const std::string& path) const = 0;

  // A profile (INI) file's value of key in section, cut to size - 1 bytes of
  // ANSI text, or defaultValue when the file, the section or the key is missing.
  virtual std::string ProfileGet(const std::string& section, const std::string& key, const std::string& defaultValue,
                                 std::size_t size, const std::string& path) = 0;
  // Creates file, section and key as needed; no value removes the key. Failures
  // are not reported.
  virtual void ProfilePut(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                          const std::string& path) = 0;
};

}  // namespace platform
