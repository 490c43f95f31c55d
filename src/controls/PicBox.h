#pragma once
// FIXME: stand-in for the `PicBox` kind: an empty child at its rectangle.

#include <QWidget>

#include "controls/ControlUnit.h"

namespace vtg::controls {

class PicBox : public QWidget, public ControlUnit {
  Q_OBJECT

 public:
  static PicBox* create(const ControlCreateArgs& args);
  QWidget* widget() override { return this; }


 private:
  explicit PicBox(const ControlCreateArgs& args);
};

}  // namespace vtg::controls
