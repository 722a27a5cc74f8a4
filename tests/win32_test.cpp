// The Windows system operations against real files, and the profile code
// against Windows' own profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/win32/win32_system.h"
#include "profile_rows.h"

namespace {

namespace fs = std::filesystem;
using namespace profile_rows;

class Win32Test : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override {
    for (const auto& entry : fs::directory_iterator(dir)) SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir);
  }
  std::string Path(const char* name) const { return (dir / name).string(); }
  static void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  const fs::path dir = fs::temp_directory_path() / ("tovu-test-" + std::to_string(GetCurrentProcessId()));
  platform::Win32System system;
};

// What the Windows functions read, ANSI, or nullopt.
Text WindowsGet(const std::string& path, const std::string& section, const std::string& key) {
  char value[1024];
  const std::string ansiSection = codepage::Utf8ToAnsi(section), ansiKey = codepage::Utf8ToAnsi(key);
  GetPrivateProfileStringA(ansiSection.c_str(), ansiKey.c_str(), "\x01", value, sizeof value, path.c_str());
  if (std::string(value) == "\x01") return std::nullopt;
  return codepage::AnsiToUtf8(value);
}

TEST_F(Win32Test, ProfileAgreesWithTheWindowsFunctions) {
  const std::string path = Path("rows.ini");
  // Rows Wine reads by rules of its own, which the program's files never need: a
  // file in UTF-8, and a line holding just a key's name, which Wine takes for
  // the key without a value where Windows lists no such key.
  const auto own = [](const Text& file, const std::string& key) {
    return !file || file->starts_with(kBom) || file->find("\n" + key + "\r") != std::string::npos;
  };
  for (std::size_t i = 0; i < kGetRows.size(); ++i) {
    const GetRow& r = kGetRows[i];
    if (!r.expected || own(r.file, r.key)) continue;
    Write(path, *r.file);
    EXPECT_EQ(WindowsGet(path, r.section, r.key), r.expected) << "get row " << i;
  }
  // What the program writes, Windows reads back: the value up to a line break.
  for (std::size_t i = 0; i < kPutRows.size(); ++i) {
    const PutRow& r = kPutRows[i];
    if (!r.expected || !r.value || own(r.expected, r.key)) continue;
    Write(path, *r.expected);
    const std::string stored = r.value->substr(0, r.value->find_first_of("\r\n\0"s));
    EXPECT_EQ(stored, WindowsGet(path, r.section, r.key)) << "put row " << i;
  }
}

// A leftover of a writer killed long ago goes, one a live writer holds open stays.
TEST_F(Win32Test, ReplacementKeepsAttributesAndLeavesNothingBehind) {
  const std::string ini = Path("tovu.ini"), dead = Path(".tovu.ini.dead01.tmp"), live = Path(".tovu.ini.live01.tmp");
  Write(ini, "[Setting]\r\nTop=1\r\n");
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN);
  const FILETIME old{0, 0x01000000};
  for (const std::string& file : {dead, live}) {
    Write(file, "old");
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
  }
  HANDLE held = CreateFileA(live.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(system.FileExists(ini));  // hidden counts as missing
  system.ProfilePut("Setting", "Top", "2", ini);
  ASSERT_TRUE(system.Flush());
  CloseHandle(held);
  EXPECT_EQ("[Setting]\r\nTop=2\r\n", platform::files::Read(ini));
  EXPECT_TRUE(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  system.ProfilePut("Setting", "Top", "3", ini);
  system.Flush();
  EXPECT_EQ("[Setting]\r\nTop=2\r\n", platform::files::Read(ini));
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_EQ(2, std::distance(fs::directory_iterator(dir), fs::directory_iterator()));  // tovu.ini and the live one
}

// The arguments the program hands on: what follows its own name, quoted or not.
TEST(Win32System, CommandLineArguments) {
  const std::pair<std::string, std::string> lines[] = {
      {"tovu.exe", ""},
      {"\"C:\\My Tools\\tovu.exe\"  \"C:\\My Pages\\a.htm\" b.htm ", "\"C:\\My Pages\\a.htm\" b.htm "},
      {"C:\\tovu.exe\ta.htm", "a.htm"},
      {"\"C:\\unclosed", ""}};
  for (const auto& [line, arguments] : lines) EXPECT_EQ(arguments, platform::CommandLineArguments(line)) << line;
}

}  // namespace
