#include "content/Forms.h"

#include <string_view>

#include "content/BiosIntroText.h"
#include "content/EmbeddedFiles.h"
#include "forms/PropertyStream.h"

namespace vtg::content {
namespace {

// ---- Texts, as GBK bytes -----------------------------------------------------------

// "主板开启虚拟化大体设置一样 以上提供的自我参考" (45 bytes)
constexpr std::string_view kMainRemark =
    "\xd6\xf7\xb0\xe5\xbf\xaa\xc6\xf4\xd0\xe9\xc4\xe2\xbb\xaf\xb4\xf3\xcc\xe5\xc9\xe8\xd6"
    "\xc3\xd2\xbb\xd1\xf9 \xd2\xd4\xc9\xcf\xcc\xe1\xb9\xa9\xb5\xc4\xd7\xd4\xce\xd2\xb2"
    "\xce\xbf\xbc";

// "启动时根据提示按del 键\r\n\r\n按 F10 保存键以配置 BIOS\r\n\r\n找到“System Configuration”\r\n\r\n选择“Virtualization Technology”，然后按 Enter 键\r\n\r\n选择“Enabled”，然后按 Enter 键\r\n\r\n按 F10 键以保存并退出\r\n\r\n\r\n选择“Yes”，然后按 Enter 键\r\n完全关机（关闭电源），等待几秒钟，然后重新启动计算机" (285 bytes)
constexpr std::string_view kMainProcedure =
    "\xc6\xf4\xb6\xaf\xca\xb1\xb8\xf9\xbe\xdd\xcc\xe1\xca\xbe\xb0\xb4""del \xbc\xfc\x0d"
    "\x0a\x0d\x0a\xb0\xb4 F10 \xb1\xa3\xb4\xe6\xbc\xfc\xd2\xd4\xc5\xe4\xd6\xc3 BIOS\x0d"
    "\x0a\x0d\x0a\xd5\xd2\xb5\xbd\xa1\xb0System Configuration\xa1\xb1\x0d\x0a\x0d\x0a\xd1"
    "\xa1\xd4\xf1\xa1\xb0Virtualization Technology\xa1\xb1\xa3\xac\xc8\xbb\xba\xf3\xb0"
    "\xb4 Enter \xbc\xfc\x0d\x0a\x0d\x0a\xd1\xa1\xd4\xf1\xa1\xb0""Enabled\xa1\xb1\xa3\xac"
    "\xc8\xbb\xba\xf3\xb0\xb4 Enter \xbc\xfc\x0d\x0a\x0d\x0a\xb0\xb4 F10 \xbc\xfc\xd2\xd4"
    "\xb1\xa3\xb4\xe6\xb2\xa2\xcd\xcb\xb3\xf6\x0d\x0a\x0d\x0a\x0d\x0a\xd1\xa1\xd4\xf1\xa1"
    "\xb0Yes\xa1\xb1\xa3\xac\xc8\xbb\xba\xf3\xb0\xb4 Enter \xbc\xfc\x0d\x0a\xcd\xea\xc8"
    "\xab\xb9\xd8\xbb\xfa\xa3\xa8\xb9\xd8\xb1\xd5\xb5\xe7\xd4\xb4\xa3\xa9\xa3\xac\xb5\xc8"
    "\xb4\xfd\xbc\xb8\xc3\xeb\xd6\xd3\xa3\xac\xc8\xbb\xba\xf3\xd6\xd8\xd0\xc2\xc6\xf4\xb6"
    "\xaf\xbc\xc6\xcb\xe3\xbb\xfa";

// "映泰主板" (8 bytes)
constexpr std::string_view kCaptionBiostar =
    "\xd3\xb3\xcc\xa9\xd6\xf7\xb0\xe5";

// "微星主板" (8 bytes)
constexpr std::string_view kCaptionMsi =
    "\xce\xa2\xd0\xc7\xd6\xf7\xb0\xe5";

// "技嘉主板" (8 bytes)
constexpr std::string_view kCaptionGigabyte =
    "\xbc\xbc\xbc\xce\xd6\xf7\xb0\xe5";

// "什么是BIOS" (10 bytes)
constexpr std::string_view kCaptionBiosIntro =
    "\xca\xb2\xc3\xb4\xca\xc7""BIOS";

// "华硕主板" (8 bytes)
constexpr std::string_view kCaptionAsus =
    "\xbb\xaa\xcb\xb6\xd6\xf7\xb0\xe5";

// "1.重启后进入BIOS，BIOS进入方法：开机时按F1.F2.F10或DEL，或者看开机时的提示（以F1为例）“Please press F1”。" (107 bytes)
constexpr std::string_view kTextT1 =
    "1.\xd6\xd8\xc6\xf4\xba\xf3\xbd\xf8\xc8\xeb""BIOS\xa3\xac""BIOS\xbd\xf8\xc8\xeb\xb7"
    "\xbd\xb7\xa8\xa3\xba\xbf\xaa\xbb\xfa\xca\xb1\xb0\xb4""F1.F2.F10\xbb\xf2""DEL\xa3\xac"
    "\xbb\xf2\xd5\xdf\xbf\xb4\xbf\xaa\xbb\xfa\xca\xb1\xb5\xc4\xcc\xe1\xca\xbe\xa3\xa8\xd2"
    "\xd4""F1\xce\xaa\xc0\xfd\xa3\xa9\xa1\xb0Please press F1\xa1\xb1\xa1\xa3";

// "在BIOS里找到“CPU Configuration”，按回车（Enter）进入。" (56 bytes)
constexpr std::string_view kTextT2 =
    "\xd4\xda""BIOS\xc0\xef\xd5\xd2\xb5\xbd\xa1\xb0""CPU Configuration\xa1\xb1\xa3\xac"
    "\xb0\xb4\xbb\xd8\xb3\xb5\xa3\xa8""Enter\xa3\xa9\xbd\xf8\xc8\xeb\xa1\xa3";

// "3.这时会看到“Inter Virtualization Teach”，将光标移动到这项，回车，选择“Enabled”，如果你的BIOS上有“Execute\r\n\r\n\r\nDisable Bit Capability”或者“Inter vt-d”，一起改成“Enabled”，没有的话忽略。\r\n\r\n\r\n4.最后按F10，提示“Save configuration changes and exit setup？”，选择OK。完成" (279 bytes)
constexpr std::string_view kTextT3 =
    "3.\xd5\xe2\xca\xb1\xbb\xe1\xbf\xb4\xb5\xbd\xa1\xb0Inter Virtualization Teach\xa1\xb1"
    "\xa3\xac\xbd\xab\xb9\xe2\xb1\xea\xd2\xc6\xb6\xaf\xb5\xbd\xd5\xe2\xcf\xee\xa3\xac\xbb"
    "\xd8\xb3\xb5\xa3\xac\xd1\xa1\xd4\xf1\xa1\xb0""Enabled\xa1\xb1\xa3\xac\xc8\xe7\xb9"
    "\xfb\xc4\xe3\xb5\xc4""BIOS\xc9\xcf\xd3\xd0\xa1\xb0""Execute\x0d\x0a\x0d\x0a\x0d\x0a"""
    "Disable Bit Capability\xa1\xb1\xbb\xf2\xd5\xdf\xa1\xb0Inter vt-d\xa1\xb1\xa3\xac\xd2"
    "\xbb\xc6\xf0\xb8\xc4\xb3\xc9\xa1\xb0""Enabled\xa1\xb1\xa3\xac\xc3\xbb\xd3\xd0\xb5"
    "\xc4\xbb\xb0\xba\xf6\xc2\xd4\xa1\xa3\x0d\x0a\x0d\x0a\x0d\x0a""4.\xd7\xee\xba\xf3\xb0"
    "\xb4""F10\xa3\xac\xcc\xe1\xca\xbe\xa1\xb0Save configuration changes and exit setup"
    "\xa3\xbf\xa1\xb1\xa3\xac\xd1\xa1\xd4\xf1OK\xa1\xa3\xcd\xea\xb3\xc9";

// "微星主板\r\n\r\n1.重启后进入BIOS，BIOS进入方法：开机时按F1.F2.F10或DEL，或者看开机时的提示（以F1为例）“Please press F1”。" (119 bytes)
constexpr std::string_view kTextM1 =
    "\xce\xa2\xd0\xc7\xd6\xf7\xb0\xe5\x0d\x0a\x0d\x0a""1.\xd6\xd8\xc6\xf4\xba\xf3\xbd\xf8"
    "\xc8\xeb""BIOS\xa3\xac""BIOS\xbd\xf8\xc8\xeb\xb7\xbd\xb7\xa8\xa3\xba\xbf\xaa\xbb\xfa"
    "\xca\xb1\xb0\xb4""F1.F2.F10\xbb\xf2""DEL\xa3\xac\xbb\xf2\xd5\xdf\xbf\xb4\xbf\xaa\xbb"
    "\xfa\xca\xb1\xb5\xc4\xcc\xe1\xca\xbe\xa3\xa8\xd2\xd4""F1\xce\xaa\xc0\xfd\xa3\xa9\xa1"
    "\xb0Please press F1\xa1\xb1\xa1\xa3";

// "这时会看到“Inter Virtualization Teach”，将光标移动到这项，回车，选择“Enabled”，如果你的BIOS上有“Execute-Disable Bit Capability”或者“Inter vt-d”，一起改成“Enabled”，没有的话忽略。" (188 bytes)
constexpr std::string_view kTextM2 =
    "\xd5\xe2\xca\xb1\xbb\xe1\xbf\xb4\xb5\xbd\xa1\xb0Inter Virtualization Teach\xa1\xb1"
    "\xa3\xac\xbd\xab\xb9\xe2\xb1\xea\xd2\xc6\xb6\xaf\xb5\xbd\xd5\xe2\xcf\xee\xa3\xac\xbb"
    "\xd8\xb3\xb5\xa3\xac\xd1\xa1\xd4\xf1\xa1\xb0""Enabled\xa1\xb1\xa3\xac\xc8\xe7\xb9"
    "\xfb\xc4\xe3\xb5\xc4""BIOS\xc9\xcf\xd3\xd0\xa1\xb0""Execute-Disable Bit Capability"
    "\xa1\xb1\xbb\xf2\xd5\xdf\xa1\xb0Inter vt-d\xa1\xb1\xa3\xac\xd2\xbb\xc6\xf0\xb8\xc4"
    "\xb3\xc9\xa1\xb0""Enabled\xa1\xb1\xa3\xac\xc3\xbb\xd3\xd0\xb5\xc4\xbb\xb0\xba\xf6"
    "\xc2\xd4\xa1\xa3";

// "技嘉主板\r\n\r\n1.重启后进入BIOS，BIOS进入方法：开机时按F1.F2.F10或DEL，或者看开机时的提示（以F1为例）“Please press F1”。\r\n\r\n2.选择“BIOS Features”\r\n\r\n3.这时会看到“Inter Virtualization Teach”，将光标移动到这项，回车，选择“Enabled”，如果你的BIOS上有“Execute-Disable Bit Capability”或者“Inter vt-d”，一起改成“Enabled”，没有的话忽略。" (340 bytes)
constexpr std::string_view kTextG1 =
    "\xbc\xbc\xbc\xce\xd6\xf7\xb0\xe5\x0d\x0a\x0d\x0a""1.\xd6\xd8\xc6\xf4\xba\xf3\xbd\xf8"
    "\xc8\xeb""BIOS\xa3\xac""BIOS\xbd\xf8\xc8\xeb\xb7\xbd\xb7\xa8\xa3\xba\xbf\xaa\xbb\xfa"
    "\xca\xb1\xb0\xb4""F1.F2.F10\xbb\xf2""DEL\xa3\xac\xbb\xf2\xd5\xdf\xbf\xb4\xbf\xaa\xbb"
    "\xfa\xca\xb1\xb5\xc4\xcc\xe1\xca\xbe\xa3\xa8\xd2\xd4""F1\xce\xaa\xc0\xfd\xa3\xa9\xa1"
    "\xb0Please press F1\xa1\xb1\xa1\xa3\x0d\x0a\x0d\x0a""2.\xd1\xa1\xd4\xf1\xa1\xb0""BIO"
    "S Features\xa1\xb1\x0d\x0a\x0d\x0a""3.\xd5\xe2\xca\xb1\xbb\xe1\xbf\xb4\xb5\xbd\xa1"
    "\xb0Inter Virtualization Teach\xa1\xb1\xa3\xac\xbd\xab\xb9\xe2\xb1\xea\xd2\xc6\xb6"
    "\xaf\xb5\xbd\xd5\xe2\xcf\xee\xa3\xac\xbb\xd8\xb3\xb5\xa3\xac\xd1\xa1\xd4\xf1\xa1\xb0"""
    "Enabled\xa1\xb1\xa3\xac\xc8\xe7\xb9\xfb\xc4\xe3\xb5\xc4""BIOS\xc9\xcf\xd3\xd0\xa1"
    "\xb0""Execute-Disable Bit Capability\xa1\xb1\xbb\xf2\xd5\xdf\xa1\xb0Inter vt-d\xa1"
    "\xb1\xa3\xac\xd2\xbb\xc6\xf0\xb8\xc4\xb3\xc9\xa1\xb0""Enabled\xa1\xb1\xa3\xac\xc3"
    "\xbb\xd3\xd0\xb5\xc4\xbb\xb0\xba\xf6\xc2\xd4\xa1\xa3";

// ---- Design names --------------------------------------------------------------------

// "标签1"
constexpr std::string_view kLabel1 = "\xb1\xea\xc7\xa9""1";
// "标签2"
constexpr std::string_view kLabel2 = "\xb1\xea\xc7\xa9""2";
// "标签3"
constexpr std::string_view kLabel3 = "\xb1\xea\xc7\xa9""3";
// "图片框1"
constexpr std::string_view kPicBox1 = "\xcd\xbc\xc6\xac\xbf\xf2""1";
// "图片框2"
constexpr std::string_view kPicBox2 = "\xcd\xbc\xc6\xac\xbf\xf2""2";
// "按钮1"
constexpr std::string_view kButton1 = "\xb0\xb4\xc5\xa5""1";
// "按钮2"
constexpr std::string_view kButton2 = "\xb0\xb4\xc5\xa5""2";
// "按钮3"
constexpr std::string_view kButton3 = "\xb0\xb4\xc5\xa5""3";
// "按钮4"
constexpr std::string_view kButton4 = "\xb0\xb4\xc5\xa5""4";
// "按钮5"
constexpr std::string_view kButton5 = "\xb0\xb4\xc5\xa5""5";

// ---- Property blocks ---------------------------------------------------------------
// Each block is written in its kind's stored order, from the values that every unit of
// that kind here shares plus the few that differ.

constexpr std::uint32_t kButtonFace = 0xFF000000;
constexpr std::uint32_t kGrey = 0x00808080;
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kRed = 0x000000FF;
constexpr std::uint32_t kBlue = 0x00FF0000;

struct LabelBlock {
  std::uint32_t textColour = kBlack;
  std::uint32_t vAlign = 1;
  std::uint32_t wordWrap = 1;
  Bytes font;  // a 60-byte font description, or empty for the default GUI font
  std::string_view text;
};

Bytes labelBlock(const LabelBlock& b) {
  PropertyWriter w;
  w.u32(2)                                   // version
      .u32(0)                                // effect
      .i32(8)                                // frameWidth
      .u32(0)                                // border
      .u32(kGrey).u32(kWhite).u32(kGrey)     // frame colours
      .u32(b.textColour)
      .u32(kButtonFace)                      // backColour
      .u32(1)                                // pictureMode
      .u32(0)                                // gradientMode
      .u32(kGrey).u32(kWhite).u32(kGrey)     // gradient colours
      .u32(0)                                // hAlign
      .u32(b.vAlign)
      .u32(b.wordWrap)
      .blob(b.font)
      .blob({})                              // backPicture
      .text(b.text)
      .text({})                              // dataSource
      .text({});                             // dataColumn
  return std::move(w).bytes();
}

Bytes buttonBlock(std::string_view caption) {
  PropertyWriter w;
  w.u32(1)        // version
      .u32(0)     // type: normal push button
      .u32(1)     // hAlign: centre
      .u32(1)     // vAlign: middle
      .blob({})   // picture
      .blob({})   // font
      .text(caption);
  return std::move(w).bytes();
}

// The description of the 16-pixel font of the BIOS introduction: height -16, weight 400,
// character set 134 as stored, every other field 0 and an empty face name.
Bytes biosIntroFont() {
  PropertyWriter w;
  w.i32(-16).i32(0).i32(0).i32(0).i32(400);
  Bytes b = std::move(w).bytes();
  const std::uint8_t bytes[8] = {0, 0, 0, 134, 0, 0, 0, 0};
  b.insert(b.end(), bytes, bytes + 8);
  b.resize(60, 0);  // lfFaceName: 32 NUL bytes
  return b;
}

// ---- Units -----------------------------------------------------------------------------

UnitDefinition windowUnit(UnitId id, int width, int height, std::vector<EventBinding> events = {}) {
  UnitDefinition u;
  u.id = id;
  u.kind = KindCode::window;
  u.left = 50;
  u.top = 50;
  u.width = width;
  u.height = height;
  u.flags = UnitFlag::visible;
  u.events = std::move(events);
  return u;
}

UnitDefinition control(UnitId id, std::uint32_t kind, std::string_view name, int left, int top,
                       int width, int height, PropertyBlock ownData) {
  UnitDefinition u;
  u.id = id;
  u.kind = kind;
  u.name = std::string(name);
  u.left = left;
  u.top = top;
  u.width = width;
  u.height = height;
  u.flags = UnitFlag::visible;
  u.ownData = std::move(ownData);
  return u;
}

UnitDefinition label(UnitId id, std::string_view name, int left, int top, int width, int height,
                     const LabelBlock& block) {
  return control(id, KindCode::Label, name, left, top, width, height, labelBlock(block));
}

// The block is the one linked into the program around its picture (EmbeddedFiles.h).
UnitDefinition picBox(UnitId id, std::string_view name, int left, int top, int width, int height,
                      FileBytes linkedBlock) {
  return control(id, KindCode::PicBox, name, left, top, width, height, PropertyBlock::linked(linkedBlock));
}

UnitDefinition button(UnitId id, std::string_view name, int left, int top, int width, int height,
                      std::string_view caption, HandlerRef onClick) {
  UnitDefinition u = control(id, KindCode::Button, name, left, top, width, height, buttonBlock(caption));
  u.flags = UnitFlag::visible | UnitFlag::tabStop;
  u.events.push_back({0, onClick, {}});
  return u;
}

FormDefinition mainWindow() {
  return {WindowIds::MainWindow,
          {
              windowUnit(0x06010000, 651, 693, {{0, HandlerRefs::OnMainWindowCreated, {}}}),
              label(0x16010039, kLabel2, 328, 24, 304, 40, {kBlue, 1, 0, {}, kMainRemark}),
              label(0x16010038, kLabel1, 208, 80, 416, 200, {kRed, 1, 1, {}, kMainProcedure}),
              picBox(0x16010037, kPicBox1, 8, 304, 616, 344, MainPictureBox()),
              button(0x16010034, kButton5, 24, 216, 128, 32, kCaptionAsus, HandlerRefs::OpenAsusGuide),
              button(0x16010024, kButton4, 208, 24, 112, 40, kCaptionBiosIntro, HandlerRefs::OpenBiosIntro),
              button(0x16010013, kButton3, 24, 152, 128, 40, kCaptionGigabyte, HandlerRefs::OpenGigabyteGuide),
              button(0x16010003, kButton2, 24, 88, 128, 40, kCaptionMsi, HandlerRefs::OpenMsiGuide),
              button(0x16010002, kButton1, 24, 24, 128, 40, kCaptionBiostar, HandlerRefs::OpenBiostarGuide),
          }};
}

FormDefinition biostarGuide() {
  return {WindowIds::BiostarGuide,
          {
              windowUnit(0x06010006, 825, 618),
              label(0x16010010, kLabel3, 456, 368, 320, 192, {kBlack, 1, 1, {}, kTextT3}),
              label(0x1601000D, kLabel2, 16, 352, 368, 24, {kBlack, 1, 0, {}, kTextT2}),
              picBox(0x1601000C, kPicBox2, 0, 384, 424, 152, BiostarAdvancedPictureBox()),
              picBox(0x1601000B, kPicBox1, 8, 56, 584, 288, BiostarMainPictureBox()),
              label(0x16010008, kLabel1, 16, 16, 608, 48, {kBlack, 1, 1, {}, kTextT1}),
          }};
}

FormDefinition msiGuide() {
  return {WindowIds::MsiGuide,
          {
              windowUnit(0x06010014, 815, 869),
              picBox(0x1601001D, kPicBox2, 8, 432, 608, 392, MsiCpuFeaturePictureBox()),
              label(0x1601001C, kLabel2, 0, 368, 784, 56, {kBlack, 1, 1, {}, kTextM2}),
              picBox(0x1601001B, kPicBox1, -8, 80, 552, 288, MsiMenuPictureBox()),
              label(0x1601001A, kLabel1, 0, 8, 544, 72, {kBlack, 1, 1, {}, kTextM1}),
          }};
}

FormDefinition gigabyteGuide() {
  return {WindowIds::GigabyteGuide,
          {
              windowUnit(0x06010016, 770, 554),
              picBox(0x16010023, kPicBox1, 48, 160, 480, 312, GigabyteCpuPictureBox()),
              label(0x16010020, kLabel1, 40, 16, 592, 120, {kBlack, 1, 1, {}, kTextG1}),
          }};
}

FormDefinition biosIntro() {
  return {WindowIds::BiosIntro,
          {
              windowUnit(0x06010026, 696, 595),
              label(0x1601002F, kLabel1, 16, 8, 648, 464, {kBlack, 0, 1, biosIntroFont(), BiosIntroText()}),
          }};
}

FormDefinition asusGuide() {
  return {WindowIds::AsusGuide,
          {
              windowUnit(0x06010028, 827, 699),
              picBox(0x16010036, kPicBox1, 16, 24, 736, 632, AsusCpuPictureBox()),
          }};
}

}  // namespace

std::vector<FormDefinition> storedForms() {
  std::vector<FormDefinition> forms;
  forms.reserve(6);
  forms.push_back(mainWindow());
  forms.push_back(biostarGuide());
  forms.push_back(msiGuide());
  forms.push_back(gigabyteGuide());
  forms.push_back(biosIntro());
  forms.push_back(asusGuide());
  return forms;
}

}  // namespace vtg::content
