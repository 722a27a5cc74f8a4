// The window's widgets and nothing else: the same menus, controls, fonts and
// sizes, no lists, no settings, no handlers. What starting and closing cost a
// Qt program of this shape, to hold Tovu's figures against.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>

namespace {

// The window as it first shows, in pixels at 15 twips a pixel: the list box
// takes the left half, the right column starts 8 pixels past it.
constexpr int kClientWidth = 186, kClientHeight = 318, kColumn = 101, kColumnWidth = 77;

struct Item {
  const char* caption;
  const char* shortcut;
};

void AddMenu(QMenuBar* bar, const char* caption, std::initializer_list<Item> items) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
  for (const Item& item : items) {
    if (QString::fromUtf8(item.caption) == "-") {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(item.caption));
    if (*item.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
  }
}

QFont Font(const char* family, double points) {
  QFont font(QString::fromUtf8(family));
  font.setPointSizeF(points);
  return font;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "xcb", 0);
  QApplication app(argc, argv);
  QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));

  QWidget window;
  window.setWindowTitle(QStringLiteral("Tovu"));
  window.setFont(Font("ＭＳ Ｐゴシック", 9));
  auto* bar = new QMenuBar(&window);
  bar->setNativeMenuBar(false);
  AddMenu(bar, "ファイル(&F)", {{"メモ帳を起動(&N)", "Ctrl+N"}, {"メモ帳で開く(&O)...", "Ctrl+O"}, {"-", ""}, {"終了(&X)", ""}});
  AddMenu(bar, "リスト(&L)", {{"ギリシャ文字(&G)", "Ctrl+G"}, {"記号(&A)", "Ctrl+A"}, {"特殊文字(&S)", "Ctrl+S"},
                             {"ISO 8859-1(&I)", "Ctrl+I"}});
  AddMenu(bar, "設定(&S)", {{"即コピーモード(&Q)", ""}, {"常に手前に表示(&T)", ""}, {"くっつきモード(&P)", ""}, {"-", ""}});
  QMenu* startup = bar->actions().last()->menu()->addMenu(QStringLiteral("起動時の設定(&N)"));
  for (const char* caption : {"メモ帳を起動する(&U)", "モード設定を保存する(&M)", "ウィンドウ位置を保存する(&W)"}) {
    startup->addAction(QString::fromUtf8(caption));
  }

  const int menu = bar->sizeHint().height();
  auto* client = new QWidget(&window);
  auto* list = new QListWidget(client);
  list->setGeometry(0, 0, kClientWidth / 2, kClientHeight);
  auto* button = new QPushButton(QStringLiteral("コピー(&C)"), client);
  button->setGeometry(kColumn, 48, kColumnWidth, 33);
  button->setToolTip(QStringLiteral("クリップボードへコピー"));
  auto* code = new QLineEdit(client);
  code->setGeometry(kColumn, 24, kColumnWidth, 17);
  code->setFont(Font("ＭＳ ゴシック", 9));
  auto* label = new QLabel(QStringLiteral("コード："), client);
  label->setGeometry(kColumn, 8, 41, 17);
  const char* const options[] = {"ギリシャ", "記号", "特殊文字", "ISO 8859-1"};
  for (int i = 0; i < 4; ++i) {
    auto* option = new QRadioButton(QString::fromUtf8(options[i]), client);
    option->setGeometry(kColumn, 88 + 24 * i, 81, 19);
    option->setFont(Font("ＭＳ Ｐゴシック", 8.25));
    option->setChecked(i == 0);
  }
  window.resize(kClientWidth, kClientHeight + menu);
  bar->setGeometry(0, 0, kClientWidth, menu);
  client->setGeometry(0, menu, kClientWidth, kClientHeight);

  window.show();
  list->setFocus();
  return QApplication::exec();
}
