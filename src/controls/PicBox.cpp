#include "controls/PicBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/TopWindow.h"

namespace vtg::controls {

PicBox* PicBox::create(const ControlCreateArgs& args) { return new PicBox(args); }

PicBox::PicBox(const ControlCreateArgs& args) : QWidget(args.window), ControlUnit(args) {
  setGeometry(args.left, args.top, args.width, args.height);

}


}  // namespace vtg::controls
