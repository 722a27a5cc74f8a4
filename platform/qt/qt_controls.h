// The window's controls on Qt Widgets. Each keeps the twips the handlers see
// and turns Qt's signals into the window's handlers.
#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/qt/qt_accessible.h"
#include "platform/qt/qt_form.h"
#include "platform/shared/accessible.h"

namespace platform {

// A list box that selects its first entry on the first arrow key, as a
// Windows list box does, where Qt would skip to the second.
class QtListWidget final : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // A click below the last entry keeps the selection, as on Windows.
  void mousePressEvent(QMouseEvent* event) override;
  // Ctrl+click or Ctrl+Space on the selected entry keeps it selected: a
  // Windows list box with one selection never empties it.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;

 public:
  // Each typed character moves to the entry TypedEntry finds, as on Windows,
  // where Qt would gather the characters typed in a row into one prefix.
  void keyboardSearch(const QString& search) override;
  // Entries come and go through these, which keep what the search looks at.
  void AddEntry(const QString& text);
  void ClearEntries();
  // Tells assistive technology that the selected entry has the focus while the list has it:
  // Qt tells it only when the current entry changes, which the first selection does not.
  void FocusSelected();
  // While the event that gave the list the focus is handled: a screen reader hears its name then.
  bool JustFocused() const { return justFocused_; }

 protected:
  // The selected entry is what a screen reader reads once the list has the focus.
  void focusInEvent(QFocusEvent* event) override;

 private:
  bool justFocused_ = false;
  std::vector<TypedKeys> keys_;
};

// The code box: a screen reader hears its label, then its text, once. Qt selects the
// text as the focus arrives by Tab and only then tells assistive technology of the
// focus, so the selection was heard first; here it follows the focus.
class QtCodeEdit final : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void focusInEvent(QFocusEvent* event) override;
};

class QtListBox final : public ListBox {
 public:
  // name: what assistive technology calls the list box. code: the box the selection's
  // handler writes the entry's code into, which a screen reader hears with the entry.
  QtListBox(QtListWidget* widget, const QtForm& form, FormEvents*& events, std::string name, const QLineEdit& code,
            QtNotice& notice);
  void Clear() override;
  void AddItem(const std::string& item) override;
  int ListIndex() const override;
  void SetTop(double v) override;
  void SetLeft(double v) override;
  void SetWidth(double v) override;
  void SetHeight(double v) override;
  QtListWidget* widget() const { return widget_; }
  // Its name for assistive technology follows the list it shows; a screen reader is
  // told the list, and its selected entry, once the choice is done.
  void ShowsList(const std::string& title);
  // Copies made by the selection's handler (instant copy) are heard with the entry.
  SelectionCopies& Copies() { return copies_; }

 private:
  // The selected entry's description is its code; the others have none.
  void Describe();
  QtListWidget* widget_;
  const QtForm& form_;
  std::string name_;
  const QLineEdit& code_;
  QtNotice& notice_;
  QListWidgetItem* described_ = nullptr;
  SelectionCopies copies_;
};

class QtTextBox final : public TextBox {
 public:
  QtTextBox(QLineEdit* widget, const QtForm& form) : widget_(widget), form_(form) {}
  std::string Text() const override { return widget_->text().toStdString(); }
  void SetText(const std::string& v) override { widget_->setText(QString::fromStdString(v)); }
  double Left() const override { return form_.Scale().FromX(widget_->x()); }
  void SetLeft(double v) override { widget_->move(form_.Scale().X(v), widget_->y()); }
  double Width() const override { return form_.Scale().FromX(widget_->width()); }
  void SetWidth(double v) override { widget_->resize(form_.Scale().X(v), widget_->height()); }
  QLineEdit* widget() const { return widget_; }

 private:
  QLineEdit* widget_;
  const QtForm& form_;
};

class QtLabel final : public Label {
 public:
  QtLabel(QLabel* widget, const QtForm& form) : widget_(widget), form_(form) {}
  double Left() const override { return form_.Scale().FromX(widget_->x()); }
  void SetLeft(double v) override { widget_->move(form_.Scale().X(v), widget_->y()); }

 private:
  QLabel* widget_;
  const QtForm& form_;
};

class QtButton final : public Button {
 public:
  QtButton(QPushButton* widget, const QtForm& form, FormEvents*& events);
  void SetEnabled(bool v) override { widget_->setEnabled(v); }
  void SetLeft(double v) override { widget_->move(form_.Scale().X(v), widget_->y()); }
  void SetWidth(double v) override { widget_->resize(form_.Scale().X(v), widget_->height()); }

 private:
  QPushButton* widget_;
  const QtForm& form_;
};

class QtOptionButton final : public OptionButton {
 public:
  QtOptionButton(QRadioButton* widget, int index, const QtForm& form, FormEvents*& events);
  // Qt clears the others of the group and emits toggled before this returns.
  void SetValue(bool v) override { widget_->setChecked(v); }
  void SetLeft(double v) override { widget_->move(form_.Scale().X(v), widget_->y()); }

 private:
  QRadioButton* widget_;
  const QtForm& form_;
};

// The check mark is this item's own state; Qt shows it, but never flips it.
class QtMenuItem final : public MenuItem {
 public:
  // quiet: while true, the mark is kept but not shown (the display is gone).
  // checked: runs when the handler checks the item (a List item names the list box).
  QtMenuItem(QAction* action, MenuId id, FormEvents*& events, const bool& quiet, std::function<void()> checked = {});
  bool Checked() const override { return checked_; }
  void SetChecked(bool v) override;
  QAction* action() const { return action_; }

 private:
  // Like a Windows menu, an unchecked item shows no check box at all.
  void Show();
  QAction* action_;
  const bool& quiet_;
  std::function<void()> onChecked_;
  bool checked_ = false;
};

class QtTimer final : public Timer {
 public:
  QtTimer(QObject* parent, FormEvents*& events);
  void SetInterval(int milliseconds) override;

 private:
  QTimer* timer_;
};

}  // namespace platform
