#pragma once
// FIXME: stand-in for the `Button` kind: an empty child at its rectangle.

#include <QWidget>

#include "controls/ControlUnit.h"

namespace vtg::controls {

class Button : public QWidget, public ControlUnit {
  Q_OBJECT

 public:
  static Button* create(const ControlCreateArgs& args);
  QWidget* widget() override { return this; }
  bool canTakeFocus() const override { return true; }
  void fireClick() override { raiseEvent(ButtonEvent::clicked); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  explicit Button(const ControlCreateArgs& args);
};

}  // namespace vtg::controls
