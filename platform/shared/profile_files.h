// The profile functions on real files. Writes to one file are held and replace
// it in one step when Flush runs (or when a write goes to another file): the ten
// writes of an exit cost one replacement, and a crash never leaves half a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

class ProfileFiles {
 public:
  // Reads see the writes held so far.
  std::string Get(const std::string& section, const std::string& key, const std::string& defaultValue, std::size_t size,
                  const std::string& path);
  void Put(const std::string& section, const std::string& key, const std::optional<std::string>& value,
           const std::string& path);
  // Replaces the file held; false when it could not be replaced.
  bool Flush();

 private:
  struct Held {
    std::string path;
    std::optional<std::string> bytes;  // the file as written so far
    bool writable = true;              // false: every write to it is dropped
    bool dirty = false;
  };
  std::optional<Held> held_;
};

}  // namespace platform
