#include "controls/Kinds.h"

#include "controls/Button.h"
#include "controls/Label.h"
#include "controls/PicBox.h"
#include "forms/Ids.h"

namespace vtg::controls {

ControlCreateFn controlKind(std::uint32_t kindCode) {
  switch (kindCode) {
    case KindCode::Label:
      return [](const ControlCreateArgs& a) -> ControlUnit* { return Label::create(a); };
    case KindCode::PicBox:
      return [](const ControlCreateArgs& a) -> ControlUnit* { return PicBox::create(a); };
    case KindCode::Button:
      return [](const ControlCreateArgs& a) -> ControlUnit* { return Button::create(a); };
    default:
      return nullptr;
  }
}

}  // namespace vtg::controls
