// What assistive technology hears of the window beyond Qt's own accessible
// interfaces: passing notices that show nothing on screen. Qt 6.4 has no
// announcement of its own; a screen reader speaks an object of the notification
// role when it appears.
#pragma once

#include <QString>
#include <QWidget>

namespace platform {

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
