// Checks the shipped reference lists list1.nl2 ... list4.nl2 as the program
// reads them: code page 932, CR LF lines, "name,code" entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/textfile.h"

namespace {

// The references each file must hold, in order.
const std::vector<std::vector<std::string>> kExpected = {
    {"Alpha",   "Beta",    "Gamma",  "Delta",    "Epsilon", "Zeta",    "Eta",   "Theta",
     "Iota",    "Kappa",   "Lambda", "Mu",       "Nu",      "Xi",      "Omicron", "Pi",
     "Rho",     "Sigma",   "Tau",    "Upsilon",  "Phi",     "Chi",     "Psi",   "Omega",
     "alpha",   "beta",    "gamma",  "delta",    "epsilon", "zeta",    "eta",   "theta",
     "iota",    "kappa",   "lambda", "mu",       "nu",      "xi",      "omicron", "pi",
     "rho",     "sigmaf",  "sigma",  "tau",      "upsilon", "phi",     "chi",   "psi",
     "omega",   "thetasym", "upsih", "piv"},
    {"fnof",   "bull",   "hellip", "prime",  "Prime",  "oline",  "frasl",  "weierp",
     "image",  "real",   "trade",  "alefsym", "larr",  "uarr",   "rarr",   "darr",
     "harr",   "crarr",  "lArr",   "uArr",   "rArr",   "dArr",   "hArr",   "forall",
     "part",   "exist",  "empty",  "nabla",  "isin",   "notin",  "ni",     "prod",
     "sum",    "minus",  "lowast", "radic",  "prop",   "infin",  "ang",    "and",
     "or",     "cap",    "cup",    "int",    "there4", "sim",    "cong",   "asymp",
     "ne",     "equiv",  "le",     "ge",     "sub",    "sup",    "nsub",   "sube",
     "supe",   "oplus",  "otimes", "perp",   "sdot",   "lceil",  "rceil",  "lfloor",
     "rfloor", "lang",   "rang",   "loz",    "spades", "clubs",  "hearts", "diams"},
    {"quot",  "amp",   "lt",     "gt",     "OElig",  "oelig", "Scaron", "scaron",
     "Yuml",  "circ",  "tilde",  "ensp",   "emsp",   "thinsp", "zwnj",  "zwj",
     "lrm",   "rlm",   "ndash",  "mdash",  "lsquo",  "rsquo", "sbquo", "ldquo",
     "rdquo", "bdquo", "dagger", "Dagger", "permil", "lsaquo", "rsaquo", "euro"},
    {"nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",
     "uml",    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",
     "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",  "para",   "middot",
     "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest",
     "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
     "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",
     "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",
     "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",
     "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
     "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
     "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
     "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"},
};

struct Entry {
  std::string name;
  std::string code;
};

struct List {
  std::string raw;                 // bytes as stored
  std::vector<std::string> lines;  // decoded to UTF-8, without CR LF
};

std::string Path(int number) {
  return std::string(TOVU_DATA_DIR) + "/list" + std::to_string(number) + ".nl2";
}

List Load(int number) {
  std::ifstream in(Path(number), std::ios::binary);
  List list;
  list.raw.assign(std::istreambuf_iterator<char>(in), {});
  const std::string text = codepage::AnsiToUtf8(list.raw);
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    list.lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return list;
}

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> parts;
  std::istringstream in(line + sep);
  for (std::string part; std::getline(in, part, sep);) parts.push_back(part);
  return parts;
}

// Bytes in the UTF-8 character that starts with c.
size_t Utf8Length(unsigned char c) {
  return c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
}

std::vector<Entry> Entries(const List& list) {
  std::vector<Entry> entries;
  for (const std::string& line : list.lines) {
    const std::vector<std::string> parts = Split(line, ',');
    EXPECT_EQ(parts.size(), 2u) << "not a name,code pair: " << line;
    if (parts.size() == 2) entries.push_back({parts[0], parts[1]});
  }
  return entries;
}

// "&alpha;" -> "alpha"; empty if code is not a named reference.
std::string Reference(const std::string& code) {
  if (code.size() < 3 || code.front() != '&' || code.back() != ';') return {};
  std::string ref = code.substr(1, code.size() - 2);
  for (char c : ref)
    if (!std::isalnum(static_cast<unsigned char>(c))) return {};
  return ref;
}

class DataFiles : public ::testing::TestWithParam<int> {};

TEST_P(DataFiles, DecodesCleanlyWithCrLfLines) {
  const List list = Load(GetParam());
  ASSERT_FALSE(list.raw.empty()) << "missing or empty: " << Path(GetParam());
  EXPECT_EQ(codepage::AnsiToUtf8(list.raw).find("\xEF\xBF\xBD"), std::string::npos);
  // Read as code page 932, not taken for UTF-8.
  EXPECT_EQ(platform::DecodeText(list.raw), codepage::AnsiToUtf8(list.raw));
  ASSERT_TRUE(list.raw.ends_with("\r\n")) << "last line must end in CR LF";
  // Every CR and every LF belongs to a CR LF pair.
  size_t pairs = 0;
  for (size_t at = list.raw.find("\r\n"); at != std::string::npos; at = list.raw.find("\r\n", at + 2))
    ++pairs;
  EXPECT_EQ(std::count(list.raw.begin(), list.raw.end(), '\r'), static_cast<std::ptrdiff_t>(pairs));
  EXPECT_EQ(std::count(list.raw.begin(), list.raw.end(), '\n'), static_cast<std::ptrdiff_t>(pairs));
  for (const std::string& line : list.lines) EXPECT_FALSE(line.empty()) << "blank line";
}

TEST_P(DataFiles, EntriesAreNameAndReference) {
  const List list = Load(GetParam());
  for (const Entry& e : Entries(list)) {
    const std::string ref = Reference(e.code);
    ASSERT_FALSE(ref.empty()) << "not a named reference: " << e.code;
    ASSERT_FALSE(e.name.empty()) << "no name for " << e.code;
    // Either "<character> ref" or "ref (description)".
    const bool described = e.name.starts_with(ref + " (") && e.name.ends_with(")") &&
                            e.name.size() > ref.size() + 3;
    const size_t charLength = Utf8Length(static_cast<unsigned char>(e.name[0]));
    const bool shown = e.name.size() == charLength + 1 + ref.size() &&
                       e.name.substr(charLength) == " " + ref && e.name[0] != ' ';
    EXPECT_TRUE(described || shown) << "name does not match " << e.code << ": " << e.name;
  }
}

TEST_P(DataFiles, HoldsExactlyItsGroupInOrder) {
  std::vector<std::string> refs;
  for (const Entry& e : Entries(Load(GetParam()))) refs.push_back(Reference(e.code));
  EXPECT_EQ(refs, kExpected[GetParam() - 1]);
}

INSTANTIATE_TEST_SUITE_P(Lists, DataFiles, ::testing::Values(1, 2, 3, 4));

TEST(DataFilesTogether, ExpectedGroupsAreTheHtml4ReferencesOnce) {
  std::set<std::string> all;
  size_t count = 0;
  for (const auto& group : kExpected) {
    all.insert(group.begin(), group.end());
    count += group.size();
  }
  EXPECT_EQ(count, 252u);
  EXPECT_EQ(all.size(), 252u);
}

// Each reference stands for its own character, so no character is shown twice.
TEST(DataFilesTogether, ShownCharactersAreDistinct) {
  std::set<std::string> shown;
  for (int number = 1; number <= 4; ++number) {
    for (const Entry& e : Entries(Load(number))) {
      if (e.name.ends_with(")")) continue;  // described, not shown
      const std::string ch = e.name.substr(0, e.name.find(' '));
      EXPECT_TRUE(shown.insert(ch).second) << "shown twice: " << e.name;
    }
  }
  EXPECT_GT(shown.size(), 0u);
}

TEST(DataFilesTogether, FirstEntries) {
  const std::vector<Entry> greek = Entries(Load(1));
  ASSERT_FALSE(greek.empty());
  EXPECT_EQ(greek[0].name, "\xCE\x91 Alpha");  // U+0391 GREEK CAPITAL LETTER ALPHA
  EXPECT_EQ(greek[0].code, "&Alpha;");
  const std::vector<Entry> latin1 = Entries(Load(4));
  ASSERT_FALSE(latin1.empty());
  EXPECT_EQ(latin1[0].code, "&nbsp;");
}

}  // namespace
