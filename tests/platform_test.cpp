// The system-independent pieces under the back ends: code page 932 as both
// convert it, and the profile code.
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/shared/profile.h"
#include "platform/shared/textfile.h"
#include "profile_rows.h"

using namespace profile_rows;

// Windows' table, also where glibc's differs, and one U+FFFD for each byte that does not decode.
TEST(CodePage, FollowsWindowsTable) {
  // clang-format off
  const std::pair<std::string, std::string> both[] = {
      {"A\x83\xBF", "Aα"},    {"\x95\x5C", "表"},     {"\xB1", "ｱ"},          {"\x81\x5C", "\u2015"},
      {"\x81\x60", "\uFF5E"}, {"\x81\x61", "\u2225"}, {"\x81\x7C", "\uFF0D"}, {"\x81\x91", "\uFFE0"},
      {"\x87\x40", "\u2460"}, {"\x9F\x80\x80", "麾\u0080"}, {"\x80", "\u0080"}, {"\xA0", "\uF8F0"},
      {"\xFD\xFE\xFF", "\uF8F1\uF8F2\uF8F3"}};
  // clang-format on
  for (const auto& [ansi, utf8] : both) {
    EXPECT_EQ(utf8, codepage::AnsiToUtf8(ansi)) << utf8;
    EXPECT_EQ(ansi, codepage::Utf8ToAnsi(utf8)) << utf8;
  }
  // Characters that are not in the table become '?', never a look-alike.
  for (const char* lacking : {"\u00A2", "\u00A3", "\u00A5", "\u00AC", "\u2014", "\u2016", "\u203E", "\u2212", "\u301C",
                              "\u00C0", "\U0001F600"})
    EXPECT_EQ("?", codepage::Utf8ToAnsi(lacking)) << lacking;
  const std::pair<std::string, std::string> undecodable[] = {
      {"\x81 x", "\uFFFD x"}, {"\x85\x40", "\uFFFD@"}, {"a\x81", "a\uFFFD"}, {"\x81\xFD", "\uFFFD\uF8F1"}};
  for (const auto& [ansi, utf8] : undecodable) EXPECT_EQ(utf8, codepage::AnsiToUtf8(ansi)) << utf8;
}

// Lines end at CR LF, a lone CR or LF; an empty line is a line, the end of the last adds none.
TEST(TextFile, LinesEndAtCrLfCrOrLf) {
  const platform::TextLines file = platform::SplitTextLines("\x83\xBF alpha,&alpha;\r\nb\rc\n\nlast\r\n");
  std::string lines;
  for (std::size_t i = 0; i < file.Count(); ++i) lines += std::string(file.Line(i)) + "|";
  EXPECT_EQ("α alpha,&alpha;|b|c||last|", lines);
}

TEST(Profile, ReadsAndWritesAsWindowsDoes) {
  for (const GetRow& r : kGetRows) EXPECT_EQ(r.expected, profile::Get(r.file, r.section, r.key, 1024)) << Row(r);
  for (const PutRow& r : kPutRows) EXPECT_EQ(r.expected, profile::Put(r.file, r.section, r.key, r.value)) << Row(r);
}

// Values are cut to the buffer without splitting a character, in Shift-JIS bytes also from a UTF-8 file.
TEST(Profile, CutsToTheBufferWithoutSplittingCharacters) {
  const auto times = [](const std::string& s, int n) {
    std::string out;
    while (n-- > 0) out += s;
    return out;
  };
  // clang-format off
  const std::tuple<std::string, std::size_t, std::string> rows[] = {
      {times("a", 2000), 1024, times("a", 1023)},           {times("a", 1023), 1024, times("a", 1023)},
      {"ab" + times(kAAnsi, 600), 1024, "ab" + times(kA, 510)}, {"a" + times(kAAnsi, 600), 1024, "a" + times(kA, 511)},
      {times(kHalfAAnsi, 2000), 1024, times(kHalfA, 1023)}, {"\"" + times("a", 1030) + "\"", 1024, times("a", 1023)},
      {kAAnsi, 2, ""}, {kAAnsi, 3, kA}, {"abc", 1, ""}, {"abc", 0, ""}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto& [value, size, expected] = rows[i];
    EXPECT_EQ(expected, profile::Get("[S]\r\nK=" + value, "S", "K", size)) << "row " << i + 1;
  }
  EXPECT_EQ("ab" + times(kA, 510), profile::Get(kBom + "[S]\r\nK=ab" + times(kA, 600), "S", "K", 1024));
}
