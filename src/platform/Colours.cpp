#include "platform/Colours.h"

#include <QGuiApplication>
#include <QPalette>

namespace vtg::platform {

QColor buttonFaceColour() { return QGuiApplication::palette().color(QPalette::Active, QPalette::Button); }

QColor colourFromRef(std::uint32_t ref) {
  return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

QColor backgroundColour(std::uint32_t ref) {
  return ref == kButtonFaceColourRef ? buttonFaceColour() : colourFromRef(ref);
}

}  // namespace vtg::platform
