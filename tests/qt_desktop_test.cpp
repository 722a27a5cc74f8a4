// The Qt back end raises the window's handlers where a Windows toolkit would.
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

#include "app/frmTovu.h"
#include "platform/qt/qt_desktop.h"

using platform::MenuId;

namespace {

// Records the handlers raised; does nothing else.
struct Recorder final : platform::FormEvents {
  QStringList calls;
  void Form_Load() override { calls << "Form_Load"; }
  void Form_Resize() override { calls << "Form_Resize"; }
  void Form_QueryUnload(bool&, int) override { calls << "Form_QueryUnload"; }
  void lstMain_Click() override { calls << "lstMain_Click"; }
  void cmdCopy_Click() override { calls << "cmdCopy_Click"; }
  void optList_Click(int i) override { calls << QString("optList_Click(%1)").arg(i); }
  void tmrPasteMode_Timer() override { calls << "tmrPasteMode_Timer"; }
  void mnuNew_Click() override { calls << "mnuNew_Click"; }
  void mnuOpen_Click() override { calls << "mnuOpen_Click"; }
  void mnuExit_Click() override { calls << "mnuExit_Click"; }
  void mnuViewList_Click(int i) override { calls << QString("mnuViewList_Click(%1)").arg(i); }
  void mnuQCopy_Click() override { calls << "mnuQCopy_Click"; }
  void mnuTopPos_Click() override { calls << "mnuTopPos_Click"; }
  void mnuPasteMode_Click() override { calls << "mnuPasteMode_Click"; }
  void mnuUpMemo_Click() override { calls << "mnuUpMemo_Click"; }
  void mnuModeSave_Click() override { calls << "mnuModeSave_Click"; }
  void mnuWinPosSave_Click() override { calls << "mnuWinPosSave_Click"; }
};

template <typename T>
T* Child(platform::QtDesktop& desk, int index = 0) {
  return desk.form().findChildren<T*>().at(index);
}

}  // namespace

class QtDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    desk = std::make_unique<platform::QtDesktop>(frmTovu::Design(), system);
    desk->Attach(events);
    events.calls.clear();
  }
  void cleanup() { desk.reset(); }

  void menuShortcutsWorkWhereverTheFocusIs_data() {
    QTest::addColumn<int>("focus");
    QTest::newRow("list box") << 0;
    QTest::newRow("code box, whose own keys Ctrl+A and Ctrl+S are") << 1;
  }
  void menuShortcutsWorkWhereverTheFocusIs() {
    QFETCH(int, focus);
    Show();
    QWidget* place = focus == 0 ? static_cast<QWidget*>(Child<QListWidget>(*desk)) : Child<QLineEdit>(*desk);
    place->setFocus();
    events.calls.clear();
    for (Qt::Key key : {Qt::Key_G, Qt::Key_A, Qt::Key_S, Qt::Key_I, Qt::Key_N, Qt::Key_O}) {
      QTest::keyClick(place, key, Qt::ControlModifier);
    }
    QCOMPARE(events.calls, QStringList({"mnuViewList_Click(0)", "mnuViewList_Click(1)", "mnuViewList_Click(2)",
                                        "mnuViewList_Click(3)", "mnuNew_Click", "mnuOpen_Click"}));
  }

  void arrowKeysSelectFromTheFirstEntry() {
    for (const char* name : {"a", "b", "c"}) desk->List().AddItem(name);
    Show();
    auto* list = Child<QListWidget>(*desk);
    list->setFocus();
    events.calls.removeAll("Form_Resize");
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(desk->List().ListIndex(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(desk->List().ListIndex(), 1);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(events.calls, QStringList({"lstMain_Click", "lstMain_Click", "lstMain_Click"}));
  }

  void clickBelowTheEntriesKeepsTheSelection() {
    for (const char* name : {"a", "b"}) desk->List().AddItem(name);
    Show();
    auto* list = Child<QListWidget>(*desk);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QCOMPARE(desk->List().ListIndex(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
    QCOMPARE(desk->List().ListIndex(), 1);
    // Nor does Ctrl+click on the selected entry empty the list box.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualItemRect(list->item(1)).center());
    QCOMPARE(desk->List().ListIndex(), 1);
    QCOMPARE(events.calls.count("lstMain_Click"), 1);
  }

  void fillingTheListRaisesNothing() {
    desk->List().AddItem("a");
    Show();
    QTest::keyClick(Child<QListWidget>(*desk), Qt::Key_Down);
    events.calls.clear();
    desk->List().Clear();
    desk->List().AddItem("b");
    QCOMPARE(events.calls, QStringList());
    QCOMPARE(desk->List().ListIndex(), -1);
  }

  void optionButtonRaisesOnlyOnAChange() {
    QSignalSpy toggled(Child<QRadioButton>(*desk, 2), &QRadioButton::toggled);
    desk->Option(2).SetValue(true);
    desk->Option(2).SetValue(true);
    QCOMPARE(events.calls, QStringList({"optList_Click(2)"}));
    QCOMPARE(toggled.count(), 1);
    QVERIFY(!Child<QRadioButton>(*desk, 0)->isChecked());
  }

  void checkMarkIsTheHandlersToSet() {
    QAction* quickCopy = desk->action(MenuId::mnuQCopy);
    quickCopy->trigger();
    QCOMPARE(events.calls, QStringList({"mnuQCopy_Click"}));
    QVERIFY(!quickCopy->isChecked());  // the recorder did not set it, so Qt must not have
    desk->Menu(MenuId::mnuQCopy).SetChecked(true);
    QVERIFY(quickCopy->isChecked());
    quickCopy->trigger();
    QVERIFY(desk->Menu(MenuId::mnuQCopy).Checked());
    QVERIFY(quickCopy->isChecked());  // shown as the handler left it, not as Qt flipped it
  }

  // With the real window: the menu and the option buttons show the same list.
  void listChoiceKeepsMenuAndOptionsInStep() {
    frmTovu form(*desk);
    using Strings = std::vector<std::string>;
    form.ListData = {Strings{"A", "&A;"}, Strings{"B", "&B;", "C", "&C;"}, Strings{"D", "&D;"}, Strings{"E"}};
    form.mnuViewList_Click(0);
    desk->action(MenuId::mnuViewList1)->trigger();
    auto* list = Child<QListWidget>(*desk);
    QCOMPARE(list->count(), 2);
    QVERIFY(Child<QRadioButton>(*desk, 1)->isChecked());
    Show();
    QTest::mouseClick(Child<QRadioButton>(*desk, 2), Qt::LeftButton);
    QCOMPARE(list->count(), 1);
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(desk->Menu(static_cast<MenuId>(static_cast<int>(MenuId::mnuViewList0) + i)).Checked(), i == 2);
    }
    desk->action(MenuId::mnuViewList3)->trigger();  // a name without a code is no entry
    QCOMPARE(list->count(), 0);
  }

  void sizeWritesRaiseResizeBeforeReturning() {
    platform::Window& window = desk->Form();
    QVERIFY(window.SetHeight(window.Height() + 150));
    QCOMPARE(events.calls, QStringList({"Form_Resize"}));
    QVERIFY(window.SetHeight(window.Height()));  // no change, no event
    QVERIFY(window.SetWidth(3000));
    QCOMPARE(events.calls.size(), 2);
    QCOMPARE(window.Width(), 3000.0);
    QVERIFY(!window.SetWidth(0));
    QVERIFY(!window.SetLeft(1e9));  // beyond X11's 16-bit coordinates
    QCOMPARE(events.calls.size(), 2);
  }

  void clientAreaIsTheDesignSizeBelowTheMenuBar() {
    Show();
    QCOMPARE(desk->Form().ScaleWidth(), 2790.0);
    QCOMPARE(desk->Form().ScaleHeight(), 4770.0);
    QVERIFY(desk->Form().Height() > 4770.0);  // the menu bar is part of the window
    QVERIFY(events.calls.contains("Form_Resize"));
  }

  void timerTicksUntilItsIntervalIsZero() {
    desk->PasteTimer().SetInterval(20);
    QTRY_VERIFY(events.calls.count("tmrPasteMode_Timer") >= 2);
    desk->PasteTimer().SetInterval(0);
    events.calls.clear();
    QTest::qWait(80);
    QCOMPARE(events.calls, QStringList());
  }

  void copyPutsPlainTextOnTheClipboard() {
    desk->Clip().Clear();
    desk->Clip().SetText("&alpha;");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("&alpha;"));
  }

  // The exit's settings are on the disk when End returns, before the process ends.
  void exitWritesTheSettingsBeforeEnding() {
    QTemporaryDir folder;
    platform::PosixSystem inFolder({}, folder.path().toStdString());
    platform::QtDesktop desktop(frmTovu::Design(), inFolder);
    frmTovu form(desktop);
    form.Form_Load();
    form.mnuExit_Click();
    QVERIFY(QFile::exists(folder.filePath("tovu.ini")));
  }

  void filterStringBecomesQtNameFilters() {
    QCOMPARE(platform::NameFilters("HTMLﾌｧｲﾙ(*.htm,*.html)|*.htm;*.html|すべてのﾌｧｲﾙ(*.*)|*.*|"),
             QStringList({"HTMLﾌｧｲﾙ(*.htm,*.html) (*.htm *.html)", "すべてのﾌｧｲﾙ(*.*) (*)"}));
  }

 private:
  void Show() {
    desk->Show();
    QVERIFY(QTest::qWaitForWindowActive(&desk->form()));
  }

  Recorder events;
  platform::PosixSystem system{{}};
  std::unique_ptr<platform::QtDesktop> desk;
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
