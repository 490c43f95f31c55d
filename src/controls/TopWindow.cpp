#include "controls/TopWindow.h"

#include <QCloseEvent>
#include <QPainter>

#include "controls/ControlUnit.h"
#include "platform/Colours.h"
#include "platform/GuiApp.h"

namespace vtg::controls {

TopWindow* TopWindow::create(const WindowCreateArgs& args) {
  // FIXME: the property block is not read yet; every window of the program stores none.
  if (!args.ownData.empty()) return nullptr;
  return new TopWindow(args);
}

TopWindow::TopWindow(const WindowCreateArgs& args)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      windowId_(args.windowId),
      unitId_(args.unitId),
      host_(args.host),
      storedWidth_(args.width),
      storedHeight_(args.height) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(storedWidth_, storedHeight_);
  const auto screen = platform::primaryScreenSize();
  move((screen.width - storedWidth_) / 2, (screen.height - storedHeight_) / 2);
}

TopWindow::~TopWindow() {
  if (!destroyed_) destroyWindow();
}

void TopWindow::setControls(std::vector<ControlSlot> controls) { controls_ = std::move(controls); }

void TopWindow::forgetControl(ControlUnit* control) {
  for (auto& slot : controls_)
    if (slot.unit == control) slot.unit = nullptr;
}

void TopWindow::showByPlacement() {
  show();
  activate();
}

bool TopWindow::isMinimisedNow() const { return isMinimized(); }

void TopWindow::restoreFromMinimised() { showNormal(); }

void TopWindow::activate() {
  raise();
  activateWindow();
}

bool TopWindow::requestClose() {
  const RaiseResult r = raiseEvent(WindowEvent::closeRequest);
  if (r.handlerCalled && r.value && *r.value == 0) return false;
  destroyWindow();
  return true;
}

// The program treats the window as destroyed at once: event 2, then the loader forgets
// the definition. The widget objects themselves go when control is back in the event
// loop, since a close often starts inside one of their own event handlers.
void TopWindow::destroyWindow() {
  if (destroyed_) return;
  destroyed_ = true;
  hide();
  raiseEvent(WindowEvent::destroying);
  for (auto& slot : std::vector<ControlSlot>(controls_))
    if (slot.unit) slot.unit->releaseFromHost();
  if (host_) host_->windowDestroyed(windowId_);
  host_ = nullptr;
  deleteLater();
}

RaiseResult TopWindow::raiseEvent(std::int32_t index, std::span<const std::int32_t> args) {
  return host_ ? host_->raiseEvent(windowId_, 0, index, args) : RaiseResult{};
}

void TopWindow::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), platform::buttonFaceColour());
}

void TopWindow::closeEvent(QCloseEvent* event) {
  // The platform's own close (close button, Alt+F4, system menu) goes the same way.
  event->ignore();
  if (!destroyed_) requestClose();
}

void TopWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  raiseEvent(WindowEvent::moved);
}

void TopWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  raiseEvent(WindowEvent::resized);
}

void TopWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  raiseEvent(WindowEvent::shown);
}

void TopWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!destroyed_) raiseEvent(WindowEvent::hidden);
}

void TopWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    raiseEvent(WindowEvent::activated);
    if (!activatedBefore_) {
      activatedBefore_ = true;
      raiseEvent(WindowEvent::firstActivated);
    }
  } else {
    raiseEvent(WindowEvent::deactivated);
  }
}

}  // namespace vtg::controls
