#include "platform/qt/qt_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <utility>

namespace platform {
namespace {

// What the factory makes for each object it was told of.
enum class Kind { Frame, Notice, Menu, Item, CheckItem };

QHash<const QObject*, Kind>& Kinds() {
  static QHash<const QObject*, Kind> kinds;
  return kinds;
}

// Qt's own menu item, with a check box while it may be checked, the shortcut where a
// screen reader looks for it, and a submenu that says whether it is open.
class MenuItemInterface final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  MenuItemInterface(QAction* action, bool checkable) : action_(action), checkable_(checkable) {}

  bool isValid() const override { return action_ && Owner(); }
  QObject* object() const override { return action_; }
  QWindow* window() const override { return Owner() ? Owner()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(Owner()); }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && action_->menu() ? QAccessible::queryAccessibleInterface(action_->menu()) : nullptr;
  }
  int childCount() const override { return action_->menu() ? 1 : 0; }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child->object() == action_->menu() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return QString(action_->text()).remove(u'&');
    if (kind == QAccessible::Accelerator) return action_->shortcut().toString();
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    QMenu* menu = Owner();
    return menu ? menu->actionGeometry(action_).translated(menu->mapToGlobal(QPoint(0, 0))) : QRect();
  }
  // Qt 6.4's bridge has no check menu item and drops the checkable state, so an item that may be
  // checked is a check box, which a screen reader says is checked or not.
  QAccessible::Role role() const override {
    if (action_->isSeparator()) return QAccessible::Separator;
    return checkable_ ? QAccessible::CheckBox : QAccessible::MenuItem;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    QMenu* menu = Owner();
    state.invisible = !menu || !menu->isVisible() || !action_->isVisible();
    state.focused = menu && menu->activeAction() == action_;
    state.hotTracked = menu && menu->style()->styleHint(QStyle::SH_Menu_MouseTracking);
    state.disabled = !action_->isEnabled();
    state.checkable = checkable_;
    state.checked = action_->isChecked();
    if (QMenu* submenu = action_->menu()) {
      state.expandable = true;
      state.expanded = submenu->isVisible();
      state.collapsed = !state.expanded;
    }
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {action_->menu() ? showMenuAction() : pressAction()}; }
  void doAction(const QString& name) override {
    if (!action_->isEnabled()) return;
    if (name == pressAction()) action_->trigger();
    if (name == showMenuAction() && Owner()) Owner()->setActiveAction(action_);
  }
  // "mnemonic;path;accelerator", the form screen readers read a menu item's keys in.
  QStringList keyBindingsForAction(const QString&) const override {
    const QString caption = action_->text();
    const qsizetype amp = caption.indexOf(u'&');
    const QString mnemonic = amp >= 0 && amp + 1 < caption.size() ? caption.mid(amp + 1, 1) : QString();
    return {mnemonic, QString(), action_->shortcut().toString()};
  }

 private:
  QMenu* Owner() const {
    if (action_) {
      for (QObject* holder : action_->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(holder)) return menu;
      }
    }
    return nullptr;
  }

  QPointer<QAction> action_;
  bool checkable_;
};

// Qt's own menu finds only children of its own roles; this one finds any of its items.
class MenuInterface final : public QAccessibleWidget {
 public:
  explicit MenuInterface(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

  int childCount() const override { return static_cast<int>(Menu()->actions().size()); }
  QAccessibleInterface* child(int index) const override {
    QAction* action = Menu()->actions().value(index);
    return action ? QAccessible::queryAccessibleInterface(action) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? static_cast<int>(Menu()->actions().indexOf(qobject_cast<QAction*>(child->object()))) : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAction* action = Menu()->actionAt(Menu()->mapFromGlobal(QPoint(x, y)));
    return action ? QAccessible::queryAccessibleInterface(action) : nullptr;
  }
  // The item that opens it, in the menu bar or in another menu.
  QAccessibleInterface* parent() const override {
    QAction* opener = Menu()->menuAction();
    for (QObject* holder : opener->associatedObjects()) {
      auto* widget = qobject_cast<QWidget*>(holder);
      const auto index = widget ? widget->actions().indexOf(opener) : -1;
      QAccessibleInterface* owner = index >= 0 ? QAccessible::queryAccessibleInterface(widget) : nullptr;
      if (owner) return owner->child(static_cast<int>(index));
    }
    return QAccessibleWidget::parent();
  }

 private:
  QMenu* Menu() const { return static_cast<QMenu*>(widget()); }
};

QAccessibleInterface* Make(const QString&, QObject* object) {
  const auto found = Kinds().constFind(object);
  if (found == Kinds().constEnd()) return nullptr;
  switch (*found) {
    case Kind::Frame: return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    case Kind::Notice: return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    case Kind::Menu: return new MenuInterface(static_cast<QMenu*>(object));
    case Kind::Item: return new MenuItemInterface(static_cast<QAction*>(object), false);
    case Kind::CheckItem: return new MenuItemInterface(static_cast<QAction*>(object), true);
  }
  return nullptr;
}

// Before Qt makes its own interface for the object, which it then keeps.
void Register(QObject* object, Kind kind) {
  static const bool installed = (QAccessible::installFactory(Make), true);
  (void)installed;
  Kinds().insert(object, kind);
  QObject::connect(object, &QObject::destroyed, [object] { Kinds().remove(object); });
}

}  // namespace

void AccessibleAsFrame(QWidget* window) { Register(window, Kind::Frame); }

void AccessibleMenu(QMenu* menu) { Register(menu, Kind::Menu); }

void AccessibleMenuItem(QAction* action, bool checkable) { Register(action, checkable ? Kind::CheckItem : Kind::Item); }

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
