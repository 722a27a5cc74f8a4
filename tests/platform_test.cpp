// The system-independent pieces under the back ends: code page 932 as both
// convert it, the profile code, and keeping a restored window in reach.
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/profile.h"
#include "platform/reach.h"
#include "profile_rows.h"

namespace {

using namespace profile_rows;

// Windows' table, also where glibc's differs, and one U+FFFD for each byte that does not decode.
TEST(CodePage, FollowsWindowsTable) {
  const std::pair<std::string, std::string> both[] = {
      {"A\x83\xBF", "Aα"},    {"\x95\x5C", "表"},     {"\xB1", "ｱ"},          {"\x81\x5C", "\u2015"},
      {"\x81\x60", "\uFF5E"}, {"\x81\x61", "\u2225"}, {"\x81\x7C", "\uFF0D"}, {"\x81\x91", "\uFFE0"},
      {"\x87\x40", "\u2460"}, {"\x9F\x5C", "歃"},     {"\x80", "\u0080"},     {"\xA0", "\uF8F0"},
      {"\xFD\xFE\xFF", "\uF8F1\uF8F2\uF8F3"}};
  for (const auto& [ansi, utf8] : both) {
    EXPECT_EQ(utf8, codepage::AnsiToUtf8(ansi)) << utf8;
    EXPECT_EQ(ansi, codepage::Utf8ToAnsi(utf8)) << utf8;
  }
  // Characters that are not in the table become '?', never a look-alike.
  for (const char* lacking : {"\u00A2", "\u00A3", "\u00A5", "\u00AC", "\u2014", "\u2016", "\u203E", "\u2212",
                              "\u301C", "\u00C0", "\U0001F600"}) {
    EXPECT_EQ("?", codepage::Utf8ToAnsi(lacking)) << lacking;
  }
  const std::pair<std::string, std::string> undecodable[] = {
      {"\x81 x", "\uFFFD x"}, {"\x85\x40", "\uFFFD@"}, {"a\x81", "a\uFFFD"}, {"\x81\xFD", "\uFFFD\uF8F1"}};
  for (const auto& [ansi, utf8] : undecodable) EXPECT_EQ(utf8, codepage::AnsiToUtf8(ansi)) << utf8;
}

TEST(Profile, ReadsAndWritesAsWindowsDoes) {
  for (std::size_t i = 0; i < kGetRows.size(); ++i) {
    const GetRow& r = kGetRows[i];
    EXPECT_EQ(r.expected, profile::Get(r.file, r.section, r.key, 1024)) << "get row " << i;
  }
  for (std::size_t i = 0; i < kPutRows.size(); ++i) {
    const PutRow& r = kPutRows[i];
    EXPECT_EQ(r.expected, profile::Put(r.file, r.section, r.key, r.value)) << "put row " << i;
  }
}

// Values are cut to the buffer without splitting a character, in Shift-JIS bytes also from a UTF-8 file.
TEST(Profile, CutsToTheBufferWithoutSplittingCharacters) {
  const auto times = [](const std::string& s, int n) {
    std::string out;
    while (n-- > 0) out += s;
    return out;
  };
  const struct {
    std::string file;
    std::size_t size;
    std::string expected;
  } rows[] = {{times("a", 2000), 1024, times("a", 1023)},
              {times("a", 1023), 1024, times("a", 1023)},
              {"ab" + times(kAAnsi, 600), 1024, "ab" + times(kA, 510)},
              {"a" + times(kAAnsi, 600), 1024, "a" + times(kA, 511)},
              {times(kHalfAAnsi, 2000), 1024, times(kHalfA, 1023)},
              {"\"" + times("a", 1030) + "\"", 1024, times("a", 1023)},
              {kAAnsi, 2, ""}, {kAAnsi, 3, kA}, {"abc", 1, ""}, {"abc", 0, ""}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].expected, profile::Get("[S]\r\nK=" + rows[i].file, "S", "K", rows[i].size)) << "row " << i + 1;
  }
  EXPECT_EQ("ab" + times(kA, 510), profile::Get(kBom + "[S]\r\nK=ab" + times(kA, 600), "S", "K", 1024));
}

TEST(Profile, PutKeepsEverythingElseByteForByte) {
  const std::string head = kBom + "orphan=1\r\n; comment\n# not a comment=2\r\n\r\n";
  const std::string other = "[Other]\rkey=\"q\"\r\n\t \r\njunk line\n";
  const std::string before = "[Setting] trailing\r\n  Lead = 1\r\n";
  const std::string after = "odd\0line\n\n[Last]\r\nz=9"s;
  const std::string file = head + other + before + "Target=old\r\n" + after;
  EXPECT_EQ(head + other + before + "Target=new\r\n" + after, profile::Put(file, "SETTING", "target", "new"));
  EXPECT_EQ(head + other + before + after, profile::Put(file, "setting", "TARGET", std::nullopt));
  EXPECT_EQ(head + other + before + "Target=old\r\nodd\0line\nAdded=x\r\n\n[Last]\r\nz=9"s,
            profile::Put(file, "Setting", "Added", "x"));
  EXPECT_EQ(file + "\r\n[New]\r\nk=v\r\n", profile::Put(file, "New", "k", "v"));
}

TEST(Reach, OnlyAWindowOutOfReachMoves) {
  // Two screens side by side; a panel 30 pixels high at the top of the left one.
  const std::vector<platform::ScreenArea> screens = {{{0, 0, 1024, 768}, {0, 30, 1024, 738}},
                                                     {{1024, 0, 1280, 1024}, {1024, 0, 1280, 1024}}};
  const struct {
    platform::PixelRect frame, expected;
  } rows[] = {
      {{200, 100, 190, 360}, {200, 100, 190, 360}},       // an ordinary restore stays exactly
      {{-150, 500, 190, 360}, {-150, 500, 190, 360}},     // partly off: its title bar is in reach
      {{-26667, 200, 190, 360}, {0, 200, 190, 360}},      // Left=-400000 twips
      {{500, 5000, 190, 360}, {1024, 664, 190, 360}},     // below both: the taller one is nearer
      {{3000, 100, 190, 360}, {2114, 100, 190, 360}},     // right of the right screen
      {{100, -360, 190, 360}, {100, 30, 190, 360}},       // title bar above every screen
      {{100, 100, 32767, 32767}, {100, 100, 1024, 738}},  // cut to the nearest screen
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const platform::PixelRect got = platform::InReach(rows[i].frame, 24, screens);
    EXPECT_EQ(rows[i].expected, got) << "row " << i + 1 << ": got " << got.left << "," << got.top << " " << got.width
                                     << "x" << got.height;
  }
}

}  // namespace
