// The floor for the start-up and memory comparison: the toolkit alone, showing one empty
// top-level window of the main window's size, placed and shown the way the guide shows
// its windows (fixed size, centred, title bar with system menu and close button, made
// active). Nothing of the program is linked in.
//
// With the argument "--with-text" the window also shows one line of Chinese text in a
// plain label, so that the cost every program pays to draw text at all (setting up the
// font configuration and loading the font) can be told apart from the guide's own.

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  constexpr int kWidth = 651;
  constexpr int kHeight = 693;

  QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint);
  window.setFixedSize(kWidth, kHeight);
  if (argc > 1 && std::strcmp(argv[1], "--with-text") == 0) {
    auto* label = new QLabel(QString::fromUtf8("启动时根据提示按del键"), &window);
    label->move(24, 24);
  }
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  window.move((screen.width() - kWidth) / 2, (screen.height() - kHeight) / 2);
  window.show();
  window.raise();
  window.activateWindow();
  return QApplication::exec();
}
