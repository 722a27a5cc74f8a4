// The raising rules every back end keeps, one table run against each (the fake, Qt,
// Win32): what a program's call or a user's act raises, and when. A row's expected
// record holds the handlers raised, in order, and the marks its steps leave: "|"
// where a call has returned, so a handler before it was raised inside the call.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "platform/events.h"

// A FormEvents that records the handlers a back end raises, and does nothing else.
// clang-format off
#define RECORD(handler, ...) \
  void handler(__VA_ARGS__) override { calls.push_back(#handler); }
struct Recorder final : platform::FormEvents {
  std::vector<std::string> calls;
  RECORD(Form_Load) RECORD(Form_Resize) RECORD(lstMain_Click)
  RECORD(cmdCopy_Click) RECORD(optList_Click, int) RECORD(tmrPasteMode_Timer) RECORD(mnuNew_Click) RECORD(mnuOpen_Click)
  RECORD(mnuExit_Click) RECORD(mnuViewList_Click, int) RECORD(mnuQCopy_Click) RECORD(mnuTopPos_Click)
  RECORD(mnuPasteMode_Click) RECORD(mnuUpMemo_Click) RECORD(mnuModeSave_Click) RECORD(mnuWinPosSave_Click)
  void Form_QueryUnload(bool&, int reason) override { calls.push_back("Form_QueryUnload " + std::to_string(reason)); }
};
// clang-format on
#undef RECORD

// One back end as the rules drive it: a fresh desktop for each rule, and the user's side.
struct RulesBackend {
  virtual ~RulesBackend() = default;
  virtual platform::Desktop& Desk() = 0;
  virtual void Show() = 0;                    // the first show, until the window system has answered
  virtual void Pump(int milliseconds) = 0;    // the event loop runs (the fake: its timer ticks)
  virtual void Click(int entry) = 0;          // the user clicks an entry of the list box
  virtual void SetState(int state) = 0;       // the user minimises, maximises or restores
  virtual void RequestClose() = 0;            // the close button of the frame
  virtual void Choose(platform::MenuId) = 0;  // the user picks a menu item
  virtual bool Shown(platform::MenuId id) { return Desk().Menu(id).Checked(); }  // the check mark the user sees
  void Mark(const std::string& note = "|") { events.calls.push_back(note); }
  Recorder events;
};

struct RaisingRule {
  const char* rule;
  std::function<void(RulesBackend&)> steps;
  std::vector<std::string> record;
  // "back ends: why" of those that keep the rule only up to a handler raised again in a row.
  const char* repeats = "";
};

// Whether a back end's record keeps the rule.
inline bool Keeps(const RaisingRule& rule, std::string_view backend, std::vector<std::string> record) {
  const std::string_view repeats(rule.repeats);
  if (repeats.substr(0, repeats.find(':')).find(backend) == std::string_view::npos) return record == rule.record;
  std::vector<std::string> expected = rule.record;
  for (auto* calls : {&expected, &record}) calls->erase(std::unique(calls->begin(), calls->end()), calls->end());
  return record == expected;
}

inline const std::vector<RaisingRule>& RaisingRules() {
  static const std::vector<RaisingRule> rules = {
      {"the first show lays the window out, once", [](RulesBackend& b) { b.Show(), b.Pump(300); }, {"Form_Resize"}},
      {"a size write raises inside the call, only on a change, hidden or shown",
       [](RulesBackend& b) {
         platform::Window& w = b.Desk().Form();
         (void)w.SetHeight(w.Height() + 150), b.Mark(), (void)w.SetHeight(w.Height()), b.Mark();
         b.Show(), b.Pump(300), b.Mark("shown"), (void)w.SetWidth(w.Width() + 150), b.Mark(), b.Pump(300);
       },
       {"Form_Resize", "|", "|", "Form_Resize", "shown", "Form_Resize", "|"}},
      {"a size write leaves at least the smallest client area",
       [](RulesBackend& b) {
         platform::Window& w = b.Desk().Form();
         (void)w.SetHeight(15), (void)w.SetWidth(15);
         b.Mark(std::min(w.ScaleWidth(), w.ScaleHeight()) >= platform::kMinimumClientTwips ? "room" : "too small");
       },
       {"Form_Resize", "Form_Resize", "room"}},
      {"a selection raises its click on a change; refilling the list raises nothing",
       [](RulesBackend& b) {
         platform::ListBox& list = b.Desk().List();
         for (const char* entry : {"a", "b", "c"}) list.AddItem(entry);
         b.Show(), b.Pump(300), b.Mark("shown");
         b.Click(1), b.Pump(100), b.Mark(), b.Click(1), b.Pump(100), b.Mark();
         list.Clear(), list.AddItem("d"), b.Mark(std::to_string(list.ListIndex()));
       },
       {"Form_Resize", "shown", "lstMain_Click", "|", "|", "-1"}},
      {"an option button set by the program raises its click inside the call, only on a change",
       [](RulesBackend& b) {
         for (const int option : {2, 2, 0}) b.Desk().Option(option).SetValue(true), b.Mark();
       },
       {"optList_Click", "|", "|", "optList_Click", "|"}},
      {"a check mark is set without a click; a menu pick raises its click and leaves the mark to the handler",
       [](RulesBackend& b) {
         const auto mark = [&b] { b.Mark(b.Shown(platform::MenuId::mnuQCopy) ? "checked" : "unchecked"); };
         for (const bool on : {true, false}) {
           b.Desk().Menu(platform::MenuId::mnuQCopy).SetChecked(on), mark();
           b.Choose(platform::MenuId::mnuQCopy), b.Pump(100), mark();
         }
       },
       {"checked", "mnuQCopy_Click", "checked", "unchecked", "mnuQCopy_Click", "unchecked"}},
      {"a minimised or maximised window refuses moves; each change of state raises",
       [](RulesBackend& b) {
         platform::Window& w = b.Desk().Form();
         b.Show(), b.Pump(300);
         for (const int state :
              {platform::StateMinimized, platform::StateNormal, platform::StateMaximized, platform::StateNormal}) {
           b.SetState(state), b.Pump(500);
           const double left = w.Left();
           const bool asked = w.SetLeft(left + 600);  // a move shows once the window system has answered
           b.Pump(300), b.Mark(!asked ? "refused" : w.Left() != left ? "moved" : "asked, not moved");
         }
       },
       {"Form_Resize", "Form_Resize", "refused", "Form_Resize", "moved", "Form_Resize", "refused", "Form_Resize",
        "moved"},
       "qt win32: under an X window manager a window maximised or restored changes state, then size: two changes"},
      {"every close request asks the window, the frame's for reason 0",
       [](RulesBackend& b) { b.Show(), b.Pump(300), b.RequestClose(), b.Pump(100), b.Mark(); },
       {"Form_Resize", "Form_QueryUnload 0", "|"}},
      {"the timer ticks while it has an interval",
       [](RulesBackend& b) {
         b.Desk().PasteTimer().SetInterval(100), b.Pump(450);
         const auto ticks = std::count(b.events.calls.begin(), b.events.calls.end(), "tmrPasteMode_Timer");
         b.events.calls.clear(), b.Mark(ticks >= 2 ? "ticked" : "silent");
         b.Desk().PasteTimer().SetInterval(0), b.Pump(300), b.Mark();
       },
       {"ticked", "|"}},
  };
  return rules;
}

// The rules a back end breaks, each with the record it made: empty where it keeps them all.
template <typename Backend>
std::string Broken(std::string_view backendName) {
  std::string broken;
  for (const RaisingRule& rule : RaisingRules()) {
    Backend backend;
    rule.steps(backend);
    if (Keeps(rule, backendName, backend.events.calls)) continue;
    broken += std::string("\n") + rule.rule + ":";
    for (const std::string& call : backend.events.calls) broken += " " + call;
  }
  return broken;
}
