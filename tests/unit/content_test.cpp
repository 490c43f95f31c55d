// The six window definitions against the values the guide is made of: ids, kinds, names,
// geometry, flags and bindings by value, and the property blocks byte for byte.

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "content/BiosIntroText.h"
#include "content/EmbeddedFiles.h"
#include "content/Forms.h"
#include "forms/PropertyStream.h"
#include "platform/Gbk.h"

namespace vtg::content {
namespace {

using platform::gbkFromUtf8;

const FormDefinition& form(WindowId id) {
  static const std::vector<FormDefinition> forms = storedForms();
  for (const auto& f : forms)
    if (f.windowId == id) return f;
  throw std::runtime_error("no such form");
}

TEST(Content, SixDefinitionsInStoreOrderEachWithItsWindowUnit) {
  struct Case {
    WindowId id;
    UnitId windowUnit;
    int width, height, unitCount;
  };
  const Case cases[] = {
      {WindowIds::MainWindow, 0x06010000, 651, 693, 9},  {WindowIds::BiostarGuide, 0x06010006, 825, 618, 6},
      {WindowIds::MsiGuide, 0x06010014, 815, 869, 5},    {WindowIds::GigabyteGuide, 0x06010016, 770, 554, 3},
      {WindowIds::BiosIntro, 0x06010026, 696, 595, 2},   {WindowIds::AsusGuide, 0x06010028, 827, 699, 2},
  };
  const auto forms = storedForms();
  ASSERT_EQ(forms.size(), std::size(cases));
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const Case& c = cases[i];
    const FormDefinition& f = forms[i];
    SCOPED_TRACE(std::to_string(i));
    EXPECT_EQ(f.windowId, c.id);
    ASSERT_EQ(f.unitCount(), c.unitCount);
    const UnitDefinition& w = f.units[0];
    EXPECT_EQ(w.id, c.windowUnit);
    EXPECT_EQ(w.kind, KindCode::window);
    EXPECT_TRUE(w.name.empty());
    EXPECT_EQ(w.left, 50);
    EXPECT_EQ(w.top, 50);
    EXPECT_EQ(w.width, c.width);
    EXPECT_EQ(w.height, c.height);
    EXPECT_EQ(w.flags, 1u);
    EXPECT_EQ(w.tabOrder, 0);
    EXPECT_TRUE(w.ownData.empty());
    if (c.id == WindowIds::MainWindow) {
      ASSERT_EQ(w.events.size(), 1u);
      EXPECT_EQ(w.events[0].eventIndex, 0);
      EXPECT_EQ(w.events[0].handlerRef, HandlerRefs::OnMainWindowCreated);
    } else {
      EXPECT_TRUE(w.events.empty());
    }
  }
}

TEST(Content, EveryControlHasItsIdKindNameGeometryFlagsAndBinding) {
  struct Case {
    WindowId window;
    int position;
    UnitId id;
    std::uint32_t kind;
    const char* name;
    int left, top, width, height;
    HandlerRef onClick;
  };
  const Case cases[] = {
      {WindowIds::MainWindow, 1, 0x16010039, KindCode::Label, "标签2", 328, 24, 304, 40, 0},
      {WindowIds::MainWindow, 2, 0x16010038, KindCode::Label, "标签1", 208, 80, 416, 200, 0},
      {WindowIds::MainWindow, 3, 0x16010037, KindCode::PicBox, "图片框1", 8, 304, 616, 344, 0},
      {WindowIds::MainWindow, 4, 0x16010034, KindCode::Button, "按钮5", 24, 216, 128, 32, HandlerRefs::OpenAsusGuide},
      {WindowIds::MainWindow, 5, 0x16010024, KindCode::Button, "按钮4", 208, 24, 112, 40, HandlerRefs::OpenBiosIntro},
      {WindowIds::MainWindow, 6, 0x16010013, KindCode::Button, "按钮3", 24, 152, 128, 40, HandlerRefs::OpenGigabyteGuide},
      {WindowIds::MainWindow, 7, 0x16010003, KindCode::Button, "按钮2", 24, 88, 128, 40, HandlerRefs::OpenMsiGuide},
      {WindowIds::MainWindow, 8, 0x16010002, KindCode::Button, "按钮1", 24, 24, 128, 40, HandlerRefs::OpenBiostarGuide},
      {WindowIds::BiostarGuide, 1, 0x16010010, KindCode::Label, "标签3", 456, 368, 320, 192, 0},
      {WindowIds::BiostarGuide, 2, 0x1601000D, KindCode::Label, "标签2", 16, 352, 368, 24, 0},
      {WindowIds::BiostarGuide, 3, 0x1601000C, KindCode::PicBox, "图片框2", 0, 384, 424, 152, 0},
      {WindowIds::BiostarGuide, 4, 0x1601000B, KindCode::PicBox, "图片框1", 8, 56, 584, 288, 0},
      {WindowIds::BiostarGuide, 5, 0x16010008, KindCode::Label, "标签1", 16, 16, 608, 48, 0},
      {WindowIds::MsiGuide, 1, 0x1601001D, KindCode::PicBox, "图片框2", 8, 432, 608, 392, 0},
      {WindowIds::MsiGuide, 2, 0x1601001C, KindCode::Label, "标签2", 0, 368, 784, 56, 0},
      {WindowIds::MsiGuide, 3, 0x1601001B, KindCode::PicBox, "图片框1", -8, 80, 552, 288, 0},
      {WindowIds::MsiGuide, 4, 0x1601001A, KindCode::Label, "标签1", 0, 8, 544, 72, 0},
      {WindowIds::GigabyteGuide, 1, 0x16010023, KindCode::PicBox, "图片框1", 48, 160, 480, 312, 0},
      {WindowIds::GigabyteGuide, 2, 0x16010020, KindCode::Label, "标签1", 40, 16, 592, 120, 0},
      {WindowIds::BiosIntro, 1, 0x1601002F, KindCode::Label, "标签1", 16, 8, 648, 464, 0},
      {WindowIds::AsusGuide, 1, 0x16010036, KindCode::PicBox, "图片框1", 16, 24, 736, 632, 0},
  };
  for (const auto& c : cases) {
    const UnitDefinition& u = *form(c.window).unitAt(c.position);
    SCOPED_TRACE(c.name + std::string(" in ") + std::to_string(c.window));
    EXPECT_EQ(u.id, c.id);
    EXPECT_EQ(u.kind, c.kind);
    EXPECT_EQ(u.name, gbkFromUtf8(c.name));
    EXPECT_EQ(u.left, c.left);
    EXPECT_EQ(u.top, c.top);
    EXPECT_EQ(u.width, c.width);
    EXPECT_EQ(u.height, c.height);
    EXPECT_EQ(u.parent, 0u);
    EXPECT_TRUE(u.comment.empty() && u.tag.empty() && u.children.empty());
    EXPECT_EQ(u.mousePointer, 0);
    EXPECT_EQ(u.tabOrder, 0);
    EXPECT_EQ(u.flags, c.kind == KindCode::Button ? 5u : 1u);
    if (c.onClick) {
      ASSERT_EQ(u.events.size(), 1u);
      EXPECT_EQ(u.events[0].eventIndex, 0);
      EXPECT_EQ(u.events[0].handlerRef, c.onClick);
    } else {
      EXPECT_TRUE(u.events.empty());
    }
  }
}

// A label block read field by field in its stored order.
struct LabelFields {
  std::uint32_t version, effect;
  std::int32_t frameWidth;
  std::uint32_t border, frame1, frame2, frame3, textColour, backColour, pictureMode, gradientMode, grad1,
      grad2, grad3, hAlign, vAlign, wordWrap;
  Bytes font, backPicture;
  std::string text, dataSource, dataColumn;
};

LabelFields readLabel(std::span<const std::uint8_t> block) {
  LabelFields f{};
  PropertyReader r(block);
  r.u32(f.version);
  r.u32(f.effect);
  r.i32(f.frameWidth);
  for (std::uint32_t* p : {&f.border, &f.frame1, &f.frame2, &f.frame3, &f.textColour, &f.backColour, &f.pictureMode,
                           &f.gradientMode, &f.grad1, &f.grad2, &f.grad3, &f.hAlign, &f.vAlign, &f.wordWrap})
    r.u32(*p);
  r.blob(f.font);
  r.blob(f.backPicture);
  r.text(f.text);
  r.text(f.dataSource);
  r.text(f.dataColumn);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.remaining(), 0u);
  return f;
}

TEST(Content, LabelBlocksHoldTheirTextsAndSettings) {
  struct Case {
    WindowId window;
    int position;
    std::uint32_t textColour, vAlign, wordWrap;
    std::size_t textBytes;
    const char* utf8;  // nullptr: the BIOS introduction, checked on its own
  };
  const Case cases[] = {
      {WindowIds::MainWindow, 1, 0x00FF0000, 1, 0, 45, "主板开启虚拟化大体设置一样 以上提供的自我参考"},
      {WindowIds::MainWindow, 2, 0x000000FF, 1, 1, 285,
       "启动时根据提示按del 键\r\n\r\n按 F10 保存键以配置 BIOS\r\n\r\n找到“System Configuration”\r\n\r\n"
       "选择“Virtualization Technology”，然后按 Enter 键\r\n\r\n选择“Enabled”，然后按 Enter 键\r\n\r\n"
       "按 F10 键以保存并退出\r\n\r\n\r\n选择“Yes”，然后按 Enter 键\r\n"
       "完全关机（关闭电源），等待几秒钟，然后重新启动计算机"},
      {WindowIds::BiostarGuide, 5, 0, 1, 1, 107,
       "1.重启后进入BIOS，BIOS进入方法：开机时按F1.F2.F10或DEL，或者看开机时的提示（以F1为例）“Please press F1”。"},
      {WindowIds::BiostarGuide, 2, 0, 1, 0, 56, "在BIOS里找到“CPU Configuration”，按回车（Enter）进入。"},
      {WindowIds::BiostarGuide, 1, 0, 1, 1, 279,
       "3.这时会看到“Inter Virtualization Teach”，将光标移动到这项，回车，选择“Enabled”，如果你的BIOS上有“Execute"
       "\r\n\r\n\r\nDisable Bit Capability”或者“Inter vt-d”，一起改成“Enabled”，没有的话忽略。\r\n\r\n\r\n"
       "4.最后按F10，提示“Save configuration changes and exit setup？”，选择OK。完成"},
      {WindowIds::MsiGuide, 4, 0, 1, 1, 119,
       "微星主板\r\n\r\n1.重启后进入BIOS，BIOS进入方法：开机时按F1.F2.F10或DEL，或者看开机时的提示（以F1为例）“Please press F1”。"},
      {WindowIds::MsiGuide, 2, 0, 1, 1, 188,
       "这时会看到“Inter Virtualization Teach”，将光标移动到这项，回车，选择“Enabled”，如果你的BIOS上有"
       "“Execute-Disable Bit Capability”或者“Inter vt-d”，一起改成“Enabled”，没有的话忽略。"},
      {WindowIds::GigabyteGuide, 2, 0, 1, 1, 340,
       "技嘉主板\r\n\r\n1.重启后进入BIOS，BIOS进入方法：开机时按F1.F2.F10或DEL，或者看开机时的提示（以F1为例）“Please press F1”。"
       "\r\n\r\n2.选择“BIOS Features”\r\n\r\n3.这时会看到“Inter Virtualization Teach”，将光标移动到这项，回车，"
       "选择“Enabled”，如果你的BIOS上有“Execute-Disable Bit Capability”或者“Inter vt-d”，一起改成“Enabled”，没有的话忽略。"},
      {WindowIds::BiosIntro, 1, 0, 0, 1, 2142, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.window) + " unit " + std::to_string(c.position));
    const LabelFields f = readLabel(form(c.window).unitAt(c.position)->ownData);
    EXPECT_EQ(f.version, 2u);
    EXPECT_EQ(f.effect, 0u);
    EXPECT_EQ(f.frameWidth, 8);
    EXPECT_EQ(f.border, 0u);
    EXPECT_EQ(f.frame1, 0x00808080u);
    EXPECT_EQ(f.frame2, 0x00FFFFFFu);
    EXPECT_EQ(f.frame3, 0x00808080u);
    EXPECT_EQ(f.textColour, c.textColour);
    EXPECT_EQ(f.backColour, 0xFF000000u);
    EXPECT_EQ(f.pictureMode, 1u);
    EXPECT_EQ(f.gradientMode, 0u);
    EXPECT_EQ(f.grad1, 0x00808080u);
    EXPECT_EQ(f.grad2, 0x00FFFFFFu);
    EXPECT_EQ(f.grad3, 0x00808080u);
    EXPECT_EQ(f.hAlign, 0u);
    EXPECT_EQ(f.vAlign, c.vAlign);
    EXPECT_EQ(f.wordWrap, c.wordWrap);
    EXPECT_TRUE(f.backPicture.empty());
    EXPECT_TRUE(f.dataSource.empty() && f.dataColumn.empty());
    EXPECT_EQ(f.text.size(), c.textBytes);
    if (c.utf8) {
      EXPECT_EQ(f.text, gbkFromUtf8(c.utf8));
      EXPECT_TRUE(f.font.empty());
    } else {
      EXPECT_EQ(f.text, BiosIntroText());
    }
  }
}

TEST(Content, TheBiosIntroductionFontIsSixteenPixelsNormalWithAnEmptyFaceName) {
  const LabelFields f = readLabel(form(WindowIds::BiosIntro).unitAt(1)->ownData);
  Bytes expected = {0xF0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                    0x90, 0x01, 0, 0, 0, 0, 0, 134, 0, 0, 0, 0};
  expected.resize(60, 0);
  EXPECT_EQ(f.font, expected);
}

TEST(Content, ButtonBlocksAreVersionOneCentredWithTheirCaptions) {
  // The block of "华硕主板", byte for byte.
  const Bytes asus = {0x01, 0, 0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                      0x08, 0, 0, 0, 0xBB, 0xAA, 0xCB, 0xB6, 0xD6, 0xF7, 0xB0, 0xE5};
  EXPECT_EQ(form(WindowIds::MainWindow).unitAt(4)->ownData, asus);
  EXPECT_EQ(gbkFromUtf8("华硕主板"), std::string(asus.end() - 8, asus.end()));

  const std::pair<int, const char*> captions[] = {
      {4, "华硕主板"}, {5, "什么是BIOS"}, {6, "技嘉主板"}, {7, "微星主板"}, {8, "映泰主板"}};
  for (const auto& [position, caption] : captions) {
    const std::string gbk = gbkFromUtf8(caption);
    EXPECT_EQ(gbk.size(), position == 5 ? 10u : 8u) << caption;
    Bytes expected(asus.begin(), asus.begin() + 24);
    PropertyWriter w;
    w.text(gbk);
    expected.insert(expected.end(), w.bytes().begin(), w.bytes().end());
    EXPECT_EQ(form(WindowIds::MainWindow).unitAt(position)->ownData, expected) << caption;
  }
}

TEST(Content, PictureBoxBlocksHoldTheirWholePictureFiles) {
  struct Case {
    WindowId window;
    int position;
    FileBytes picture;
    FileBytes linkedBlock;
  };
  const Case cases[] = {
      {WindowIds::MainWindow, 3, MainPicture(), MainPictureBox()},
      {WindowIds::BiostarGuide, 3, BiostarAdvancedPicture(), BiostarAdvancedPictureBox()},
      {WindowIds::BiostarGuide, 4, BiostarMainPicture(), BiostarMainPictureBox()},
      {WindowIds::MsiGuide, 1, MsiCpuFeaturePicture(), MsiCpuFeaturePictureBox()},
      {WindowIds::MsiGuide, 3, MsiMenuPicture(), MsiMenuPictureBox()},
      {WindowIds::GigabyteGuide, 1, GigabyteCpuPicture(), GigabyteCpuPictureBox()},
      {WindowIds::AsusGuide, 1, AsusCpuPicture(), AsusCpuPictureBox()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.window) + " unit " + std::to_string(c.position));
    const std::span<const std::uint8_t> block = form(c.window).unitAt(c.position)->ownData;
    // The definition refers to the block linked into the program; the picture is not copied.
    EXPECT_EQ(block.data(), c.linkedBlock.data());
    EXPECT_EQ(block.size(), c.linkedBlock.size());
    PropertyReader r(block);
    std::uint32_t version = 9, border = 9, back = 0, mode = 9, play = 9;
    Bytes picture;
    std::string source = "x", column = "x";
    ASSERT_TRUE(r.u32(version) && r.u32(border) && r.u32(back) && r.u32(mode) && r.u32(play) &&
                r.blob(picture) && r.text(source) && r.text(column));
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(version, 2u);
    EXPECT_EQ(border, 0u);
    EXPECT_EQ(back, 0xFF000000u);
    EXPECT_EQ(mode, 0u);
    EXPECT_EQ(play, 1u);
    EXPECT_EQ(picture, Bytes(c.picture.begin(), c.picture.end()));
    ASSERT_GE(picture.size(), 4u);
    EXPECT_EQ(picture[0], 0xFF);
    EXPECT_EQ(picture[1], 0xD8);
    EXPECT_EQ(picture[picture.size() - 2], 0xFF);
    EXPECT_EQ(picture.back(), 0xD9);
    EXPECT_TRUE(source.empty() && column.empty());
  }
}

}  // namespace
}  // namespace vtg::content
