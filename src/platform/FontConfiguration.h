#pragma once
// The font configuration the program starts Qt with.

namespace vtg::platform {

// Every text the program shows is drawn in one Chinese face, WenQuanYi Micro Hei. When that
// face is installed in one of its usual places, and the user has not chosen a fontconfig
// configuration of their own (FONTCONFIG_FILE, FONTCONFIG_PATH), this makes fontconfig's
// configuration for this process the face's folder and the system's and the user's
// rendering rules (hinting, anti-aliasing, the face's own rules) only. Qt then indexes one
// folder instead of every installed font and does not read the system's dozens of rule
// files and rule templates, which was most of the program's start-up. Text looks the same
// as with the full configuration, since only that face is ever used.
//
// Returns whether it was done; otherwise fontconfig configures itself as usual. Must be
// called before the application object is made, and at most once.
bool useOwnFontConfiguration();

}  // namespace vtg::platform
