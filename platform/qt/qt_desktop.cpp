#include "platform/qt/qt_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QSocketNotifier>
#include <QToolTip>
#include <csignal>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include <fcntl.h>
#include <unistd.h>

#include "platform/qt/x11_clipboard.h"
#include "platform/shared/accessible.h"
#include "platform/shared/reach.h"

namespace platform {
namespace {

NullEvents noEvents;
QtDesktop* shown = nullptr;
int signalPipe[2] = {-1, -1};

extern "C" void OnSignal(int) {
  const char byte = 0;
  (void)!::write(signalPipe[1], &byte, 1);  // all a signal handler may safely do
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

QFont FontOf(const FontDesign& design, const QFont& fallback) {
  if (design.name.empty()) return fallback;
  QFont font(Q(design.name));
  font.setPointSizeF(design.points);
  return font;
}

// Menu shortcuts are the window's, as accelerators are on Windows: a control
// with the focus must not keep Ctrl+A or Ctrl+S for itself.
class WindowShortcuts final : public QObject {
 public:
  WindowShortcuts(QObject* parent, QList<QKeySequence> keys) : QObject(parent), keys_(std::move(keys)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride &&
        keys_.contains(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()))) {
      return true;  // left unaccepted, so the shortcut fires
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QList<QKeySequence> keys_;
};

void Place(QWidget* widget, const ControlDesign& design, const Twips& twips) {
  widget->setGeometry(twips.X(design.left), twips.Y(design.top), twips.X(design.width), twips.Y(design.height));
  if (!design.toolTip.empty()) widget->setToolTip(Q(design.toolTip));
}

}  // namespace

// The whole screen the window is on, in pixels: the one holding most of it, not Qt's
// screen of the window, which goes by the window's centre.
QRect QtScreen::Pixels() const {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.isEmpty()) return {};
  std::vector<PixelRect> areas;
  for (const QScreen* s : screens) areas.push_back(PixelRectOf(s->geometry()));
  const Twips twips = form_.Scale();
  const PixelRect frame{twips.X(form_.Left()), twips.Y(form_.Top()), twips.X(form_.Width()), twips.Y(form_.Height())};
  return screens[static_cast<qsizetype>(HoldingScreen(frame, areas))]->geometry();
}

double QtScreen::Width() const { return form_.Scale().FromX(Pixels().width()); }
double QtScreen::Height() const { return form_.Scale().FromY(Pixels().height()); }

void QtClipboard::Clear() { QGuiApplication::clipboard()->clear(QClipboard::Clipboard); }

void QtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(Q(text), QClipboard::Clipboard);
  copied_(text);
}

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = Q(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
    // On Windows *.* matches every file, one without an extension too.
    for (QString& pattern : patterns) {
      if (pattern == u"*.*") pattern = QStringLiteral("*");
    }
    filters << parts[i] + " (" + patterns.join(u' ') + ")";
  }
  return filters;
}

std::optional<std::string> PlatformFor(const char* setting, bool xDisplay) {
  const std::string named = setting ? setting : "";
  const std::string first = named.substr(0, named.find_first_of(";:"));
  if (first == "offscreen" || (xDisplay && first == "xcb")) return std::nullopt;
  if (xDisplay) return "xcb";
  if (!first.empty() && first != "xcb") return std::nullopt;
  return "wayland";
}

bool QtOpenDialog::ShowOpen() {
  QFileDialog dialog(parent_);
  // Qt's own dialog: the same on every desktop, and it takes a typed path.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode((flags_ & kFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filters = NameFilters(filter_);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!fileName_.empty()) dialog.selectFile(Q(fileName_));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return !cancelError_;
  fileName_ = dialog.selectedFiles().first().toStdString();
  return true;
}

void QtWindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int, int, int, int, int) {
  // Only stacking is asked for; position and size stay as they are.
  if (window != form_.hWnd()) return;
  if (insertAfter == InsertTopmost) {
    form_.SetStaysOnTop(true);
  } else if (insertAfter == InsertBottom) {
    form_.SetStaysOnTop(false);
    form_.lower();
  } else if (insertAfter == InsertTop) {
    form_.raise();
  }
}

QtDesktop::QtDesktop(const FormDesign& design, PosixSystem& system)
    : events_(&noEvents),
      form_(std::make_unique<QtForm>(events_)),
      notice_(std::make_unique<QtNotice>(form_->Client())),
      // A copy made while a selection is handled is heard with the entry; any other on its own.
      clipboard_([this](const std::string& text) {
        if (!list_->Copies().Copy()) notice_->Say(Q(CopyNotice(text)));
      }),
      system_(system) {
  AccessibleAsFrame(form_.get());
  // The design's Japanese faces, kept by name, drawn with the IPA fonts of the
  // same metrics.
  QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  form_->setWindowTitle(Q(design.caption));
  form_->setFont(FontOf(design.font, form_->font()));
  // The application's icon, so the open dialog has it too; read once (it is decoded whole).
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tovu.png")));
  BuildControls(design);
  BuildMenus(design);
  timer_ = std::make_unique<QtTimer>(form_.get(), events_);
  dialog_ = std::make_unique<QtOpenDialog>(form_.get());
  screen_ = std::make_unique<QtScreen>(*form_);
  windowSystem_ = std::make_unique<QtWindowSystem>(*form_, [this] { Ended(); });
  form_->SetDesignClientSize(design.clientWidth, design.clientHeight);
  list_->widget()->setFocus();

  // A session that ends closes the window like any other close request.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, form_.get(), [this](QSessionManager&) {
    bool cancel = false;
    events_->Form_QueryUnload(cancel, CloseBySession);
  });
}

// The controls in tab order: list, Copy, code box, then the option buttons.
void QtDesktop::BuildControls(const FormDesign& design) {
  QWidget* client = form_->Client();
  const Twips twips = form_->Scale();
  auto* list = new QtListWidget(client);
  auto* button = new QPushButton(Q(design.cmdCopy.caption), client);
  auto* code = new QtCodeEdit(client);
  auto* label = new QLabel(Q(design.lblCode.caption), client);
  Place(list, design.lstMain, twips);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Place(button, design.cmdCopy, twips);
  Place(code, design.txtCode, twips);
  Place(label, design.lblCode, twips);
  code->setFont(FontOf(design.txtCode.font, code->font()));
  code->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
  label->setFocusPolicy(Qt::NoFocus);
  label->setTextFormat(Qt::PlainText);
  label->setBuddy(code);  // names the code box for assistive technology; no access key to move the focus
  button->setAutoDefault(false);
  list_ = std::make_unique<QtListBox>(list, *form_, events_, design.lstMain.accessibleName, *code, *notice_);
  code_ = std::make_unique<QtTextBox>(code, *form_);
  label_ = std::make_unique<QtLabel>(label, *form_);
  button_ = std::make_unique<QtButton>(button, *form_, events_);

  QWidget* previous = code;
  QWidget::setTabOrder(list, button);
  QWidget::setTabOrder(button, code);
  for (int i = 0; i < 4; ++i) {
    auto* option = new QRadioButton(Q(design.optList[i].caption), client);
    Place(option, design.optList[i], twips);
    option->setFont(FontOf(design.optList[i].font, option->font()));
    QPalette palette = option->palette();  // captions in the window-text colour
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::WindowText));
    option->setPalette(palette);
    option->setChecked(i == 0);
    QWidget::setTabOrder(previous, option);
    previous = option;
    options_[i] = std::make_unique<QtOptionButton>(option, i, *form_, events_);
  }
}

// The menu bar; its shortcuts are the window's wherever the focus is.
void QtDesktop::BuildMenus(const FormDesign& design) {
  menus_.resize(kMenuIdCount);
  QList<QKeySequence> keys;
  for (const MenuDesign& menu : design.menus) BuildMenu(form_->MenuBar(), menu, keys);
  auto* shortcuts = new WindowShortcuts(form_.get(), keys);
  list_->widget()->installEventFilter(shortcuts);
  code_->widget()->installEventFilter(shortcuts);
}

QtDesktop::~QtDesktop() {
  events_ = &noEvents;
  if (shown == this) shown = nullptr;
}

void QtDesktop::Ended() {
  ended_ = true;
  system_.Flush();
  // No handler runs from here on; leaving through the event loop rather than
  // _exit lets Qt hand the clipboard to a clipboard manager.
  events_ = &noEvents;
  if (lost_) return;  // the process is ending already
  timer_->SetInterval(0);
  form_->hide();
  // With no clipboard manager the copied text would leave with the process.
  const std::string folder = system_.ProgramFolder();
  if (!folder.empty()) KeepClipboard(folder + (folder.ends_with('/') ? "" : "/") + "tovu-clipboard");
  QCoreApplication::exit(0);
}

void QtDesktop::ExitWithoutEnd() {
  QtDesktop* desktop = shown;
  if (!desktop || desktop->ended_) return;
  desktop->lost_ = true;
  desktop->form_->SetLost();
  bool cancel = false;
  desktop->events_->Form_QueryUnload(cancel, CloseBySession);
}

void QtDesktop::SaveOnEveryEnding() {
  shown = this;
  // Once a process: the exit handler, the pipe and the signal handlers.
  static const bool caught = [] {
    std::atexit(ExitWithoutEnd);
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
      // One ignored when the program started (nohup) stays ignored.
      struct sigaction old {};
      if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
      ::sigaction(signal, &action, nullptr);
    }
    return true;
  }();
  if (!caught) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, form_.get());
  QObject::connect(notifier, &QSocketNotifier::activated, form_.get(), [this] {
    char byte;
    while (::read(signalPipe[0], &byte, 1) > 0) {
    }
    bool cancel = false;
    events_->Form_QueryUnload(cancel, CloseBySession);
  });
}

template <typename Parent>
void QtDesktop::BuildMenu(Parent* parent, const MenuDesign& design, QList<QKeySequence>& shortcuts) {
  if (design.caption == "-") {
    AccessibleMenuItem(parent->addSeparator(), false);
  } else if (!design.items.empty()) {
    QMenu* menu = parent->addMenu(Q(design.caption));
    AccessibleMenu(menu);
    menu->setAccessibleName(Q(CaptionWords(design.caption)));
    if constexpr (std::is_same_v<Parent, QMenu>) AccessibleMenuItem(menu->menuAction(), false);
    for (const MenuDesign& item : design.items) BuildMenu(menu, item, shortcuts);
  } else {
    QAction* action = parent->addAction(Q(design.caption));
    AccessibleMenuItem(action, Checkable(design.id));
    if (!design.shortcut.empty()) {
      shortcuts << QKeySequence(Q(design.shortcut));
      action->setShortcut(shortcuts.back());
      action->setShortcutContext(Qt::WindowShortcut);
      form_->addAction(action);  // works wherever the focus is in the window
    }
    // Where the window cannot place itself these modes would do nothing: their
    // marks stay as read, for the next start where they work.
    if (!QtForm::PlacesItself() &&
        (design.id == MenuId::mnuTopPos || design.id == MenuId::mnuPasteMode || design.id == MenuId::mnuWinPosSave)) {
      action->setEnabled(false);
    }
    std::function<void()> checked;
    if (ListOf(design.id) >= 0) checked = [this, title = CaptionWords(design.caption)] { list_->ShowsList(title); };
    menus_[static_cast<int>(design.id)] = std::make_unique<QtMenuItem>(action, design.id, events_, lost_, checked);
  }
}

void QtDesktop::Show() {
  form_->KeepInReach();
  SaveOnEveryEnding();
  form_->show();
  form_->activateWindow();
  list_->widget()->setFocus();
}

}  // namespace platform
