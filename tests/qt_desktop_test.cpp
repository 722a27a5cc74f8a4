// The Qt back end raises the window's handlers where a Windows toolkit would.
#include <QListWidget>
#include <QtTest>

#include "app/frmTovu.h"
#include "platform/qt/qt_desktop.h"
#include "raising_rules.h"

class QtDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // The raising rules, kept by the Qt back end as by the others: on X11, with a window manager.
  void raisingRules() {
    struct QtBackend final : RulesBackend {
      platform::PosixSystem system{{}};
      platform::QtDesktop desk{frmTovu::Design(), system};
      QtBackend() { desk.Attach(events); }
      platform::Desktop& Desk() override { return desk; }
      void Show() override { desk.Show(), (void)QTest::qWaitForWindowExposed(&desk.qtForm()); }
      void Pump(int milliseconds) override { QTest::qWait(milliseconds); }
      void Click(int entry) override {
        auto* list = desk.qtForm().findChild<QListWidget*>();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(entry)).center());
      }
      void SetState(int state) override {
        if (state == platform::StateMinimized) desk.qtForm().showMinimized();
        if (state == platform::StateMaximized) desk.qtForm().showMaximized();
        if (state == platform::StateNormal) desk.qtForm().showNormal();
      }
      void RequestClose() override { desk.qtForm().close(); }
      void Choose(platform::MenuId id) override { desk.action(id)->trigger(); }
      bool Shown(platform::MenuId id) override { return desk.action(id)->isChecked(); }
    };
    const std::string broken = Broken<QtBackend>("qt");
    QVERIFY2(broken.empty(), broken.c_str());
  }

  // X11 wherever an X display answers, unless xcb or offscreen is named; else what is named, or Wayland.
  void platformFollowsTheDisplay() {
    const struct {
      const char* setting;
      bool x;
      std::optional<std::string> chosen;
    } rows[] = {{nullptr, true, "xcb"},     {"wayland", true, "xcb"},   {"wayland;xcb", true, "xcb"},
                {"xcb:nomitshm", true, {}}, {"offscreen", true, {}},    {nullptr, false, "wayland"},
                {"xcb", false, "wayland"},  {"wayland-egl", false, {}}, {"", false, "wayland"}};
    for (const auto& row : rows)
      QVERIFY2(platform::PlatformFor(row.setting, row.x) == row.chosen, row.setting ? row.setting : "unset");
  }

  void filterStringBecomesQtNameFilters() {
    QCOMPARE(platform::NameFilters("HTMLﾌｧｲﾙ(*.htm,*.html)|*.htm;*.html|すべてのﾌｧｲﾙ(*.*)|*.*|"),
             QStringList({"HTMLﾌｧｲﾙ(*.htm,*.html) (*.htm *.html)", "すべてのﾌｧｲﾙ(*.*) (*)"}));
  }
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
