#include "app/frmTovu.h"

using platform::ControlDesign;
using platform::FormDesign;
using platform::MenuDesign;
using platform::MenuId;

FormDesign frmTovu::Design() {
  FormDesign d;
  d.caption = "Tovu";
  d.clientWidth = 2790;
  d.clientHeight = 4770;

  const platform::FontDesign gothic{"ＭＳ ゴシック", 9};
  const platform::FontDesign pGothic{"ＭＳ Ｐゴシック", 8.25};
  const platform::FontDesign windows{};  // the window's own
  // The Japanese user-interface face: its narrow kana fit the small window.
  d.font = {"ＭＳ Ｐゴシック", 9};
  // The list box's name for assistive technology; the back ends add the chosen list's title.
  d.lstMain = ControlDesign{"", 0, 0, 975, 1650, windows, "", "参照一覧"};
  d.cmdCopy = ControlDesign{"コピー(&C)", 1080, 720, 1095, 495, windows, "クリップボードへコピー", ""};
  d.txtCode = ControlDesign{"", 1080, 360, 1095, 255, gothic, "", ""};
  d.lblCode = ControlDesign{"コード：", 1080, 120, 615, 255, windows, "", ""};
  const char* const options[] = {"ギリシャ", "記号", "特殊文字", "ISO 8859-1"};
  for (int i = 0; i < 4; ++i)
    d.optList[i] = ControlDesign{options[i], 1080, 1320.0 + 360 * i, 1215, 285, pGothic, "", ""};

  const MenuDesign separator{MenuId::None, "-", "", {}};
  // clang-format off
  d.menus = {
      {MenuId::None, "ファイル(&F)", "",
       {{MenuId::mnuNew, "メモ帳を起動(&N)", "Ctrl+N", {}},
        {MenuId::mnuOpen, "メモ帳で開く(&O)...", "Ctrl+O", {}},
        separator,
        {MenuId::mnuExit, "終了(&X)", "", {}}}},
      {MenuId::None, "リスト(&L)", "",
       {{MenuId::mnuViewList0, "ギリシャ文字(&G)", "Ctrl+G", {}},
        {MenuId::mnuViewList1, "記号(&A)", "Ctrl+A", {}},
        {MenuId::mnuViewList2, "特殊文字(&S)", "Ctrl+S", {}},
        {MenuId::mnuViewList3, "ISO 8859-1(&I)", "Ctrl+I", {}}}},
      {MenuId::None, "設定(&S)", "",
       {{MenuId::mnuQCopy, "即コピーモード(&Q)", "", {}},
        {MenuId::mnuTopPos, "常に手前に表示(&T)", "", {}},
        {MenuId::mnuPasteMode, "くっつきモード(&P)", "", {}},
        separator,
        {MenuId::None, "起動時の設定(&N)", "",
         {{MenuId::mnuUpMemo, "メモ帳を起動する(&U)", "", {}},
          {MenuId::mnuModeSave, "モード設定を保存する(&M)", "", {}},
          {MenuId::mnuWinPosSave, "ウィンドウ位置を保存する(&W)", "", {}}}}}},
  };
  // clang-format on
  return d;
}
