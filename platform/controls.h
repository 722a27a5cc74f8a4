// The window and its controls, as the handlers use them. Geometry is in twips
// (1/1440 inch), floating point. Each operation says what it raises.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

using WindowHandle = std::intptr_t;

enum WindowStates { StateNormal = 0, StateMinimized = 1, StateMaximized = 2 };

// Where SetWindowPos puts a window in the stacking order.
enum InsertAfter : WindowHandle { InsertTop = 0, InsertBottom = 1, InsertTopmost = -1 };
// SetWindowPos flags.
constexpr int kKeepSize = 1, kKeepPlace = 2;

// OpenDialog flags: only an existing file can be chosen.
constexpr int kFileMustExist = 0x1000;

// The smallest client area a program's size write leaves, each way: room for the top
// of the list, the code box and Copy, whatever a settings file said.
constexpr double kMinimumClientTwips = 1440;

struct Window {
  virtual ~Window() = default;
  // The outer frame, relative to the screen.
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  // False when the window system refuses the move (for example while the window
  // is maximised, or a position its coordinates cannot hold). Raise nothing.
  [[nodiscard]] virtual bool SetLeft(double twips) = 0;
  [[nodiscard]] virtual bool SetTop(double twips) = 0;
  // False for a size the window cannot take (zero, negative, too large); a size
  // that would leave less than the smallest client area is raised to leave it.
  // Raise Form_Resize before returning when the size changes.
  [[nodiscard]] virtual bool SetWidth(double twips) = 0;
  [[nodiscard]] virtual bool SetHeight(double twips) = 0;
  // The client area below the menu bar; 0 x 0 while minimised.
  virtual double ScaleLeft() const = 0;
  virtual double ScaleTop() const = 0;
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  virtual int WindowState() const = 0;
  virtual WindowHandle hWnd() const = 0;
};

struct ListBox {
  virtual ~ListBox() = default;
  virtual void Clear() = 0;                           // raises nothing
  virtual void AddItem(const std::string& item) = 0;  // appends; raises nothing
  virtual int ListIndex() const = 0;                  // -1 when nothing is selected
  virtual void SetTop(double) = 0;
  virtual void SetLeft(double) = 0;
  virtual void SetWidth(double) = 0;
  virtual void SetHeight(double) = 0;
};

struct TextBox {
  virtual ~TextBox() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string&) = 0;
  virtual double Left() const = 0;
  virtual void SetLeft(double) = 0;
  virtual double Width() const = 0;
  virtual void SetWidth(double) = 0;
};

struct Label {
  virtual ~Label() = default;
  virtual double Left() const = 0;  // as the toolkit placed it
  virtual void SetLeft(double) = 0;
};

struct Button {
  virtual ~Button() = default;
  virtual void SetEnabled(bool) = 0;
  virtual void SetLeft(double) = 0;
  virtual void SetWidth(double) = 0;
};

struct OptionButton {
  virtual ~OptionButton() = default;
  // Selects this button and clears the others of its group; raises
  // optList_Click for its index when that changes the selection.
  virtual void SetValue(bool) = 0;
  virtual void SetLeft(double) = 0;
};

struct MenuItem {
  virtual ~MenuItem() = default;
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool) = 0;  // raises nothing
};

struct Timer {
  virtual ~Timer() = default;
  // 0 stops the ticks; a positive interval raises tmrPasteMode_Timer every that
  // many milliseconds on the user-interface thread.
  virtual void SetInterval(int milliseconds) = 0;
};

// The monitor that holds the window (the one with most of it, else the nearest), in
// twips from the primary monitor's top left corner.
struct Screen {
  virtual ~Screen() = default;
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual double TwipsPerPixelX() const = 0;
  virtual double TwipsPerPixelY() const = 0;
};

struct Clipboard {
  virtual ~Clipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const std::string&) = 0;  // plain text
};

struct OpenDialog {
  virtual ~OpenDialog() = default;
  virtual void SetCancelError(bool) = 0;
  virtual void SetFilter(const std::string&) = 0;  // "desc|patterns|desc|patterns|"
  virtual void SetFlags(int) = 0;
  // Modal. False when the user cancels and CancelError is set.
  [[nodiscard]] virtual bool ShowOpen() = 0;
  virtual std::string FileName() const = 0;  // kept between uses
};

// The properties a back end's open dialog keeps between shows; showing is its own.
class OpenDialogBase : public OpenDialog {
 public:
  void SetCancelError(bool v) override { cancelError_ = v; }
  void SetFilter(const std::string& v) override { filter_ = v; }
  void SetFlags(int v) override { flags_ = v; }
  std::string FileName() const override { return fileName_; }

 protected:
  bool cancelError_ = false;
  std::string filter_;
  int flags_ = 0;
  std::string fileName_;
};

// The window system's own calls, beside the window's properties.
struct WindowSystem {
  virtual ~WindowSystem() = default;
  // Re-stacks a window; kKeepSize | kKeepPlace keep its place and size. Raises nothing.
  virtual void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, int flags) = 0;
  // Ends the program: settings written before it are on the disk when it returns, and no
  // handler runs after it.
  virtual void End() = 0;
};

}  // namespace platform
