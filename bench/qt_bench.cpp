// The handlers whose cost lies in the toolkit, through the real Qt back end
// (the offscreen platform unless QT_QPA_PLATFORM names another).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "app/frmTovu.h"
#include "bench/bench_support.h"
#include "platform/qt/qt_desktop.h"

namespace {

constexpr int kElements = 32767;  // 16,383 entries and a name without its code
constexpr int kEntries = kElements / 2;

// Counts the list's paints, to know that a refill was drawn.
class PaintCounter final : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

// The window as the program shows it, with four lists of 16,383 entries read
// the program's way from generated files.
struct ShownWindow {
  ShownWindow() : desktop(frmTovu::Design(), system), form(desktop) {
    {
      bench::ScratchFolder folder;
      bench::WriteListFiles(folder.path(), kElements);
      bench::FolderDesktop files(folder.path());
      frmTovu reader(files.fake);
      reader.LoadLists();
      form.ListData = reader.ListData;
    }
    form.mnuViewList_Click(0);
    desktop.Show();
    (void)QTest::qWaitForWindowExposed(&desktop.qtForm());
    list()->viewport()->installEventFilter(&counter);
    QApplication::processEvents();
  }
  platform::QtListWidget* list() { return static_cast<platform::QtListBox&>(desktop.List()).widget(); }
  // What the event loop does after a handler returns: lay out, paint.
  static void Settle() {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
  }

  platform::PosixSystem system{{}};
  platform::QtDesktop desktop;
  frmTovu form;
  PaintCounter counter;
};

// Made on first use, gone before the application object.
std::unique_ptr<ShownWindow> shownWindow;

ShownWindow& Window() {
  if (!shownWindow) shownWindow = std::make_unique<ShownWindow>();
  return *shownWindow;
}

// A menu pick of a list. Arg 0: the list already shown (one refill); arg 1:
// another list, whose option button raises the handler once more inside it
// (two refills), as every pick of another list does. Second arg 1: and the
// event loop's layout and paint that follow.
void BM_ViewList(benchmark::State& state) {
  ShownWindow& window = Window();
  const bool other = state.range(0) != 0;
  const bool settle = state.range(1) != 0;
  int next = 0;
  window.form.mnuViewList_Click(0);
  ShownWindow::Settle();
  window.counter.paints = 0;
  for (auto _ : state) {
    if (other) next = 1 - next;
    window.form.mnuViewList_Click(next);
    if (settle) ShownWindow::Settle();
  }
  if (window.list()->count() != kEntries) state.SkipWithError("the list is not whole");
  state.counters["paints"] = benchmark::Counter(window.counter.paints, benchmark::Counter::kAvgIterations);
  state.SetLabel(std::string(other ? "other list" : "same list") + (settle ? ", laid out and painted" : ""));
}
BENCHMARK(BM_ViewList)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();

// Where a refill's time goes: emptying the widget, converting the names, and
// appending them one by one as the handler does.
void BM_ListClear(benchmark::State& state) {
  ShownWindow& window = Window();
  platform::ListBox& list = window.desktop.List();
  for (auto _ : state) {
    state.PauseTiming();
    window.form.mnuViewList_Click(0);
    state.ResumeTiming();
    list.Clear();
  }
  window.form.mnuViewList_Click(0);
}
BENCHMARK(BM_ListClear)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ListAddItems(benchmark::State& state) {
  ShownWindow& window = Window();
  platform::ListBox& list = window.desktop.List();
  const std::vector<std::string>& data = window.form.ListData[0];
  for (auto _ : state) {
    state.PauseTiming();
    list.Clear();
    state.ResumeTiming();
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) list.AddItem(data[i]);
  }
}
BENCHMARK(BM_ListAddItems)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NamesToQString(benchmark::State& state) {
  const std::vector<std::string>& data = Window().form.ListData[0];
  for (auto _ : state) {
    QStringList names;
    names.reserve(kEntries);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) names.append(QString::fromStdString(data[i]));
    benchmark::DoNotOptimize(names);
  }
}
BENCHMARK(BM_NamesToQString)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same names handed to the widget at once: one insertion for the model
// and the view instead of 16,383.
void BM_ListAddItemsAtOnce(benchmark::State& state) {
  ShownWindow& window = Window();
  platform::QtListWidget* widget = window.list();
  const std::vector<std::string>& data = window.form.ListData[0];
  for (auto _ : state) {
    state.PauseTiming();
    window.desktop.List().Clear();
    state.ResumeTiming();
    QStringList names;
    names.reserve(kEntries);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) names.append(QString::fromStdString(data[i]));
    widget->addItems(names);
  }
  window.form.mnuViewList_Click(0);
}
BENCHMARK(BM_ListAddItemsAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

// A key in a list of 100,000 entries whose only 'z' is the first, moving one
// entry: arg 0, Down from the first; arg 1, a typed 'z' from the second, which
// passes every other entry before it comes around to the first. Each raises
// lstMain_Click and is painted.
void BM_ListKey(benchmark::State& state) {
  ShownWindow& window = Window();
  platform::QtListWidget* list = window.list();
  const bool typed = state.range(0) != 0;
  window.form.ListData[3] = bench::LongList(100000);
  window.form.mnuViewList_Click(3);
  list->setFocus();
  for (auto _ : state) {
    state.PauseTiming();
    list->setCurrentRow(typed ? 1 : 0);
    ShownWindow::Settle();
    state.ResumeTiming();
    typed ? QTest::keyClick(list, 'z') : QTest::keyClick(list, Qt::Key_Down);
    ShownWindow::Settle();
  }
  if (list->currentRow() != (typed ? 0 : 1)) state.SkipWithError("the key went elsewhere");
  state.SetLabel(typed ? "typed z" : "Down");
}
BENCHMARK(BM_ListKey)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One sticky-mode tick on the real window. Arg 0: away from the edges; arg 1:
// over the top right corner, moved both ways on every tick. Second arg 1: and
// the events the moves raise.
void BM_StickyTick(benchmark::State& state) {
  ShownWindow& window = Window();
  platform::Window& me = window.desktop.Form();
  platform::Screen& screen = window.desktop.Display();
  const double x = screen.TwipsPerPixelX(), y = screen.TwipsPerPixelY();
  const bool snapping = state.range(0) != 0;
  const bool settle = state.range(1) != 0;
  // Away: a fifth of the screen in from the top left; snapping: its top in the
  // top tenth, its right edge past the screen's.
  const double left = snapping ? screen.Width() - me.Width() / 2 : screen.Width() / 5;
  const double top = snapping ? 2 * y : screen.Height() / 5;
  if (!me.SetLeft(left) || !me.SetTop(top)) state.SkipWithError("the window cannot be placed");
  ShownWindow::Settle();
  for (auto _ : state) {
    window.form.tmrPasteMode_Timer();
    if (settle) ShownWindow::Settle();
  }
  // Where the window ended, once the window manager's answers to the last
  // moves are in; shown, not asserted.
  QTest::qWait(50);
  const bool snapped = me.Top() == 0 && me.Left() + me.Width() <= screen.Width() + x;
  state.counters["snapped"] = snapped ? 1 : 0;
  state.SetLabel(std::string(snapping ? "snapping" : "nothing to snap") + (settle ? ", with events" : "") + ", " +
                 QGuiApplication::platformName().toStdString());
}
BENCHMARK(BM_StickyTick)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // No display needed; QT_QPA_PLATFORM=xcb measures against a real X server.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  shownWindow.reset();
  return 0;
}
