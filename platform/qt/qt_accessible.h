// What assistive technology hears of the window beyond Qt's own accessible
// interfaces: the window as a frame, menu items with their check box and
// shortcut, and passing notices that show nothing on screen. Qt 6.4 has no
// announcement of its own; a screen reader speaks an object of the notification
// role when it appears.
#pragma once

#include <QAction>
#include <QMenu>
#include <QString>
#include <QWidget>

namespace platform {

// The window is a frame to assistive technology (Qt calls a plain top-level widget a filler).
void AccessibleAsFrame(QWidget* window);

// A menu that holds items of AccessibleMenuItem: each of its actions must be one (separators too).
void AccessibleMenu(QMenu* menu);
// A menu item as a screen reader expects it: a check box of its own when checkable (checked or
// not, where Qt's says only "checked", as the menu draws a box only then), its shortcut as the
// accelerator, and whether its submenu is open.
void AccessibleMenuItem(QAction* action, bool checkable);

// Tells a screen reader a short text and shows nothing: an empty widget of the notification
// role, shown and hidden again.
class QtNotice {
 public:
  explicit QtNotice(QWidget* parent);
  // Once the event at hand is done, so that what caused it is heard first; of the texts
  // said meanwhile, the last.
  void Say(const QString& text);

 private:
  QWidget* widget_;
  QString pending_;
};

}  // namespace platform
