#pragma once
// The long explanatory text of the "什么是BIOS" window.

#include <string_view>

namespace vtg::content {

// The text as GBK bytes: one run without CR or LF, made of headed sections that are set
// apart only by spaces (two after a heading and between paragraphs, three between
// sections). The bytes live for the whole run of the program.
std::string_view BiosIntroText();

}  // namespace vtg::content
