#include "platform/GuiApp.h"

#include <cstdlib>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "platform/FontConfiguration.h"
#include "platform/Gbk.h"

namespace vtg::platform {
namespace {

MessageBoxSink& messageBoxSink() {
  static MessageBoxSink sink;
  return sink;
}

// Watches every event to tell when a new idle period begins: after any message except a
// repaint, a timer tick and a mouse move that did not move.
class IdlePeriodWatch : public QObject {
 public:
  bool freshPeriod = true;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Paint:
      case QEvent::UpdateRequest:
      case QEvent::UpdateLater:
      case QEvent::Timer:
      case QEvent::MetaCall:
        break;
      case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (at != lastMouse_) freshPeriod = true;
        lastMouse_ = at;
        break;
      }
      default:
        freshPeriod = true;
    }
    return QObject::eventFilter(target, event);
  }

 private:
  QPoint lastMouse_{-1, -1};
};

}  // namespace

struct GuiApp::State {
  int argc = 1;
  char arg0[8] = "vtguide";
  char* argv[2] = {arg0, nullptr};
  std::unique_ptr<QApplication> app;
};

GuiApp::GuiApp() : state_(std::make_unique<State>()) {
  // On a Wayland desktop only X11 (XWayland) lets a window place itself centred on the
  // screen, so prefer it there and fall back to native Wayland when it is missing.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
  // In-process tests make the application object themselves, once for all their cases.
  if (!QCoreApplication::instance()) {
    useOwnFontConfiguration();
    state_->app = std::make_unique<QApplication>(state_->argc, state_->argv);
  }
  // The program decides itself when to end: when its last window has been closed.
  QApplication::setQuitOnLastWindowClosed(false);
}

GuiApp::~GuiApp() = default;

int runEventLoop(const IdleWork& idleWork) {
  IdlePeriodWatch watch;
  qApp->installEventFilter(&watch);
  QElapsedTimer sincePeriodStart;
  bool moreWork = false;
  QTimer again;
  again.setSingleShot(true);
  again.setInterval(0);

  auto idle = [&] {
    if (watch.freshPeriod) {
      watch.freshPeriod = false;
      sincePeriodStart.start();
      moreWork = true;
    }
    if (!moreWork || !idleWork) return;
    moreWork = idleWork(static_cast<int>(sincePeriodStart.elapsed()));
    // Another pass comes after whatever messages are waiting, through a zero timer.
    if (moreWork) again.start();
  };
  QObject::connect(&again, &QTimer::timeout, idle);
  auto* dispatcher = QAbstractEventDispatcher::instance();
  auto connection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, idle);
  const int code = QApplication::exec();
  QObject::disconnect(connection);
  qApp->removeEventFilter(&watch);
  return code;
}

void postQuit(int exitCode) { QCoreApplication::exit(exitCode); }

ScreenSize primaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect r = screen->geometry();
  return {r.width(), r.height()};
}

void showErrorBox(std::string_view captionGbk, std::string_view textGbk) {
  if (auto& sink = messageBoxSink()) {
    sink(captionGbk, textGbk);
    return;
  }
  QMessageBox box(QMessageBox::Critical, unicodeFromGbk(captionGbk), unicodeFromGbk(textGbk),
                  QMessageBox::Ok, nullptr);
  box.exec();
}

void setMessageBoxSink(MessageBoxSink sink) { messageBoxSink() = std::move(sink); }

void exitProcess(int code) { std::exit(code); }

}  // namespace vtg::platform
