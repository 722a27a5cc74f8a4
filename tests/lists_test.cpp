#include "handlers.h"
#include "platform/codepage.h"

class ListsTest : public Handlers {};

// The list chosen, its one mark and option, the selection and the code box.
static std::string Choice(Program& run) {
  std::string marks;
  for (int i = 0; i < 4; ++i) marks += run.desk.menus[static_cast<int>(MenuId::mnuViewList0) + i].checked ? "1" : "0";
  return std::to_string(run.form.CurrentList) + " " + marks + " " + std::to_string(run.desk.selectedOption) + " " +
         std::to_string(run.desk.list.index) + " " + run.desk.code.text;
}

// Every entry of the list shown, selected in turn: name=code.
static Lines Entries(Program& run) {
  Lines entries;
  for (std::size_t i = 0; i < run.desk.list.items.size(); ++i) {
    run.desk.list.Select(static_cast<int>(i));
    entries.push_back(run.desk.list.items[i] + "=" + run.desk.code.text);
  }
  return entries;
}

// The second list from each file, chosen from the menu, then the third by its option; the lists
// around it stay as they are. A choice shows nothing selected and keeps the code box, also a code
// typed there, which a click with nothing selected leaves too.
TEST_F(ListsTest, EachFileGivesItsEntriesAndABadOneAListWithoutEntries) {
  const Lines greek = {"Α=&Alpha;", "表=&#34920;", "  =&nbsp;"};
  const std::string utf8[] = {"Α,&Alpha;,表,&#34920;,  ,&nbsp;", "Α,&Alpha;\r\n表,&#34920;\r\n  ,&nbsp;\r\n",
                              "Α\r\n&Alpha;\r\n表\r\n&#34920;\r\n  \r\n&nbsp;",
                              "\r\n\r\nΑ,&Alpha;\r\n\r\n\n\r表\r\n&#34920;\r\n\r\n  ,&nbsp;\r\n\r\n\r\n"};
  std::vector<std::pair<std::optional<fake::FakeFile>, Lines>> rows;
  for (const std::string& text : utf8) rows.push_back({fake::FakeFile{codepage::Utf8ToAnsi(text)}, greek});
  // As today's editors save it: UTF-8, with a byte order mark or without.
  rows.push_back({fake::FakeFile{"\xEF\xBB\xBF" + utf8[1]}, greek});
  rows.push_back({fake::FakeFile{utf8[2]}, greek});
  // Notepad's "Unicode", little or big endian; UTF-8 with a stray byte; a NUL; code page 932
  // text that holds runs of valid UTF-8 ("ﾃｽ" is C3 BD, "ý" in UTF-8) stays code page 932.
  const auto utf16 = [](std::u16string_view text, bool big) {
    std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t c : text)
      bytes += big ? std::string{char(c >> 8), char(c)} : std::string{char(c), char(c >> 8)};
    return fake::FakeFile{bytes};
  };
  rows.push_back({utf16(u"Α,&Alpha;\r\n表,&#34920;\r\n  ,&nbsp;\r\n", false), greek});
  rows.push_back({utf16(u"\U0001F600,&x\xD800;", true), {"\U0001F600=&x\uFFFD;"}});
  rows.push_back({fake::FakeFile{"矢印,→\r\nlatin1,caf\xe9"}, {"矢印=→", "latin1=caf\uFFFD"}});
  rows.push_back({fake::FakeFile{std::string("a\0b,\0", 5)}, {"a\uFFFDb=\uFFFD"}});
  rows.push_back({fake::FakeFile{codepage::Utf8ToAnsi("ﾃｽﾄ,&t;\r\nひらがな,&h;")}, {"ﾃｽﾄ=&t;", "ひらがな=&h;"}});
  // A trailing comma shifts the roles; a last name without its code is no entry.
  rows.push_back({fake::FakeFile{"A,\r\n1\r\nB,2"}, {"A=", "1=B"}});
  rows.push_back({fake::FakeFile{"A,1,B"}, {"A=1"}});
  for (const char* bad : {"only", "", "\r\n\r\n\n\r"}) rows.push_back({fake::FakeFile{bad}, {}});
  rows.push_back({fake::FakeFile{"", false, true}, {}});  // a folder
  rows.push_back({std::nullopt, {}});
  // Beyond 32,767 entries each still has its own code.
  rows.push_back({fake::FakeFile{}, {}});
  for (int p = 0; p < 35000; ++p) {
    rows.back().first->bytes += "n" + std::to_string(p) + ",c" + std::to_string(p) + "\r\n";
    rows.back().second.push_back("n" + std::to_string(p) + "=c" + std::to_string(p));
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    Program run;
    run.File("list1.nl2", "A,1");
    if (rows[i].first) run.desk.system.files["/opt/tovu/list2.nl2"] = *rows[i].first;
    run.File("list3.nl2", "C,3");
    run.form.Form_Load();
    run.desk.code.text = "typed", run.form.lstMain_Click();
    EXPECT_EQ("0 1000 0 -1 typed", Choice(run)) << "row " << i + 1;
    run.desk.Choose(MenuId::mnuViewList1);
    EXPECT_EQ("1 0100 1 -1 typed", Choice(run)) << "row " << i + 1;
    EXPECT_EQ(rows[i].second, Entries(run)) << "row " << i + 1;
    const std::string kept = run.desk.code.text;
    run.desk.options[2]->Click();
    EXPECT_EQ("2 0010 2 -1 " + kept, Choice(run)) << "row " << i + 1;
    EXPECT_EQ(Lines{"C=3"}, Entries(run)) << "row " << i + 1;
    EXPECT_EQ((Lines{"A", "1"}), run.form.ListData[0]) << "row " << i + 1;
  }
}
