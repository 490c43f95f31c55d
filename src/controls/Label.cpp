#include "controls/Label.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/TopWindow.h"

namespace vtg::controls {

Label* Label::create(const ControlCreateArgs& args) { return new Label(args); }

Label::Label(const ControlCreateArgs& args) : QWidget(args.window), ControlUnit(args) {
  setGeometry(args.left, args.top, args.width, args.height);

}


}  // namespace vtg::controls
