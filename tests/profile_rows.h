// The profile functions' rows, as the Windows functions read and write the same files
// (checked against them under Wine when the rows were written).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace profile_rows {

using namespace std::string_literals;
using Text = std::optional<std::string>;

// UTF-8 and the same characters in Shift-JIS. The trail bytes of 表 and ゾ are "\" and "]";
// ア and ヂ differ only in a trail byte that is "A" in one and "a" in the other.
inline const std::string kA = "\xE3\x81\x82", kAAnsi = "\x82\xA0";          // あ
inline const std::string kHyo = "\xE8\xA1\xA8", kHyoAnsi = "\x95\x5C";      // 表
inline const std::string kZo = "\xE3\x82\xBE", kZoAnsi = "\x83\x5D";        // ゾ
inline const std::string kKataA = "\xE3\x82\xA2", kKataAAnsi = "\x83\x41";  // ア
inline const std::string kDi = "\xE3\x83\x82";                              // ヂ (83 61)
inline const std::string kHalfA = "\xEF\xBD\xB1", kHalfAAnsi = "\xB1";      // ｱ, one byte
inline const std::string kBom = "\xEF\xBB\xBF";

struct GetRow {
  Text file;
  std::string section, key;
  Text expected;
};

// clang-format off
inline const std::vector<GetRow> kGetRows = {
    {"[Setting]\r\nQuickCopy=True\r\n", "setting", "QUICKCOPY", "True"},
    {" \t[ Setting \t]  junk\r\n\t Key \t=\t va lue \t\r\n", "Setting", "key", "va lue"},
    {"[S]\r\nK='single'\r\n", "S", "K", "single"},     {"[S]\r\nK= \"  in  \" \r\n", "S", "K", "  in  "},
    {"[S]\r\nK=\"mixed'\r\n", "S", "K", "\"mixed'"},  {"[S]\r\nK=\"\r\n", "S", "K", "\""},
    {"[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
    {"[S]\r\nK=1\r\nk=2\r\n", "S", "k", "1"},          {"[S]\r\nK=1\r\n[s]\r\nK=2\r\nL=3\r\n", "s", "K", "1"},
    {"[S]\r\nK=1\r\n[s]\r\nK=2\r\nL=3\r\n", "S", "L", std::nullopt},
    {"[S]\r\n ;K=1\r\nK=2\r\n", "S", "K", "2"},      {"[S]\r\n#K=1\r\n", "S", "#K", "1"},
    {"[S]\r\nK\r\n", "S", "K", std::nullopt},          {"[S]\r\nK\r\nK=1\r\n", "S", "K", "1"},
    {"[S]\r\nK=\r\n", "S", "K", ""},                   {"[S]\r\nK=1\r\n", "T", "K", std::nullopt},
    {"K=1\r\n[S]\r\n", "S", "K", std::nullopt},        {"[S]\r\n=1\r\n", "S", "", std::nullopt},
    {"[]\r\nK=1\r\n", "", "K", std::nullopt},  // Windows reads no section without a name
    {"[S]]\r\nK=1\r\n", "S]", "K", "1"},                {"[S]\r\n[T\r\nK=1\r\n", "S", "K", "1"},
    {"[ My Section ]\r\nK=1\r\n", " my section\t", " K ", "1"},
    {"[S]\nA=1\rB=2\r\nC=3", "S", "B", "2"},           {"[S]\r\nK=ab\0cd\r\nL=2\r\n"s, "S", "K", "ab"},
    {"[S]\r\nK=ab\0cd\r\nL=2\r\n"s, "S", "L", "2"},  {"[S]\0junk\r\n\0K=1\r\nK=2"s, "S", "K", "2"},
    {"[S]\r\nK=" + kAAnsi + "\r\n", "S", "K", kA},   {kBom + "[S]\r\nK=" + kA + "\r\n", "S", "K", kA},
    {"[" + kHyoAnsi + "]\r\n" + kZoAnsi + "=1\r\n", kHyo, kZo, "1"},
    {"[A]" + kZoAnsi + "\r\nK=1\r\n", "A", "K", "1"},
    {"[S]\r\n" + kKataAAnsi + "=1\r\n", "S", kDi, std::nullopt},
    {std::nullopt, "S", "K", std::nullopt},             {"\xFF\xFE[\0S\0]\0"s, "S", "K", std::nullopt}};
// clang-format on

struct PutRow {
  Text file;
  std::string section, key;
  Text value;
  Text expected;
};

// New file, section or key; replacing keeps the line in place and the file's spelling;
// removing takes every line of the key; new lines end like the file's first line.
// clang-format off
inline const std::vector<PutRow> kPutRows = {
    {std::nullopt, "Setting", "QuickCopy", "False", "[Setting]\r\nQuickCopy=False\r\n"},
    {std::nullopt, " Setting ", "\tKey ", "", "[Setting]\r\nKey=\r\n"},
    {kBom, "S", "K", "1", kBom + "[S]\r\nK=1\r\n"},   {"[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
    {"[A]\r\nx=1\r\n\r\n", "B", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
    {"[A]\r\nx=1", "B", "k", "v", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
    {"[A]\r\nx=1\r\n\r\n \t\r\n[B]\r\ny=2\r\n", "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n \t\r\n[B]\r\ny=2\r\n"},
    {"[A]\r\nx=1\r\n; B follows\r\n\r\n[B]\r\n", "a", "z", "3", "[A]\r\nx=1\r\n; B follows\r\nz=3\r\n\r\n[B]\r\n"},
    {"x=1\r\n[A]\r\n", "A", "x", "2", "x=1\r\n[A]\r\nx=2\r\n"},
    {"[A]\r\nx=1\0junk\r\n"s, "A", "x", "2", "[A]\r\nx=2\r\n"},
    {"[setting]\r\nquickcopy=True\r\n", "Setting", "QuickCopy", "False", "[setting]\r\nquickcopy=False\r\n"},
    {"[S]\r\n  K = 1 \r\nL=2\r\n", "S", "k", "3", "[S]\r\nK=3\r\nL=2\r\n"},
    {"[S]\r\nk\r\nL=2\r\n", "S", "K", "1", "[S]\r\nk=1\r\nL=2\r\n"},
    {"[S]\r\nK\r\nK=1\r\n", "S", "K", "2", "[S]\r\nK\r\nK=2\r\n"},
    {"[A]\r\nx=1\r\nx=2\r\n[a]\r\nx=3\r\n", "A", "X", "9", "[A]\r\nx=9\r\nx=2\r\n[a]\r\nx=3\r\n"},
    {"[A]\r\nx=1\r\n", "a", "X", "1", std::nullopt},  {"[A]\r\n x = \"1\" \r\n", "A", "x", "1", std::nullopt},
    {"[A]\r\nx= 1\r\n", "A", "x", " 1", std::nullopt}, {"[A]\r\nx\r\n", "A", "x", std::nullopt, "[A]\r\n"},
    {"[A]\r\nx=1\r\ny=2\r\n", "A", "x", std::nullopt, "[A]\r\ny=2\r\n"},
    {"[A]\r\ny=2\r\nx=1", "A", "x", std::nullopt, "[A]\r\ny=2\r\n"},
    {"[A]\r\nx\r\nx=1\r\ny=2\r\nX=3\r\n[B]\r\nx=4\r\n", "A", "x", std::nullopt, "[A]\r\ny=2\r\n[B]\r\nx=4\r\n"},
    {"[A]\r\nx=1\r\n", "A", "z", std::nullopt, std::nullopt}, {std::nullopt, "A", "x", std::nullopt, std::nullopt},
    {"[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"},     {"[A]\rx=1\r", "B", "k", "v", "[A]\rx=1\r[B]\rk=v\r"},
    {"[A]\nx=1\r\ny=2\r", "A", "z", "3", "[A]\nx=1\r\ny=2\rz=3\n"},
    // Encodings, and text that would read back as other lines, which is not written as such.
    {kBom + "[A]\r\nx=1\r\n", "A", "y", kA, kBom + "[A]\r\nx=1\r\ny=" + kA + "\r\n"},
    {"[A]\r\n", "A", "y", kA, "[A]\r\ny=" + kAAnsi + "\r\n"},  {"\xFF\xFE[\0A\0]\0"s, "A", "x", "1", std::nullopt},
    {std::nullopt, kZo, kHyo, kA, "[" + kZoAnsi + "]\r\n" + kHyoAnsi + "=" + kAAnsi + "\r\n"},
    {"[" + kZoAnsi + "]\r\n" + kKataAAnsi + "=1\r\n", kZo, kDi, "2",
     "[" + kZoAnsi + "]\r\n" + kKataAAnsi + "=1\r\n\x83\x61=2\r\n"},
    {"[A]\r\n", "A", "x", "1\r\n[B]\r\ny=2", "[A]\r\nx=1\r\n"},   {"[A]\r\n", "A", "x", "1\0z"s, "[A]\r\nx=1\r\n"},
    {std::nullopt, "A", "x=y", "1", std::nullopt},  {std::nullopt, "A", ";x", "1", std::nullopt},
    {std::nullopt, "A", "[B]", "1", std::nullopt},  {std::nullopt, "A", " ", "1", std::nullopt},
    {std::nullopt, "A\nB", "x", "1", std::nullopt}};
// clang-format on

// Names a row in a failure message: "get row 3".
inline std::string Row(const GetRow& r) { return "get row " + std::to_string(&r - kGetRows.data()); }
inline std::string Row(const PutRow& r) { return "put row " + std::to_string(&r - kPutRows.data()); }

}  // namespace profile_rows
