#include "platform/profile.h"

#include "profile_rows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace profile_rows;

std::string Repeat(const std::string& s, int n) {
  std::string out;
  while (n-- > 0) out += s;
  return out;
}

TEST(ProfileGet, ReadsAsWindowsDoes) {
  const std::vector<GetRow>& rows = kGetRows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const GetRow& r = rows[i];
    const Text got = profile::Get(r.file, r.section, r.key, 1024);
    EXPECT_EQ(got, r.expected) << "row " << i << ": got " << Show(got) << ", expected "
                               << Show(r.expected);
  }
}

TEST(ProfileGet, CutsToBufferWithoutSplittingCharacters) {
  struct Row {
    std::string fileValue;
    std::size_t bufferSize;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {Repeat("a", 2000), 1024, Repeat("a", 1023)},
      {Repeat("a", 1023), 1024, Repeat("a", 1023)},
      {"ab" + Repeat(kAAnsi, 600), 1024, "ab" + Repeat(kA, 510)},
      {"a" + Repeat(kAAnsi, 600), 1024, "a" + Repeat(kA, 511)},
      {Repeat(kHalfAAnsi, 2000), 1024, Repeat(kHalfA, 1023)},
      {"\"" + Repeat("a", 1030) + "\"", 1024, Repeat("a", 1023)},
      {kAAnsi, 2, ""},
      {kAAnsi, 3, kA},
      {"abc", 1, ""},
      {"abc", 0, ""},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& r = rows[i];
    const Text got = profile::Get("[S]\r\nK=" + r.fileValue + "\r\n", "S", "K", r.bufferSize);
    EXPECT_EQ(got, r.expected) << "row " << i << ": got " << Show(got);
  }
  // A UTF-8 file is measured in Shift-JIS bytes too.
  EXPECT_EQ(profile::Get(kBom + "[S]\r\nK=ab" + Repeat(kA, 600), "S", "K", 1024),
            "ab" + Repeat(kA, 510));
}

TEST(ProfilePut, WritesAsWindowsDoes) {
  const std::vector<PutRow>& rows = kPutRows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PutRow& r = rows[i];
    const Text got = profile::Put(r.file, r.section, r.key, r.value);
    EXPECT_EQ(got, r.expected) << "row " << i << ": got " << Show(got) << ", expected "
                               << Show(r.expected);
  }
}

TEST(ProfilePut, KeepsEverythingElseByteForByte) {
  const std::string head = kBom + "orphan=1\r\n; comment\n# not a comment=2\r\n\r\n";
  const std::string other = "[Other]\rkey=\"q\"\r\n\t \r\njunk line\n";
  const std::string before = "[Setting] trailing\r\n  Lead = 1\r\n";
  const std::string after = "odd\0line\n\n[Last]\r\nz=9"s;
  const std::string file = head + other + before + "Target=old\r\n" + after;
  EXPECT_EQ(profile::Put(file, "SETTING", "target", "new"),
            head + other + before + "Target=new\r\n" + after);
  EXPECT_EQ(profile::Put(file, "setting", "TARGET", std::nullopt), head + other + before + after);
  EXPECT_EQ(profile::Put(file, "Setting", "Added", "x"),
            head + other + before + "Target=old\r\nodd\0line\nAdded=x\r\n\n[Last]\r\nz=9"s);
  EXPECT_EQ(profile::Put(file, "New", "k", "v"), file + "\r\n[New]\r\nk=v\r\n");
}

TEST(ProfilePut, RoundTripsShiftJisValues) {
  // Trail bytes that look like "\", "]", "[", "=" neighbours or letters must survive unchanged.
  const std::vector<std::string> values = {
      kHyo + "\\" + kZo + "]", kA + "\"" + kKataA, "'" + kDi + "'x", kHalfA + " " + kHyo, kZo};
  for (const Text& start : {Text(), Text(kBom)}) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      const Text file = profile::Put(start, kZo + "[" + kHyo, kDi, values[i]);
      ASSERT_TRUE(file) << "value " << i;
      const Text got = profile::Get(file, kZo + "[" + kHyo, kDi, 1024);
      EXPECT_EQ(got, values[i]) << "value " << i << ": got " << Show(got) << " from " << Show(file);
      EXPECT_EQ(profile::Put(file, kZo + "[" + kHyo, kDi, values[i]), std::nullopt) << i;
      EXPECT_EQ(profile::Get(file, kZo + "[" + kHyo, kKataA, 1024), std::nullopt) << i;
    }
  }
}

TEST(ProfilePut, TenWritesInARowKeepTheirOrder) {
  const std::vector<std::pair<std::string, std::string>> settings = {
      {"QuickCopy", "False"}, {"Top", "120"},      {"Left", "300"},  {"Width", "640"},
      {"Height", "480"},      {"OnTop", "True"},   {"Editor", "notepad.exe"},
      {"ListFile", ""},       {"LastItem", kA},    {"Version", "2"},
  };
  Text file;
  std::string expected = "[Setting]\r\n";
  for (const auto& [key, value] : settings) {
    if (Text next = profile::Put(file, "Setting", key, value)) file = std::move(next);
    expected += key + "=" + (value == kA ? kAAnsi : value) + "\r\n";
  }
  EXPECT_EQ(file, expected) << Show(file);
  for (const auto& [key, value] : settings) {
    EXPECT_EQ(profile::Put(file, "setting", key, value), std::nullopt) << key;
    EXPECT_EQ(profile::Get(file, "SETTING", key, 1024), value) << key;
  }
}

}  // namespace
