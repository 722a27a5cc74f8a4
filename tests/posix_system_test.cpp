// The Linux system operations against real files and real processes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>

#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

#include "platform/files.h"
#include "platform/posix/posix_system.h"

namespace fs = std::filesystem;

class PosixSystemTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  void Write(const std::string& name, const std::string& bytes, fs::perms perms = fs::perms::owner_all) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    fs::permissions(Path(name), perms);
  }
  std::string Read(const std::string& name) const { return platform::files::Read(Path(name)).value_or("(none)"); }
  const fs::path dir = [] {
    char pattern[] = "/tmp/tovu-test-XXXXXX";
    return fs::path(mkdtemp(pattern));
  }();
  platform::PosixSystem system{{}};
};

// Only an ordinary readable file exists, is read (a FIFO must not hang the
// reader) or is replaced; removing from no file creates none.
TEST_F(PosixSystemTest, OnlyOrdinaryFilesAreReadOrReplaced) {
  Write("readonly", "[Setting]\r\nTop=1\r\n", fs::perms(0440));
  fs::create_directories(dir / "folder");
  fs::create_symlink(dir / "missing", dir / "dangling");
  ASSERT_EQ(0, mkfifo(Path("fifo").c_str(), 0600));
  for (const std::string name : {"folder", "dangling", "fifo", "missing", "readonly"}) {
    EXPECT_EQ(name == "readonly", system.FileExists(Path(name))) << name;
    EXPECT_EQ(name != "readonly", system.ReadTextLines(Path(name)).error.has_value()) << name;
    system.ProfilePut("Setting", "Top", name == "missing" ? std::nullopt : std::optional<std::string>("2"), Path(name));
    system.Flush();
  }
  EXPECT_EQ("[Setting]\r\nTop=1\r\n", Read("readonly"));
  EXPECT_EQ("dflt", system.ProfileGet("Setting", "Top", "dflt", 1024, Path("folder")));
  EXPECT_TRUE(fs::is_directory(dir / "folder") && fs::is_symlink(dir / "dangling") && fs::is_fifo(dir / "fifo"));
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

// Leftovers of writers killed before their rename go; one whose writer still
// holds it, and one too young to tell, stay. Mode, owner and extended attributes stay.
TEST_F(PosixSystemTest, WritesAreHeldUntilFlushThenReplaceTheFileOnceKeepingItsMode) {
  const std::string ini = Path("tovu.ini");
  Write("tovu.ini", "; mine\r\n[Setting]\r\nTop=1\r\n", fs::perms(0640));
  // Run as root in a user's folder, the program must leave the file the user's.
  ASSERT_TRUE(geteuid() != 0 || chown(ini.c_str(), 65534, 65534) == 0);
  for (const char* name : {".tovu.ini.gone01.tmp", ".tovu.ini.held01.tmp", ".tovu.ini.young1.tmp"}) {
    Write(name, "x");
    const timespec old[2] = {{0, UTIME_OMIT}, {1, 0}};
    if (!std::string_view(name).ends_with("young1.tmp")) utimensat(AT_FDCWD, Path(name).c_str(), old, 0);
  }
  const int held = open(Path(".tovu.ini.held01.tmp").c_str(), O_RDONLY);
  ASSERT_EQ(0, flock(held, LOCK_EX));
  const auto status = [&] {
    struct stat st {};
    return stat(ini.c_str(), &st), st;
  };
  const struct stat before = status();
  // An attribute of the user's goes with the file, as its access list does (the same copy).
  const auto attribute = [&] {
    std::array<char, 16> value{};
    return std::string(value.data(), std::max<ssize_t>(0, getxattr(ini.c_str(), "user.tovu", value.data(), 16)));
  };
  const bool kept = setxattr(ini.c_str(), "user.tovu", "mine", 4, 0) == 0;  // where the file system has them
  system.ProfilePut("Setting", "Top", "2", ini);
  system.ProfilePut("Setting", "Left", "3", ini);
  EXPECT_EQ("2", system.ProfileGet("Setting", "TOP", "", 1024, ini));  // reads see them
  EXPECT_EQ("; mine\r\n[Setting]\r\nTop=1\r\n", Read("tovu.ini"));     // the file not yet
  ASSERT_TRUE(system.Flush());
  close(held);
  EXPECT_EQ("; mine\r\n[Setting]\r\nTop=2\r\nLeft=3\r\n", Read("tovu.ini"));
  const struct stat after = status();
  EXPECT_NE(before.st_ino, after.st_ino);  // replaced, not rewritten in place
  EXPECT_EQ(std::tuple(0640u, before.st_uid, before.st_gid),
            std::tuple(after.st_mode & 07777, after.st_uid, after.st_gid));
  EXPECT_EQ(kept ? "mine" : "", attribute());
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir)) left.insert(entry.path().filename().string());
  EXPECT_EQ((std::set<std::string>{".tovu.ini.held01.tmp", ".tovu.ini.young1.tmp", "tovu.ini"}), left);
  system.ProfilePut("Setting", "Top", "2", ini);  // the same value: the file stays
  ASSERT_TRUE(system.Flush());
  EXPECT_EQ(after.st_ino, status().st_ino);
}

// The user's own settings folder: XDG's (absolute only), else ~/.config; made along the path as it resolves (no
// "missing" folder), the user's alone. The desktop cases show it made on the first write.
TEST_F(PosixSystemTest, TheUsersSettingsFolderIsXdgsElseInTheHome) {
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  const std::string odd = Path("missing") + "/../cfg/./";
  for (const auto& [config, folder] : {std::pair{std::string("/x/cfg"), std::string("/x/cfg/tovu")},
                                       {"cfg", "/h/.config/tovu"},
                                       {"", "/h/.config/tovu"},
                                       {odd, Path("cfg/tovu")}}) {
    setenv("XDG_CONFIG_HOME", config.c_str(), 1), setenv("HOME", "/h", 1);
    EXPECT_EQ(folder, system.UserSettingsFolder()) << config;
  }
  ASSERT_TRUE(system.MakeUserSettingsFolder());
  EXPECT_EQ(std::pair(fs::perms(0700), false),
            std::pair(fs::status(Path("cfg")).permissions(), fs::exists(dir / "missing")));
  unsetenv("XDG_CONFIG_HOME"), setenv("HOME", home.c_str(), 1);
}
