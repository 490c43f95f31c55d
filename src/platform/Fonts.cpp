#include "platform/Fonts.h"

// FIXME: first cut; the description's fields are not applied yet.
namespace vtg::platform {

QFont defaultGuiFont() {
  QFont f(QStringLiteral("WenQuanYi Micro Hei"));
  f.setPixelSize(12);
  return f;
}

std::optional<QFont> fontFromSpec(std::span<const std::uint8_t> spec) {
  if (spec.size() != kFontSpecSize) return std::nullopt;
  return defaultGuiFont();
}

}  // namespace vtg::platform
