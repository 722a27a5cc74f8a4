// What the operating systems' System implementations share: the command line
// and program folder given at start, text files read by the shared reader, and
// profile writes held until Flush.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/files.h"
#include "platform/shared/profile_files.h"
#include "platform/shared/textfile.h"
#include "platform/system.h"

namespace platform {

class SystemBase : public System {
 public:
  std::string CommandLine() const override { return commandLine_; }
  TextLines ReadTextLines(const std::string& path) const override { return ReadTextFile(path); }
  bool CanCreateBeside(const std::string& path) override { return files::CanCreateBeside(path); }
  std::string ProfileGet(const std::string& section, const std::string& key, const std::string& defaultValue,
                         std::size_t size, const std::string& path) override {
    return profiles_.Get(section, key, defaultValue, size, path);
  }
  void ProfilePut(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                  const std::string& path) override {
    profiles_.Put(section, key, value, path);
  }

  // Writes the held profile writes; false when the file could not be replaced.
  bool Flush() { return profiles_.Flush(); }

 protected:
  // folder: the program folder to report, when not the executable's own.
  SystemBase(std::string commandLine, std::optional<std::string> folder)
      : commandLine_(std::move(commandLine)), folder_(std::move(folder)) {}
  const std::optional<std::string>& Folder() const { return folder_; }

 private:
  std::string commandLine_;
  std::optional<std::string> folder_;
  ProfileFiles profiles_;
};

}  // namespace platform
