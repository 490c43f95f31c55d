#pragma once
// FIXME: stand-in for the `Label` kind: an empty child at its rectangle.

#include <QWidget>

#include "controls/ControlUnit.h"

namespace vtg::controls {

class Label : public QWidget, public ControlUnit {
  Q_OBJECT

 public:
  static Label* create(const ControlCreateArgs& args);
  QWidget* widget() override { return this; }


 private:
  explicit Label(const ControlCreateArgs& args);
};

}  // namespace vtg::controls
