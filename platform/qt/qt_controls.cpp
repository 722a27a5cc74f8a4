#include "platform/qt/qt_controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <cmath>

#include "platform/qt/qt_form.h"
#include "platform/shared/accessible.h"

namespace platform {

int Twips::X(double twips) const { return static_cast<int>(std::lround(twips / form.TwipsPerPixelX())); }
int Twips::Y(double twips) const { return static_cast<int>(std::lround(twips / form.TwipsPerPixelY())); }
double Twips::FromX(int pixels) const { return pixels * form.TwipsPerPixelX(); }

void QtListWidget::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool arrow = key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp ||
                     key == Qt::Key_Home;
  if (arrow && count() > 0 && selectedItems().isEmpty()) {
    setCurrentRow(0);
    return;
  }
  QListWidget::keyPressEvent(event);
}

void QtListWidget::mousePressEvent(QMouseEvent* event) {
  if (!indexAt(event->position().toPoint()).isValid()) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  QListWidget::mousePressEvent(event);
}

QItemSelectionModel::SelectionFlags QtListWidget::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
  const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
  if (index.isValid() && flags & (QItemSelectionModel::Toggle | QItemSelectionModel::Deselect)) {
    return QItemSelectionModel::ClearAndSelect;
  }
  return flags;
}

namespace {
std::u16string_view Units(const QString& text) { return {QStringView(text).utf16(), std::size_t(text.size())}; }
char32_t Folded(char32_t c) { return QChar::toCaseFolded(c); }
}  // namespace

void QtListWidget::AddEntry(const QString& text) {
  addItem(text);
  keys_.push_back(KeysOf(Units(text), Folded));
}

void QtListWidget::ClearEntries() {
  clear();
  keys_.clear();
}

void QtListWidget::keyboardSearch(const QString& search) {
  const std::u16string_view typed = Units(search);
  for (std::size_t i = 0; i < typed.size();) {
    const char32_t c = Folded(NextCharacter(typed, i));
    if (c < U' ') continue;  // Ctrl+Space comes as a NUL, which is no entry's
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    const int next = TypedEntry(keys_, selected.isEmpty() ? -1 : selected.first().row(), c);
    if (next >= 0) setCurrentRow(next);
  }
}

QtListBox::QtListBox(QtListWidget* widget, Twips twips, FormEvents*& events, std::string name)
    : widget_(widget), twips_(twips), name_(std::move(name)) {
  ShowsList("");
  widget_->setSelectionMode(QAbstractItemView::SingleSelection);
  widget_->setUniformItemSizes(true);
  widget_->setSortingEnabled(false);
  QObject::connect(widget_, &QListWidget::itemSelectionChanged, widget_, [&events] { events->lstMain_Click(); });
}

void QtListBox::Clear() {
  const QSignalBlocker quiet(widget_);  // emptying the list is no selection
  widget_->ClearEntries();
  widget_->scrollToTop();  // Qt would keep the old list's place for the new one
}

void QtListBox::AddItem(const std::string& item) { widget_->AddEntry(QString::fromStdString(item)); }

int QtListBox::ListIndex() const {
  const QModelIndexList selected = widget_->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void QtListBox::ShowsList(const std::string& title) {
  // Qt tells assistive technology of the change, so the new title is heard.
  widget_->setAccessibleName(QString::fromStdString(ListBoxName(name_, title)));
}

void QtListBox::SetTop(double v) { widget_->move(widget_->x(), twips_.Y(v)); }
void QtListBox::SetLeft(double v) { widget_->move(twips_.X(v), widget_->y()); }
void QtListBox::SetWidth(double v) { widget_->resize(twips_.X(v), widget_->height()); }
void QtListBox::SetHeight(double v) { widget_->resize(widget_->width(), twips_.Y(v)); }

QtButton::QtButton(QPushButton* widget, Twips twips, FormEvents*& events) : widget_(widget), twips_(twips) {
  QObject::connect(widget_, &QPushButton::clicked, widget_, [&events] { events->cmdCopy_Click(); });
}

QtOptionButton::QtOptionButton(QRadioButton* widget, int index, Twips twips, FormEvents*& events)
    : widget_(widget), twips_(twips) {
  // Raised when the button becomes the selected one, by the user or by code.
  QObject::connect(widget_, &QRadioButton::toggled, widget_, [&events, index](bool on) {
    if (on) events->optList_Click(index);
  });
}

QtMenuItem::QtMenuItem(QAction* action, MenuId id, FormEvents*& events, const bool& quiet,
                       std::function<void()> checked)
    : action_(action), quiet_(quiet), onChecked_(std::move(checked)) {
  Show();
  QObject::connect(action_, &QAction::triggered, action_, [this, &events, id] {
    Show();  // undo Qt's own flip: the handler decides
    RaiseMenuClick(*events, id);
  });
}

void QtMenuItem::SetChecked(bool v) {
  checked_ = v;
  if (quiet_) return;
  Show();
  if (v && onChecked_) onChecked_();
}

void QtMenuItem::Show() {
  action_->setCheckable(checked_);
  action_->setChecked(checked_);
}

QtTimer::QtTimer(QObject* parent, FormEvents*& events) : timer_(new QTimer(parent)) {
  timer_->setTimerType(Qt::CoarseTimer);
  QObject::connect(timer_, &QTimer::timeout, timer_, [&events] { events->tmrPasteMode_Timer(); });
}

void QtTimer::SetInterval(int milliseconds) {
  if (milliseconds <= 0)
    timer_->stop();
  else
    timer_->start(milliseconds);
}

}  // namespace platform
