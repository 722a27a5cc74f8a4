// The handlers that touch files or run on every tick, through the fake
// controls; lists and settings are real files in a scratch folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include "app/frmTovu.h"
#include "bench/bench_support.h"
#include "platform/codepage.h"
#include "platform/files.h"

namespace {

// The longest list the program is built for: 16,383 entries and one name without its code.
constexpr int kElements = 32767;
constexpr int kCrowdedSections = 2000;

struct ListFiles {
  ListFiles() {
    bench::WriteListFiles(folder.path(), kElements);
    for (const std::string& path : bench::ListFilePaths(folder.path())) {
      bytes.push_back(*platform::files::Read(path));
      total += bytes.back().size();
    }
  }
  bench::ScratchFolder folder;
  std::vector<std::string> bytes;
  std::size_t total = 0;
};

const ListFiles& Lists() {
  static const ListFiles lists;
  return lists;
}

// Empties the lists outside the timing: at startup LoadLists fills empty ones,
// it never frees the previous 131,068 strings.
void EmptyLists(frmTovu& form) {
  for (auto& list : form.ListData) std::vector<std::string>().swap(list);
}

bool ListsComplete(const frmTovu& form) {
  for (const auto& list : form.ListData) {
    if (list.size() != static_cast<std::size_t>(kElements)) return false;
  }
  return true;
}

// Drops the files' pages from the page cache, so the next read comes from the disk.
void Evict(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    (void)::fdatasync(fd);
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
  }
}

// Start to finish: open, read, decode, split into lines, join, split at commas.
void BM_LoadLists(benchmark::State& state) {
  const bool cold = state.range(0) != 0;
  const ListFiles& lists = Lists();
  bench::FolderDesktop desktop(lists.folder.path());
  frmTovu form(desktop.fake);
  const std::vector<std::string> paths = bench::ListFilePaths(lists.folder.path());
  for (auto _ : state) {
    state.PauseTiming();
    EmptyLists(form);
    if (cold) Evict(paths);
    state.ResumeTiming();
    form.LoadLists();
  }
  if (!ListsComplete(form)) state.SkipWithError("the lists did not load whole");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lists.total));
  state.SetLabel(cold ? "files, cold page cache" : "files, warm page cache");
}
BENCHMARK(BM_LoadLists)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same handler with the files in the fake's memory: no system calls.
void BM_LoadListsInMemory(benchmark::State& state) {
  const ListFiles& lists = Lists();
  fake::FakeDesktop desktop;
  for (int k = 0; k < 4; ++k) {
    desktop.system.files[desktop.system.programFolder + "/list" + std::to_string(k + 1) + ".nl2"].bytes =
        lists.bytes[k];
  }
  frmTovu form(desktop);
  for (auto _ : state) {
    state.PauseTiming();
    EmptyLists(form);
    state.ResumeTiming();
    form.LoadLists();
  }
  if (!ListsComplete(form)) state.SkipWithError("the lists did not load whole");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lists.total));
}
BENCHMARK(BM_LoadListsInMemory)->Unit(benchmark::kMillisecond);

// Where the time goes: reading and splitting into lines, then decoding alone.
void BM_ReadTextLines(benchmark::State& state) {
  const ListFiles& lists = Lists();
  platform::PosixSystem system({}, lists.folder.path());
  const std::vector<std::string> paths = bench::ListFilePaths(lists.folder.path());
  for (auto _ : state) {
    for (const std::string& path : paths) benchmark::DoNotOptimize(system.ReadTextLines(path));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lists.total));
  state.SetLabel("four files");
}
BENCHMARK(BM_ReadTextLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeLists(benchmark::State& state) {
  const ListFiles& lists = Lists();
  for (auto _ : state) {
    for (const std::string& bytes : lists.bytes) benchmark::DoNotOptimize(codepage::AnsiToUtf8(bytes));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * lists.total));
  state.SetLabel("four files, CP932 to UTF-8");
}
BENCHMARK(BM_DecodeLists)->Unit(benchmark::kMillisecond);

// One sticky-mode tick. Arg 0: the window lies away from the edges, nothing
// moves; arg 1: it lies over the top right corner and is moved both ways on
// every tick, as it is while the user drags it there.
void BM_StickyTick(benchmark::State& state) {
  fake::FakeDesktop desktop;
  frmTovu form(desktop);
  form.mnuPasteMode_Click();
  if (state.range(0) != 0) {
    desktop.window.top = 30 * desktop.screen.tppY;
    desktop.window.left = (1024 - 150) * desktop.screen.tppX;
  }
  for (auto _ : state) {
    desktop.Tick();
    desktop.s.log.clear();  // the fake records every move; keep that record from growing
  }
  state.SetLabel(state.range(0) != 0 ? "fake, snapping" : "fake, nothing to snap");
}
BENCHMARK(BM_StickyTick)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

// The program's own settings file, as it writes it at exit, and the same
// section at the end of a crowded file.
struct SettingsFiles {
  SettingsFiles() {
    bench::FolderDesktop desktop(own.path());
    frmTovu form(desktop.fake);
    form.LoadSettings();
    // Every value present, and the geometry applied at the next start.
    form.mnuModeSave_Click();
    form.mnuWinPosSave_Click();
    form.mnuQCopy_Click();
    form.mnuPasteMode_Click();
    form.mnuExit_Click();
    desktop.system.Flush();
    ownBytes = *platform::files::Read(own.File("tovu.ini"));
    crowdedBytes = bench::CrowdedSettingsBytes(kCrowdedSections, ownBytes);
    bench::WriteFile(crowded.File("tovu.ini"), crowdedBytes);
  }
  const bench::ScratchFolder& Folder(bool isCrowded) const { return isCrowded ? crowded : own; }

  bench::ScratchFolder own, crowded;
  std::string ownBytes, crowdedBytes;
};

SettingsFiles& Settings() {
  static SettingsFiles files;
  return files;
}

std::string SizeLabel(const std::string& bytes, const char* what) {
  return std::string(what) + ", " + std::to_string(bytes.size()) + " bytes";
}

// Ten keys read, each from the file as it stands, and applied to the window.
void BM_LoadSettings(benchmark::State& state) {
  const bool isCrowded = state.range(0) != 0;
  SettingsFiles& files = Settings();
  bench::FolderDesktop desktop(files.Folder(isCrowded).path());
  frmTovu form(desktop.fake);
  for (auto _ : state) {
    form.LoadSettings();
    desktop.fake.s.log.clear();
  }
  if (!form.SettingValues[frmTovu::Setting::Width]) state.SkipWithError("the settings were not read");
  state.SetLabel(SizeLabel(isCrowded ? files.crowdedBytes : files.ownBytes, isCrowded ? "2,000 sections" : "own file"));
}
BENCHMARK(BM_LoadSettings)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Ten keys written and the file replaced once, as at exit. Arg 1 of the second
// argument: one value differs each time, so the file is really replaced; 0:
// nothing changed, so nothing is written.
void BM_SaveSettings(benchmark::State& state) {
  const bool isCrowded = state.range(0) != 0;
  const bool changed = state.range(1) != 0;
  SettingsFiles& files = Settings();
  bench::FolderDesktop desktop(files.Folder(isCrowded).path());
  frmTovu form(desktop.fake);
  form.LoadSettings();
  desktop.fake.s.log.clear();
  form.SaveSettings();
  desktop.system.Flush();
  bool odd = false;
  for (auto _ : state) {
    if (changed) form.SettingValues[frmTovu::Setting::Top] = (odd = !odd) ? "1200" : "1215";
    form.SaveSettings();
    if (!desktop.system.Flush()) {
      state.SkipWithError("the settings file could not be replaced");
      break;
    }
  }
  state.SetLabel(SizeLabel(isCrowded ? files.crowdedBytes : files.ownBytes, isCrowded ? "2,000 sections" : "own file") +
                 (changed ? ", one value changed" : ", unchanged"));
}
BENCHMARK(BM_SaveSettings)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond)->UseRealTime();

// The replacement alone: temporary file, fsync, rename.
void BM_ReplaceFile(benchmark::State& state) {
  const bool isCrowded = state.range(0) != 0;
  SettingsFiles& files = Settings();
  const std::string& bytes = isCrowded ? files.crowdedBytes : files.ownBytes;
  const std::string path = files.Folder(isCrowded).File("replaced.ini");
  for (auto _ : state) {
    if (!platform::files::Replace(path, bytes)) {
      state.SkipWithError("the file could not be replaced");
      break;
    }
  }
  state.SetLabel(SizeLabel(bytes, isCrowded ? "2,000 sections" : "own file"));
}
BENCHMARK(BM_ReplaceFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
