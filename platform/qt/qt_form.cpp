#include "platform/qt/qt_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <utility>

#include "platform/qt/x11_frame.h"
#include "platform/shared/reach.h"

namespace platform {

QtForm::QtForm(FormEvents*& events) : events_(events), menuBar_(new QMenuBar(this)), client_(new QWidget(this)) {
  // The menu bar belongs to the window itself, as on Windows, so that Alt and
  // the access keys reach it wherever the focus is.
  menuBar_->setNativeMenuBar(false);
}

Twips QtForm::Scale() const {
  const QScreen* s = screen();
  return s ? Twips{1440.0 / s->logicalDotsPerInchX(), 1440.0 / s->logicalDotsPerInchY()} : Twips{};
}

void QtForm::SetDesignClientSize(double widthTwips, double heightTwips) {
  const int width = Scale().X(widthTwips), height = Scale().Y(heightTwips);
  resize(width, height + MenuHeight(width));
  asked_ = QRect(pos(), size());
  LayoutClient();
}

void QtForm::SetStaysOnTop(bool on) {
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  // setWindowFlags would hide the window; telling the native window alone
  // changes _NET_WM_STATE_ABOVE in place, and before the first show the flag
  // simply goes with the window when it is created.
  overrideWindowFlags(flags);
  if (QWindow* native = windowHandle()) native->setFlags(flags);
}

QRect QtForm::Outer() const { return framed_ ? frameGeometry() : asked_; }

QSize QtForm::FrameExtra() const {
  if (framed_) return frameGeometry().size() - size();
  return QSize(estimate_.left() + estimate_.right(), estimate_.top() + estimate_.bottom());
}

int QtForm::MenuHeight(int width) const {
  const int height = menuBar_->heightForWidth(width);
  return height >= 0 ? height : menuBar_->sizeHint().height();
}

void QtForm::LayoutClient() {
  const int menu = MenuHeight(width());
  menuBar_->setGeometry(0, 0, width(), menu);
  client_->setGeometry(0, menu, width(), std::max(0, height() - menu));
}

// The client widget is laid out before every Form_Resize (RaiseResize).
double QtForm::ScaleWidth() const { return isMinimized() ? 0 : Scale().FromX(client_->width()); }
double QtForm::ScaleHeight() const { return isMinimized() ? 0 : Scale().FromY(client_->height()); }

int QtForm::WindowState() const {
  if (lost_ || isMinimized()) return StateMinimized;
  if (isMaximized() || isFullScreen()) return StateMaximized;
  return StateNormal;
}

bool QtForm::Movable() const { return !isMinimized() && !isMaximized() && !isFullScreen(); }

bool QtForm::SetLeft(double twips) { return MoveFrame(Scale().WindowX(twips), Qt::Horizontal); }
bool QtForm::SetTop(double twips) { return MoveFrame(Scale().WindowY(twips), Qt::Vertical); }
bool QtForm::SetWidth(double twips) { return SizeFrame(Scale().WindowX(twips), Qt::Horizontal); }
bool QtForm::SetHeight(double twips) { return SizeFrame(Scale().WindowY(twips), Qt::Vertical); }

bool QtForm::PlacesItself() { return !QGuiApplication::platformName().startsWith(u"wayland"); }

bool QtForm::MoveFrame(std::optional<int> pixels, Qt::Orientation along) {
  if (!pixels || !Movable() || (framed_ && !PlacesItself())) return false;
  QPoint at = moveTo_.value_or(Outer().topLeft());
  (along == Qt::Horizontal ? at.rx() : at.ry()) = *pixels;
  if (!framed_) {
    asked_.moveTopLeft(at);
    askedPosition_ = true;
    move(at);  // a window's position is its frame's
  } else {  // one request once the handler is done, none for the place the window has
    if (!moveTo_) QMetaObject::invokeMethod(this, &QtForm::SendMove, Qt::QueuedConnection);
    moveTo_ = at;
  }
  return true;
}

void QtForm::SendMove() {
  if (!moveTo_) return;
  const QPoint at = *std::exchange(moveTo_, std::nullopt);
  if (lost_ || !Movable() || at == Outer().topLeft()) return;
  // Qt's own move would keep the place asked for as the window's; where the window
  // manager takes no request from Tovu itself, Qt's is all there is.
  if (!windowHandle() || !RequestFramePosition(*windowHandle(), at)) move(at);
}

bool QtForm::SizeFrame(std::optional<int> pixels, Qt::Orientation along) {
  if (!pixels || *pixels < 1 || !Movable()) return false;
  QSize size = Outer().size();
  (along == Qt::Horizontal ? size.rwidth() : size.rheight()) = *pixels;
  // Never less than the smallest client area inside the frame and below the menu bar,
  // which a narrower window may wrap into more lines.
  const QSize frame = FrameExtra();
  size.rwidth() =
      std::max(size.width(), static_cast<int>(std::ceil(kMinimumClientTwips / Scale().perPixelX)) + frame.width());
  size.rheight() = std::max(size.height(), static_cast<int>(std::ceil(kMinimumClientTwips / Scale().perPixelY)) +
                                               frame.height() + MenuHeight(size.width() - frame.width()));
  if (!framed_) {
    asked_.setSize(size);
    // The frame is not known until the window is shown; ask for it now, so the
    // window shows at its size at once instead of being corrected after.
    if (!askedSize_) {
      (void)winId();  // the native window, created but not mapped
      estimate_ = RequestFrameExtents(*windowHandle()).value_or(QMargins());
    }
    askedSize_ = true;
  }
  ResizeOuter(size);
  return true;
}

void QtForm::ResizeOuter(QSize outer) {
  const QSize inner = outer - FrameExtra();
  resize(std::max(1, inner.width()), std::max(1, inner.height()));
  // A shown window raised Form_Resize from its resize event already; a hidden
  // one gets no resize event until it is shown.
  RaiseResize(false);
}

void QtForm::RaiseResize(bool always) {
  LayoutClient();
  const QRect outer = Outer();
  const auto now = std::make_tuple(WindowState(), width(), height(), outer.width(), outer.height());
  if (!always && raised_ == now) return;
  raised_ = now;
  events_->Form_Resize();
}

void QtForm::RaiseResizeAfterEvent() {
  QMetaObject::invokeMethod(
      this, [this] { RaiseResize(false); }, Qt::QueuedConnection);
}

void QtForm::KeepInReach() {
  std::vector<ScreenArea> screens;
  for (const QScreen* s : QGuiApplication::screens())
    screens.push_back({PixelRectOf(s->geometry()), PixelRectOf(s->availableGeometry())});
  const QRect outer = Outer();
  const PixelRect reach = InReach(PixelRectOf(outer), framed_ ? y() - frameGeometry().y() : estimate_.top(), screens);
  if (reach.width != outer.width()) (void)SizeFrame(reach.width, Qt::Horizontal);
  if (reach.height != outer.height()) (void)SizeFrame(reach.height, Qt::Vertical);
  if (!PlacesItself()) return;  // the place it was given stays, for the next start where it can take it
  if (reach.left != outer.x()) (void)MoveFrame(reach.left, Qt::Horizontal);
  if (reach.top != outer.y()) (void)MoveFrame(reach.top, Qt::Vertical);
}

void QtForm::Settle() {
  framed_ = true;
  if (askedSize_ && frameGeometry().size() != asked_.size()) {
    const QSize inner = asked_.size() - FrameExtra();
    resize(std::max(1, inner.width()), std::max(1, inner.height()));
  }
  // After the resize, which asks for the size at the place Qt knows.
  if (askedPosition_) {
    moveTo_ = asked_.topLeft();
    SendMove();
  }
  RaiseResize(true);
}

void QtForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutClient();
  // Before the first show settles, the server may still report the size the window
  // was made with; Settle raises for the size the window ends up with.
  if (isVisible() && framed_) RaiseResizeAfterEvent();
}

void QtForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RaiseResizeAfterEvent();
}

void QtForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // The first show lays the window out once, when the frame is known (Settle).
  if (QWindow* native = windowHandle(); native && !framed_) {
    native->installEventFilter(this);
  } else {
    RaiseResize(true);
  }
}

bool QtForm::eventFilter(QObject* watched, QEvent* event) {
  // The first expose comes after the window manager framed the window, so the
  // frame's extents are known from here on.
  if (event->type() == QEvent::Expose && !framed_ && watched == windowHandle() && windowHandle()->isExposed()) {
    windowHandle()->removeEventFilter(this);
    Settle();
  }
  return QWidget::eventFilter(watched, event);
}

void QtForm::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  events_->Form_QueryUnload(cancel, CloseFromWindow);
  if (cancel)
    event->ignore();
  else
    event->accept();
}

}  // namespace platform
