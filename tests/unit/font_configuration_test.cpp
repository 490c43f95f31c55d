// The process's own font configuration: taken only when the user has not chosen one, it
// holds nothing but the program's face, and draws that face exactly as the system's full
// configuration would (hinting, anti-aliasing, sub-pixel order, filters, emboldening).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <fontconfig/fontconfig.h>

#include "platform/FontConfiguration.h"

namespace vtg::platform {
namespace {

constexpr const char* kFaceFile = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

struct Rendering {
  FcBool hinting = FcTrue, antialias = FcTrue, autohint = FcFalse, embolden = FcFalse;
  int hintStyle = -1, rgba = -1, lcdFilter = -1;
  std::string file;
  bool operator==(const Rendering&) const = default;
};

Rendering renderingFor(FcConfig* config, const char* request) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  Rendering r;
  if (match) {
    FcPatternGetBool(match, FC_HINTING, 0, &r.hinting);
    FcPatternGetBool(match, FC_ANTIALIAS, 0, &r.antialias);
    FcPatternGetBool(match, FC_AUTOHINT, 0, &r.autohint);
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &r.embolden);
    FcPatternGetInteger(match, FC_HINT_STYLE, 0, &r.hintStyle);
    FcPatternGetInteger(match, FC_RGBA, 0, &r.rgba);
    FcPatternGetInteger(match, FC_LCD_FILTER, 0, &r.lcdFilter);
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) r.file = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return r;
}

// Runs first: the configuration can be taken only once per process.
TEST(FontConfiguration, ALeavesAConfigurationTheUserChoseAlone) {
  for (const char* variable : {"FONTCONFIG_FILE", "FONTCONFIG_PATH"}) {
    SCOPED_TRACE(variable);
    setenv(variable, "/nonexistent/fonts.conf", 1);
    EXPECT_FALSE(useOwnFontConfiguration());
    unsetenv(variable);
  }
}

TEST(FontConfiguration, HoldsOnlyTheFaceAndDrawsItAsTheSystemConfigurationDoes) {
  if (!std::filesystem::exists(kFaceFile)) GTEST_SKIP() << kFaceFile << " is not installed";
  FcConfig* system = FcInitLoadConfigAndFonts();
  ASSERT_NE(system, nullptr);
  ASSERT_TRUE(useOwnFontConfiguration());
  FcConfig* own = FcConfigGetCurrent();
  ASSERT_NE(own, system);

  const FcFontSet* fonts = FcConfigGetFonts(own, FcSetSystem);
  ASSERT_NE(fonts, nullptr);
  ASSERT_GT(fonts->nfont, 0);
  const std::string folder = std::filesystem::path(kFaceFile).parent_path().string() + "/";
  for (int i = 0; i < fonts->nfont; ++i) {
    FcChar8* file = nullptr;
    ASSERT_EQ(FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file), FcResultMatch);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file)).rfind(folder, 0), 0u) << file;
  }

  // The sizes and weights the program draws in, and requests naming other faces, which
  // can only end on the program's face.
  for (const char* request : {"WenQuanYi Micro Hei:pixelsize=11", "WenQuanYi Micro Hei:pixelsize=16",
                              "WenQuanYi Micro Hei:pixelsize=16:weight=bold", "WenQuanYi Micro Hei:pixelsize=16:slant=italic"}) {
    SCOPED_TRACE(request);
    const Rendering expected = renderingFor(system, request);
    ASSERT_EQ(expected.file, kFaceFile);
    EXPECT_EQ(renderingFor(own, request), expected);
  }
  for (const char* request : {"SimSun:pixelsize=16", "sans-serif:lang=zh-cn", "monospace"}) {
    SCOPED_TRACE(request);
    EXPECT_EQ(renderingFor(own, request).file.rfind(folder, 0), 0u);
  }
  FcConfigDestroy(system);
}

}  // namespace
}  // namespace vtg::platform
