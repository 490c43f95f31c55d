// The floor for the start-up and memory comparison: the toolkit alone, showing one empty
// top-level window of the main window's size, placed and shown the way the guide shows
// its windows (fixed size, centred, title bar with system menu and close button, made
// active). Nothing of the program is linked in.

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  constexpr int kWidth = 651;
  constexpr int kHeight = 693;

  QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint);
  window.setFixedSize(kWidth, kHeight);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  window.move((screen.width() - kWidth) / 2, (screen.height() - kHeight) / 2);
  window.show();
  window.raise();
  window.activateWindow();
  return QApplication::exec();
}
