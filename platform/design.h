// The window's design as data: the back ends build their window from it, so
// captions, fonts and geometry are written once, by the window itself.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace platform {

struct FontDesign {
  std::string name;  // empty: the toolkit's default user-interface font
  double points = 0;
};

struct ControlDesign {
  std::string caption;                              // "&" marks the access key
  double left = 0, top = 0, width = 0, height = 0;  // twips
  FontDesign font;
  std::string toolTip;
  // What assistive technology calls a control that neither its caption nor a label names.
  std::string accessibleName;
};

// Every menu item that carries a handler or a check mark.
// clang-format off
enum class MenuId {
  None,  // submenus and separators
  mnuNew, mnuOpen, mnuExit,
  mnuViewList0, mnuViewList1, mnuViewList2, mnuViewList3,
  mnuQCopy, mnuTopPos, mnuPasteMode,
  mnuUpMemo, mnuModeSave, mnuWinPosSave,
};
// clang-format on
constexpr int kMenuIdCount = static_cast<int>(MenuId::mnuWinPosSave) + 1;

// The list a List menu item chooses (0 to 3), or -1.
constexpr int ListOf(MenuId id) {
  const int list = static_cast<int>(id) - static_cast<int>(MenuId::mnuViewList0);
  return list >= 0 && list < 4 ? list : -1;
}

// Whether the handlers ever check the item: the lists and the modes, not the File menu's.
constexpr bool Checkable(MenuId id) { return id >= MenuId::mnuViewList0; }

struct MenuDesign {
  MenuId id = MenuId::None;
  std::string caption;            // "-" is a separator
  std::string shortcut;           // "Ctrl+G", or empty
  std::vector<MenuDesign> items;  // a submenu when not empty
};

struct FormDesign {
  std::string caption;
  double clientWidth = 0, clientHeight = 0;  // twips
  FontDesign font;                           // the window's, and its controls' unless they name their own
  // The controls, in tab order.
  ControlDesign lstMain, cmdCopy, txtCode, lblCode;
  std::array<ControlDesign, 4> optList;
  std::vector<MenuDesign> menus;
};

}  // namespace platform
