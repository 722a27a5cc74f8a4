#include "platform/qt/qt_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <utility>

namespace platform {
namespace {

// What the factory makes for each object it was told of.
enum class Kind { Notice };

QHash<const QObject*, Kind>& Kinds() {
  static QHash<const QObject*, Kind> kinds;
  return kinds;
}

QAccessibleInterface* Make(const QString&, QObject* object) {
  const auto found = Kinds().constFind(object);
  if (found == Kinds().constEnd()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

// Before Qt makes its own interface for the object, which it then keeps.
void Register(QObject* object, Kind kind) {
  static const bool installed = (QAccessible::installFactory(Make), true);
  (void)installed;
  Kinds().insert(object, kind);
  QObject::connect(object, &QObject::destroyed, [object] { Kinds().remove(object); });
}

}  // namespace

QtNotice::QtNotice(QWidget* parent) : widget_(new QWidget(parent)) {
  Register(widget_, Kind::Notice);
  widget_->setGeometry(0, 0, 0, 0);
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->hide();
}

void QtNotice::Say(const QString& text) {
  const bool waiting = !pending_.isEmpty();
  pending_ = text;
  if (waiting) return;
  QMetaObject::invokeMethod(
      widget_,
      [this] {
        widget_->setAccessibleName(std::exchange(pending_, QString()));
        // A screen reader speaks a notification as it appears; a hidden window shows none.
        if (!widget_->window()->isVisible()) return;
        widget_->show();
        widget_->hide();
      },
      Qt::QueuedConnection);
}

}  // namespace platform
