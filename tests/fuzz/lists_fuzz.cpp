// Any list file, read by the program, against a model of the format: lines end
// at CR LF, CR or LF, empty lines go, the rest joined and split at commas.
#include <cstdlib>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"
#include "platform/shared/textfile.h"

namespace {

std::vector<std::string> Model(const std::string& text) {
  std::string joined;
  bool any = false;
  for (std::size_t i = 0, end; i < text.size(); i = end + 1) {
    end = std::min(text.find_first_of("\r\n", i), text.size());
    if (end > i) joined += (any ? "," : "") + text.substr(i, end - i), any = true;
  }
  std::vector<std::string> elements{""};
  for (const char c : joined) {
    if (c == ',')
      elements.emplace_back();
    else
      elements.back() += c;
  }
  return any ? elements : std::vector<std::string>{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fake::FakeDesktop desk;
  frmTovu form(desk);
  desk.system.files["/opt/tovu/list1.nl2"].bytes = bytes;
  form.Form_Load();
  const std::vector<std::string> expected = Model(platform::DecodeText(bytes));
  const std::vector<std::string>& list = form.ListData[0];
  // A file with no line of text reads as one element, the failure's description.
  if (expected.empty() ? list.size() != 1 || list[0].find(',') != std::string::npos : list != expected) std::abort();
  if (desk.list.items.size() != list.size() / 2) std::abort();
  for (std::size_t p = 0; p < desk.list.items.size() && p < 64; ++p) {
    desk.list.Select(static_cast<int>(p));
    if (desk.list.items[p] != list[2 * p] || desk.code.text != list[2 * p + 1]) std::abort();
  }
  return 0;
}
