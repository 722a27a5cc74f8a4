// The handlers whose cost lies in the files and the list box, on the real
// Win32 back end under its own message loop: loading four lists of 32,767
// elements, and showing a list of 16,383 entries. Prints medians; asserts
// nothing. (No Google Benchmark is packaged for mingw.)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/frmTovu.h"
#include "bench/bench_support.h"
#include "platform/files.h"
#include "platform/program.h"
#include "platform/shared/textfile.h"
#include "platform/win32/win32_desktop.h"

namespace {

constexpr int kElements = 32767;

// Runs body `runs` times, each after prepare, and prints the median and the
// fastest in milliseconds.
void Measure(const char* name, int runs, const std::function<void()>& prepare, const std::function<void()>& body) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    body();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("%-44s median %8.2f ms   min %8.2f ms   (%d runs)\n", name, times[times.size() / 2], times.front(), runs);
}

// What the message loop does after a handler: paint, until nothing is left.
void Settle() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int main() {
  bench::ScratchFolder folder;
  bench::WriteListFiles(folder.path(), kElements);
  platform::Win32System system(folder.path());
  platform::Win32Desktop desktop(GetModuleHandleW(nullptr), platform::ProgramDesign(), system);
  frmTovu form(desktop);

  const auto nothing = [] {};
  const auto empty = [&] {
    for (auto& list : form.ListData) std::vector<std::string>().swap(list);
  };
  Measure("LoadLists, 4 x 32,767 elements", 15, empty, [&] { form.LoadLists(); });
  std::vector<std::string> bytes;
  for (const std::string& path : bench::ListFilePaths(folder.path())) bytes.push_back(*platform::files::Read(path));
  Measure("  reading the four files", 15, nothing, [&] {
    for (const std::string& path : bench::ListFilePaths(folder.path())) (void)platform::files::Read(path);
  });
  Measure("  decoding them (code page 932 to UTF-8)", 15, nothing, [&] {
    for (const std::string& b : bytes) (void)platform::DecodeText(b);
  });
  Measure("  reading, decoding and splitting into lines", 15, nothing, [&] {
    for (const std::string& path : bench::ListFilePaths(folder.path())) (void)system.ReadTextLines(path);
  });
  for (const auto& list : form.ListData) {
    if (list.size() != kElements) std::printf("the lists did not load whole\n");
  }
  form.mnuViewList_Click(0);
  desktop.Show();
  Settle();
  int next = 0;
  const auto other = [&] { next = 1 - next; };
  Measure("list switch, 16,383 entries, handler only", 15, other, [&] { form.mnuViewList_Click(next); });
  Measure("list switch, 16,383 entries, inserted, painted", 15, other, [&] {
    form.mnuViewList_Click(next);
    Settle();
  });
  Measure("the same list again, painted", 15, nothing, [&] {
    form.mnuViewList_Click(next);
    Settle();
  });
  // A key in a list of 100,000 entries whose only 'z' is the first, moving one
  // entry: Down from the first, and a typed 'z' from the second, which passes
  // every other entry before it comes around to the first.
  form.ListData[3] = bench::LongList(100000);
  form.mnuViewList_Click(3);
  Settle();
  const HWND list = static_cast<platform::Win32ListBox&>(desktop.List()).hwnd();
  const auto select = [&](int entry) {
    SendMessageW(list, LB_SETCURSEL, entry, 0);
    Settle();
  };
  Measure(
      "Down, 100,000 entries, painted", 15, [&] { select(0); },
      [&] {
        SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
        Settle();
      });
  Measure(
      "typed z, 100,000 entries, painted", 15, [&] { select(1); },
      [&] {
        SendMessageW(list, WM_CHAR, L'z', 0);
        Settle();
      });
  if (SendMessageW(list, LB_GETCURSEL, 0, 0) != 0) std::printf("the typed z went elsewhere\n");
  return 0;
}
