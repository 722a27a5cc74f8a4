#include "platform/shared/profile_files.h"

#include "platform/files.h"
#include "platform/shared/profile.h"

namespace platform {

std::string ProfileFiles::Get(const std::string& section, const std::string& key, const std::string& defaultValue,
                              std::size_t size, const std::string& path) {
  const std::optional<std::string> bytes = held_ && held_->path == path ? held_->bytes : files::Read(path);
  return profile::Get(bytes, section, key, size).value_or(defaultValue);
}

void ProfileFiles::Put(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                       const std::string& path) {
  if (!held_ || held_->path != path) {
    Flush();
    Held next{path, std::nullopt, true, false};
    switch (files::CanReplace(path)) {
      case files::Replaceable::kNew: break;
      case files::Replaceable::kYes:
        // A file that cannot be read back is never overwritten.
        next.bytes = files::Read(path);
        next.writable = next.bytes.has_value();
        break;
      case files::Replaceable::kNo: next.writable = false; break;
    }
    held_ = std::move(next);
  }
  if (!held_->writable) return;
  if (std::optional<std::string> changed = profile::Put(held_->bytes, section, key, value)) {
    held_->bytes = std::move(changed);
    held_->dirty = true;
  }
}

bool ProfileFiles::Flush() {
  if (!held_) return true;
  const Held done = std::move(*held_);
  held_.reset();
  // A write that changes nothing still tidies up after killed writers.
  files::RemoveLeftovers(done.path);
  return !done.dirty || files::Replace(done.path, *done.bytes);
}

}  // namespace platform
