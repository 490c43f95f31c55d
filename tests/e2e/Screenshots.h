#pragma once

#include <string>

namespace vtg::e2e {

// Runs the program at `binary` on a virtual 1920x1080 display with openbox, opens each guide
// window through its button, saves every window with its frame as <output>/<WindowName>.png,
// closes them all and prints where the files are. Returns 0 when all six were saved and the
// program ended with status 0, 1 otherwise (saying why on stderr).
int saveScreenshots(const std::string& binary, const std::string& outputFolder);

}  // namespace vtg::e2e
