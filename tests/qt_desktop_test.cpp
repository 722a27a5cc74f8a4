// The Qt back end raises the window's handlers where a Windows toolkit would.
#include <QListWidget>
#include <QtTest>

#include "app/frmTovu.h"
#include "platform/qt/qt_desktop.h"
#include "raising_rules.h"

using platform::MenuId;
using Calls = std::vector<std::string>;

class QtDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    desk = std::make_unique<platform::QtDesktop>(frmTovu::Design(), system);
    desk->Attach(events);
  }
  void cleanup() {
    desk.reset();
    events.calls.clear();
  }

  // Down and Home select the first entry; a click below the entries, or Ctrl+click
  // on the selected one, keeps the selection; refilling raises nothing.
  void listBoxSelectsAsAWindowsListBox() {
    for (const char* name : {"a", "b", "c"}) desk->List().AddItem(name);
    desk->Show();
    QVERIFY(QTest::qWaitForWindowActive(&desk->form()));
    auto* list = desk->form().findChild<QListWidget*>();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(desk->List().ListIndex(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(desk->List().ListIndex(), 1);
    desk->List().Clear();
    desk->List().AddItem("d");
    QCOMPARE(desk->List().ListIndex(), -1);
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(desk->List().ListIndex(), 0);
    std::erase(events.calls, "Form_Resize");
    QVERIFY(events.calls == (Calls{"lstMain_Click", "lstMain_Click", "lstMain_Click"}));
  }

  // A menu item's check mark is the handler's to set, not Qt's to flip.
  void checkMarkIsTheHandlersToSet() {
    QAction* quickCopy = desk->action(MenuId::mnuQCopy);
    quickCopy->trigger();
    QVERIFY(!quickCopy->isChecked());  // the recorder did not set it, so Qt must not have
    desk->Menu(MenuId::mnuQCopy).SetChecked(true);
    quickCopy->trigger();
    QVERIFY(desk->Menu(MenuId::mnuQCopy).Checked() && quickCopy->isChecked());  // as the handler left it
    QVERIFY(events.calls == (Calls{"mnuQCopy_Click", "mnuQCopy_Click"}));
  }

  // The raising rules, kept by the Qt back end as by the others: on X11, with a window manager.
  void raisingRules() {
    struct QtBackend final : RulesBackend {
      platform::PosixSystem system{{}};
      platform::QtDesktop desk{frmTovu::Design(), system};
      QtBackend() { desk.Attach(events); }
      platform::Desktop& Desk() override { return desk; }
      void Show() override { desk.Show(), (void)QTest::qWaitForWindowExposed(&desk.form()); }
      void Pump(int milliseconds) override { QTest::qWait(milliseconds); }
      void Click(int entry) override {
        auto* list = desk.form().findChild<QListWidget*>();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(entry)).center());
      }
      void SetState(int state) override {
        if (state == platform::StateMinimized) desk.form().showMinimized();
        if (state == platform::StateMaximized) desk.form().showMaximized();
        if (state == platform::StateNormal) desk.form().showNormal();
      }
      void RequestClose() override { desk.form().close(); }
    };
    std::string broken;
    for (const RaisingRule& rule : RaisingRules()) {
      QtBackend backend;
      rule.steps(backend);
      if (Keeps(rule, "qt", backend.events.calls)) continue;
      broken += std::string("\n") + rule.rule + ":";
      for (const std::string& call : backend.events.calls) broken += " " + call;
    }
    QVERIFY2(broken.empty(), broken.c_str());
  }

  void filterStringBecomesQtNameFilters() {
    QCOMPARE(platform::NameFilters("HTMLﾌｧｲﾙ(*.htm,*.html)|*.htm;*.html|すべてのﾌｧｲﾙ(*.*)|*.*|"),
             QStringList({"HTMLﾌｧｲﾙ(*.htm,*.html) (*.htm *.html)", "すべてのﾌｧｲﾙ(*.*) (*)"}));
  }

 private:
  Recorder events;
  platform::PosixSystem system{{}};
  std::unique_ptr<platform::QtDesktop> desk;
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
