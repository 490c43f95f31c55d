#pragma once
// The default GUI font and fonts made from a stored 60-byte font description.

#include <cstdint>
#include <optional>
#include <span>

#include <QFont>

namespace vtg::platform {

inline constexpr std::size_t kFontSpecSize = 60;

// The stand-in for the platform's stock default GUI font: a CJK face at 12 pixels.
QFont defaultGuiFont();

// A font from a 60-byte description in the classic LOGFONTA layout; nothing when the
// blob is not exactly 60 bytes long.
std::optional<QFont> fontFromSpec(std::span<const std::uint8_t> spec);

}  // namespace vtg::platform
