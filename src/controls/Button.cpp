#include "controls/Button.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/TopWindow.h"

namespace vtg::controls {

Button* Button::create(const ControlCreateArgs& args) { return new Button(args); }

Button::Button(const ControlCreateArgs& args) : QWidget(args.window), ControlUnit(args) {
  setGeometry(args.left, args.top, args.width, args.height);
  setFocusPolicy(Qt::StrongFocus);
}

void Button::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) fireClick();
}

void Button::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) fireClick();
}

}  // namespace vtg::controls
