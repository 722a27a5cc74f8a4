#include "platform/qt/qt_controls.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <cmath>

#include "platform/qt/qt_form.h"
#include "platform/shared/accessible.h"

namespace platform {

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

void QtListWidget::FocusSelected() {
  const QList<QListWidgetItem*> selected = selectedItems();
  if (!QAccessible::isActive() || !hasFocus() || selected.isEmpty()) return;
  QAccessibleEvent focus(this, QAccessible::Focus);
  focus.setChild(row(selected.first()));
  QAccessible::updateAccessibility(&focus);
}

void QtListWidget::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  justFocused_ = true;
  // After Qt has told of the list's own focus.
  QMetaObject::invokeMethod(
      this,
      [this] {
        justFocused_ = false;
        FocusSelected();
      },
      Qt::QueuedConnection);
}

void QtCodeEdit::focusInEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason) {
    QLineEdit::focusInEvent(event);
    return;
  }
  QFocusEvent unselected(QEvent::FocusIn, Qt::OtherFocusReason);
  QLineEdit::focusInEvent(&unselected);
  QMetaObject::invokeMethod(this, &QLineEdit::selectAll, Qt::QueuedConnection);
}

QtListBox::QtListBox(QtListWidget* widget, const QtForm& form, FormEvents*& events, std::string name,
                     const QLineEdit& code, QtNotice& notice)
    : widget_(widget), form_(form), name_(std::move(name)), code_(code), notice_(notice) {
  widget_->setAccessibleName(QString::fromStdString(name_));
  widget_->setSelectionMode(QAbstractItemView::SingleSelection);
  widget_->setUniformItemSizes(true);
  widget_->setSortingEnabled(false);
  QObject::connect(widget_, &QListWidget::itemSelectionChanged, widget_, [this, &events] {
    copies_.Select([&events] { events->lstMain_Click(); });
    Describe();
  });
}

void QtListBox::Describe() {
  if (described_) described_->setData(Qt::AccessibleDescriptionRole, QVariant());
  const QList<QListWidgetItem*> selected = widget_->selectedItems();
  described_ = selected.isEmpty() ? nullptr : selected.first();
  if (!described_) return;
  described_->setData(Qt::AccessibleDescriptionRole,
                      QString::fromStdString(EntryDescription(code_.text().toStdString(), copies_.Copied())));
  widget_->FocusSelected();
}

void QtListBox::Clear() {
  described_ = nullptr;
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
  widget_->setAccessibleName(QString::fromStdString(ListBoxName(name_, title)));
  // A screen reader hears neither the name's change nor the refill of a list, so it is told once the
  // choice is done; not of the window's first list, and not when the focus comes back to the list
  // from the menu, which says its new name.
  if (!widget_->isVisible() || widget_->JustFocused()) return;
  QMetaObject::invokeMethod(
      widget_,
      [this] {
        if (widget_->JustFocused()) return;
        const QListWidgetItem* entry = described_;
        notice_.Say(
            QString::fromStdString(ListNotice(widget_->accessibleName().toStdString(),
                                              entry ? entry->text().toStdString() : "", code_.text().toStdString())));
      },
      Qt::QueuedConnection);
}

void QtListBox::SetTop(double v) { widget_->move(widget_->x(), form_.Scale().Y(v)); }
void QtListBox::SetLeft(double v) { widget_->move(form_.Scale().X(v), widget_->y()); }
void QtListBox::SetWidth(double v) { widget_->resize(form_.Scale().X(v), widget_->height()); }
void QtListBox::SetHeight(double v) { widget_->resize(widget_->width(), form_.Scale().Y(v)); }

QtButton::QtButton(QPushButton* widget, const QtForm& form, FormEvents*& events) : widget_(widget), form_(form) {
  QObject::connect(widget_, &QPushButton::clicked, widget_, [&events] { events->cmdCopy_Click(); });
}

QtOptionButton::QtOptionButton(QRadioButton* widget, int index, const QtForm& form, FormEvents*& events)
    : widget_(widget), form_(form) {
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
