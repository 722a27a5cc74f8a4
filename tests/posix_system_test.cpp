// The Linux system operations against real files and real processes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "platform/files.h"
#include "platform/posix/posix_system.h"

namespace fs = std::filesystem;
using platform::JoinCommandLine;
using platform::ParseCommandLine;
using platform::PosixSystem;

namespace {

class PosixSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tovu-test-XXXXXX";
    dir = mkdtemp(pattern);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir;
  PosixSystem system{{}};
};

// Every argument, and every path the open dialog gives, reaches the editor byte
// for byte as one argument.
TEST(CommandLine, ArgumentsAndDialogPathsComeBackWhole) {
  const std::vector<std::vector<std::string>> arguments = {
      {},
      {"a.htm"},
      {"/tmp/My Pages/a.htm", "b.htm"},
      {"it's \"quoted\".html", "", " lead and trail "},
      {"back\\slash\\", "\\\"", "tab\there", "-rf"},
  };
  for (const auto& list : arguments) {
    EXPECT_EQ(list, ParseCommandLine("Notepad " + JoinCommandLine(list)).files) << JoinCommandLine(list);
  }
  const struct {
    std::string line;
    std::vector<std::string> files;
  } paths[] = {
      {"Notepad", {}},
      {"Notepad   ", {}},
      {"Notepad /tmp/My Pages/a.htm ", {"/tmp/My Pages/a.htm "}},
      {"Notepad /tmp/it's \"q\".html", {"/tmp/it's \"q\".html"}},
      {"Notepad $(touch x); rm -rf ~", {"$(touch x); rm -rf ~"}},
  };
  for (const auto& [line, files] : paths) {
    const platform::Launch launch = ParseCommandLine(line);
    EXPECT_EQ("Notepad", launch.program) << line;
    EXPECT_EQ(files, launch.files) << line;
  }
}

TEST_F(PosixSystemTest, NotepadIsFoundOnTheSearchPathThenFallsBack) {
  fs::create_directories(dir / "bin1");
  fs::create_directories(dir / "bin2");
  const auto script = [&](const fs::path& path) {
    std::ofstream(path) << "#!/bin/sh\n";
    fs::permissions(path, fs::perms::owner_all);
  };
  const std::string searchPath = Path("bin1") + "::" + Path("bin2");
  EXPECT_EQ(std::nullopt, platform::FindProgram("Notepad", searchPath));
  script(dir / "bin2" / "gedit");
  EXPECT_EQ(Path("bin2/gedit"), platform::FindProgram("Notepad", searchPath));
  script(dir / "bin2" / "notepad");
  EXPECT_EQ(Path("bin2/notepad"), platform::FindProgram("Notepad", searchPath));
  script(dir / "bin1" / "Notepad");
  EXPECT_EQ(Path("bin1/Notepad"), platform::FindProgram("Notepad", searchPath));
  fs::create_directories(dir / "bin1" / "other");  // a folder is no program
  EXPECT_EQ(std::nullopt, platform::FindProgram("other", searchPath));
}

TEST_F(PosixSystemTest, ShellPassesTheFileAsOneArgumentWithoutAShell) {
  fs::create_directories(dir / "bin");
  const fs::path notepad = dir / "bin" / "Notepad";
  // The child keeps the search path it was given, so the script names its tools in full.
  const std::string args = Path("bin/args");
  std::ofstream(notepad) << "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" << args << ".tmp'\n"
                         << "/bin/mv '" << args << ".tmp' '" << args << "'\n";
  fs::permissions(notepad, fs::perms::owner_all);
  const std::string oldPath = std::getenv("PATH");
  setenv("PATH", (dir / "bin").c_str(), 1);
  const bool started = system.Shell("Notepad " + JoinCommandLine({"$(touch " + Path("pwned") + "); \"x", "-n"}), 1);
  setenv("PATH", oldPath.c_str(), 1);
  ASSERT_TRUE(started);
  for (int i = 0; i < 200 && !fs::exists(args); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ("2|$(touch " + Path("pwned") + "); \"x|./-n|", Read("bin/args"));
  EXPECT_FALSE(fs::exists(dir / "pwned"));
  setenv("PATH", (dir / "nothing").c_str(), 1);
  EXPECT_FALSE(system.Shell("Notepad", 1));  // no editor at all: a failure, quietly
  setenv("PATH", oldPath.c_str(), 1);
}

TEST_F(PosixSystemTest, OnlyAnOrdinaryReadableFileExists) {
  Write("file", "x");
  fs::create_directories(dir / "folder");
  fs::create_symlink(dir / "missing", dir / "dangling");
  ASSERT_EQ(0, mkfifo(Path("fifo").c_str(), 0600));
  EXPECT_TRUE(system.FileExists(Path("file")));
  for (const char* name : {"folder", "dangling", "fifo", "missing"}) {
    EXPECT_FALSE(system.FileExists(Path(name))) << name;
  }
  // A FIFO must not hang the reader either.
  EXPECT_TRUE(system.ReadTextLines(Path("fifo")).error);
  EXPECT_EQ("File not found", system.ReadTextLines(Path("missing")).error);
  EXPECT_TRUE(system.ReadTextLines(Path("folder")).error);
}

TEST_F(PosixSystemTest, TextLinesEndAtAnyLineEndAndDecodeShiftJis) {
  Write("list", "\x83\xBF alpha,&alpha;\r\nb\rc\n\nlast");
  const platform::TextLines text = system.ReadTextLines(Path("list"));
  EXPECT_EQ(std::nullopt, text.error);
  EXPECT_EQ((std::vector<std::string>{"α alpha,&alpha;", "b", "c", "", "last"}), text.Lines());
}

TEST_F(PosixSystemTest, WritesAreHeldUntilFlushThenReplaceTheFileOnce) {
  const std::string ini = Path("tovu.ini");
  Write("tovu.ini", "; mine\r\n[Setting]\r\nTop=1\r\n");
  ASSERT_EQ(0, chmod(ini.c_str(), 0640));
  // Run as root in a user's folder, the program must leave the file the user's.
  if (geteuid() == 0) {
    ASSERT_EQ(0, chown(ini.c_str(), 65534, 65534));
  }
  // Leftovers of writers killed before their rename: one long gone, one whose
  // writer still holds it, and one named as an earlier program of this id named it.
  Write(".tovu.ini.gone01.tmp", "x");
  Write(".tovu.ini.held01.tmp", "x");
  Write(".tovu.ini." + std::to_string(getpid()) + ".0.tmp", "x");
  const timespec old[2] = {{0, UTIME_OMIT}, {1, 0}};
  for (const char* name : {".tovu.ini.gone01.tmp", ".tovu.ini.held01.tmp"}) utimensat(AT_FDCWD, Path(name).c_str(), old, 0);
  const int held = open(Path(".tovu.ini.held01.tmp").c_str(), O_RDONLY);
  ASSERT_EQ(0, flock(held, LOCK_EX));
  struct stat before {};
  stat(ini.c_str(), &before);
  system.ProfilePut("Setting", "Top", "2", ini);
  system.ProfilePut("Setting", "Left", "3", ini);
  EXPECT_EQ("2", system.ProfileGet("Setting", "TOP", "", 1024, ini));  // reads see them
  EXPECT_EQ("; mine\r\n[Setting]\r\nTop=1\r\n", Read("tovu.ini"));            // the file not yet
  ASSERT_TRUE(system.Flush());
  EXPECT_EQ("; mine\r\n[Setting]\r\nTop=2\r\nLeft=3\r\n", Read("tovu.ini"));
  struct stat after {};
  stat(ini.c_str(), &after);
  EXPECT_NE(before.st_ino, after.st_ino);  // replaced, not rewritten in place
  EXPECT_EQ(0640u, after.st_mode & 07777);
  EXPECT_EQ(before.st_uid, after.st_uid);
  EXPECT_EQ(before.st_gid, after.st_gid);
  EXPECT_FALSE(fs::exists(dir / ".tovu.ini.gone01.tmp"));
  EXPECT_TRUE(fs::exists(dir / ".tovu.ini.held01.tmp"));
  close(held);
  EXPECT_EQ(3u, std::distance(fs::directory_iterator(dir), fs::directory_iterator()));  // nothing new left

  system.ProfilePut("Setting", "Top", "2", ini);  // the same value
  ASSERT_TRUE(system.Flush());
  struct stat untouched {};
  stat(ini.c_str(), &untouched);
  EXPECT_EQ(after.st_ino, untouched.st_ino);
}

TEST_F(PosixSystemTest, AFileThatCannotBeWrittenStaysAsItIs) {
  Write("readonly.ini", "[Setting]\r\nTop=1\r\n");
  chmod(Path("readonly.ini").c_str(), 0444);
  system.ProfilePut("Setting", "Top", "2", Path("readonly.ini"));
  system.Flush();
  EXPECT_EQ("[Setting]\r\nTop=1\r\n", Read("readonly.ini"));

  fs::create_directories(dir / "folder.ini");
  system.ProfilePut("Setting", "Top", "2", Path("folder.ini"));
  system.Flush();
  EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
  EXPECT_EQ("dflt", system.ProfileGet("Setting", "Top", "dflt", 1024, Path("folder.ini")));

  fs::create_symlink(dir / "nowhere", dir / "dangling.ini");
  ASSERT_EQ(0, mkfifo(Path("fifo.ini").c_str(), 0600));
  for (const char* name : {"dangling.ini", "fifo.ini"}) {
    system.ProfilePut("Setting", "Top", "2", Path(name));
    system.Flush();
  }
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.ini"));
  EXPECT_FALSE(fs::exists(dir / "nowhere"));
  EXPECT_TRUE(fs::is_fifo(dir / "fifo.ini"));

  system.ProfilePut("Setting", "Top", std::nullopt, Path("none.ini"));
  system.Flush();
  EXPECT_FALSE(fs::exists(dir / "none.ini"));  // removing from no file creates none
}

TEST_F(PosixSystemTest, AReaderNeverSeesAPartialFile) {
  const std::string ini = Path("tovu.ini");
  const std::string small = "[Setting]\r\nA=1\r\n";
  const std::string large = "[Setting]\r\nA=" + std::string(200000, 'x') + "\r\n";
  ASSERT_TRUE(platform::files::Replace(ini, small));
  std::atomic<bool> done{false};
  std::set<std::size_t> sizesSeen;
  std::thread reader([&] {
    while (!done) {
      if (auto bytes = platform::files::Read(ini)) sizesSeen.insert(bytes->size());
    }
  });
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(platform::files::Replace(ini, i % 2 ? small : large));
  done = true;
  reader.join();
  for (std::size_t size : sizesSeen) EXPECT_TRUE(size == small.size() || size == large.size()) << size;
}

TEST_F(PosixSystemTest, ProgramFolderIsTheExecutablesWithoutASeparator) {
  const std::string folder = system.ProgramFolder();
  EXPECT_EQ(fs::canonical("/proc/self/exe").parent_path().string(), folder);
  EXPECT_NE('/', folder.back());
}

}  // namespace
