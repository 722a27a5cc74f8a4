// Code page 932 as both back ends convert it: Windows' table, also where glibc's
// differs, and one U+FFFD for each byte that does not decode.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CodePage, FollowsWindowsTable) {
  struct Row {
    std::string ansi, utf8;
  };
  const std::vector<Row> both = {
      {"A\x83\xBF", "Aα"},           {"\x95\x5C", "表"},         {"\xB1", "ｱ"},
      {"\x81\x5C", "\u2015"},        {"\x81\x60", "\uFF5E"},     {"\x81\x61", "\u2225"},
      {"\x81\x7C", "\uFF0D"},        {"\x81\x91", "\uFFE0"},     {"\x87\x40", "\u2460"},
      {"\x80", "\u0080"},            {"\xA0", "\uF8F0"},         {"\xFD\xFE\xFF", "\uF8F1\uF8F2\uF8F3"},
  };
  for (const Row& row : both) {
    EXPECT_EQ(row.utf8, codepage::AnsiToUtf8(row.ansi)) << row.utf8;
    EXPECT_EQ(row.ansi, codepage::Utf8ToAnsi(row.utf8)) << row.utf8;
  }
  // Characters that are not in the table become '?', never a look-alike.
  for (const char* lacking : {"\u00A2", "\u00A3", "\u00A5", "\u00AC", "\u2014", "\u2016", "\u203E", "\u2212",
                              "\u301C", "\u00C0", "\U0001F600"}) {
    EXPECT_EQ("?", codepage::Utf8ToAnsi(lacking)) << lacking;
  }
  const std::vector<Row> undecodable = {
      {"\x81 x", "\uFFFD x"}, {"\x85\x40", "\uFFFD@"}, {"a\x81", "a\uFFFD"}, {"\x81\xFD", "\uFFFD\uF8F1"}};
  for (const Row& row : undecodable) EXPECT_EQ(row.utf8, codepage::AnsiToUtf8(row.ansi)) << row.utf8;
}

}  // namespace
