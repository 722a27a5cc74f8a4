#include <QtTest>
class QtDesktopTest : public QObject { Q_OBJECT };
QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
