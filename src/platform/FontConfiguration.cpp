#include "platform/FontConfiguration.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>

namespace vtg::platform {

namespace {

// Where distributions install the face (Debian and Ubuntu first).
constexpr const char* kFaceFiles[] = {
    "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
    "/usr/share/fonts/wqy-microhei/wqy-microhei.ttc",
    "/usr/share/fonts/wenquanyi/wqy-microhei/wqy-microhei.ttc",
    "/usr/share/fonts/TTF/wqy-microhei.ttc",
};

constexpr const char* kSystemRules = "/etc/fonts/conf.d";

bool isFile(const char* path) {
  struct stat s;
  return stat(path, &s) == 0 && S_ISREG(s.st_mode);
}

std::string folderOf(const std::string& file) { return file.substr(0, file.rfind('/')); }

// The system's rule files that decide how glyphs are drawn: the hinting, anti-aliasing,
// sub-pixel and LCD filter choices (10-*, 11-*), the face's own rules (its name has "wqy"
// in it), synthetic bold and oblique (90-synthetic), and the user's own configuration,
// which 50-user.conf pulls in. The rest only choose between faces the program never uses.
std::vector<std::string> renderingRuleFiles() {
  std::vector<std::string> files;
  DIR* dir = opendir(kSystemRules);
  if (!dir) return files;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() < 5 || name.compare(name.size() - 5, 5, ".conf") != 0) continue;
    if (name.starts_with("10-") || name.starts_with("11-") || name.find("wqy") != std::string::npos ||
        name == "50-user.conf" || name == "90-synthetic.conf")
      files.push_back(std::string(kSystemRules) + "/" + name);
  }
  closedir(dir);
  // In the order fontconfig itself reads them: by name.
  std::sort(files.begin(), files.end());
  return files;
}

std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

bool useOwnFontConfiguration() {
  if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH")) return false;
  const auto face = std::find_if(std::begin(kFaceFiles), std::end(kFaceFiles), isFile);
  if (face == std::end(kFaceFiles)) return false;

  std::string xml = "<fontconfig>\n<dir>" + escaped(folderOf(*face)) + "</dir>\n";
  // The same caches the full configuration uses, so the folder is not scanned again.
  xml += "<cachedir>/var/cache/fontconfig</cachedir>\n<cachedir prefix=\"xdg\">fontconfig</cachedir>\n";
  for (const std::string& file : renderingRuleFiles())
    xml += "<include ignore_missing=\"yes\">" + escaped(file) + "</include>\n";
  xml += "</fontconfig>\n";

  FcConfig* config = FcConfigCreate();
  if (!config) return false;
  const bool ready =
      FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()), FcFalse) &&
      FcConfigBuildFonts(config);
  // Without a face in it the configuration is no use; fontconfig then sets itself up.
  FcFontSet* fonts = ready ? FcConfigGetFonts(config, FcSetSystem) : nullptr;
  const bool usable = fonts && fonts->nfont > 0 && FcConfigSetCurrent(config);
  FcConfigDestroy(config);  // the current configuration keeps its own reference
  return usable;
}

}  // namespace vtg::platform
