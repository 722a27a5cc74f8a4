// The main window on Qt: a top-level widget with a menu bar and a client area
// below it, its geometry in twips as the handlers see it.
#pragma once

#include <QMargins>
#include <QRect>
#include <QWidget>
#include <optional>
#include <tuple>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/shared/reach.h"
#include "platform/shared/twips.h"

class QMenuBar;

namespace platform {

inline PixelRect PixelRectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

class QtForm final : public QWidget, public Window {
 public:
  explicit QtForm(FormEvents*& events);

  QMenuBar* MenuBar() const { return menuBar_; }
  QWidget* Client() const { return client_; }
  // Twips per pixel at the logical resolution of the window's screen.
  Twips Scale() const;
  // Sets the client area below the menu bar, before the window is shown.
  void SetDesignClientSize(double widthTwips, double heightTwips);
  void SetStaysOnTop(bool on);
  // Before the first show: a window restored off every screen, or larger than
  // the screen, is brought within reach (see InReach).
  void KeepInReach();
  // The display is gone: the window can no longer be asked, and is taken for
  // one that is not normal, so that its last recorded geometry stands.
  void SetLost() { lost_ = true; }
  // False where the window system keeps windows where it likes (Wayland): the
  // window stays where it was given, and a move once shown is refused.
  static bool PlacesItself();

  double Left() const override { return Scale().FromX(Outer().x()); }
  double Top() const override { return Scale().FromY(Outer().y()); }
  double Width() const override { return Scale().FromX(Outer().width()); }
  double Height() const override { return Scale().FromY(Outer().height()); }
  bool SetLeft(double twips) override;
  bool SetTop(double twips) override;
  bool SetWidth(double twips) override;
  bool SetHeight(double twips) override;
  double ScaleLeft() const override { return 0; }
  double ScaleTop() const override { return 0; }
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  int WindowState() const override;
  WindowHandle hWnd() const override { return reinterpret_cast<WindowHandle>(this); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The outer frame in pixels, as the window system last told it (Qt's own
  // geometry, which no move request is let to change: see SendMove). Until the
  // window manager has framed the window the frame is unknown, so the geometry
  // asked for stands in for it.
  QRect Outer() const;
  QSize FrameExtra() const;  // outer size less this widget's size
  int MenuHeight(int width) const;
  void LayoutClient();
  bool Movable() const;
  // Moves or sizes the frame along one axis; false when the window refuses.
  bool MoveFrame(std::optional<int> pixels, Qt::Orientation along);
  bool SizeFrame(std::optional<int> pixels, Qt::Orientation along);
  void ResizeOuter(QSize outer);
  // Raises Form_Resize when the state or a size changed since the last time.
  void RaiseResize(bool always);
  // The same once the event at hand is done: a move that came with a resize
  // arrives after it, and Form_Resize must see the new position.
  void RaiseResizeAfterEvent();
  // Once framed, puts the frame where it was asked to be.
  void Settle();
  // Asks for the frame at the place the moves of the event at hand ended at,
  // once that event is done: one request, and none for the place it has.
  void SendMove();

  FormEvents*& events_;
  QMenuBar* menuBar_;
  QWidget* client_;
  bool shown_ = false;
  bool framed_ = false;
  QRect asked_;  // outer geometry asked for before the window was framed
  bool askedPosition_ = false;
  bool askedSize_ = false;
  std::optional<QPoint> moveTo_;  // the moves of the event at hand, once framed
  QMargins estimate_;             // the frame as the window manager announced it before the first show
  bool lost_ = false;
  std::optional<std::tuple<int, int, int, int, int>> raised_;
};

}  // namespace platform
