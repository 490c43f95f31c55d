#pragma once
// GBK (code page 936) text. The model keeps every text as GBK bytes; it becomes Unicode
// only where it is measured or drawn.

#include <string>
#include <string_view>

#include <QString>

namespace vtg::platform {

// GBK bytes to Unicode. Bytes that are not valid GBK become U+FFFD and decoding goes on.
QString unicodeFromGbk(std::string_view gbk);

// UTF-8 to GBK bytes; characters that GBK lacks are left out. For tests and tools that
// need to write the system's texts from readable source.
std::string gbkFromUtf8(std::string_view utf8);

}  // namespace vtg::platform
