// The definition model: identifiers, the property stream, look-ups and the binding rule.

#include <gtest/gtest.h>

#include <array>

#include "forms/FormModel.h"
#include "forms/PropertyStream.h"

namespace vtg {
namespace {

TEST(Identifiers, ValidityNeedsSerialAndSortBits) {
  struct Case {
    std::uint32_t id;
    bool valid;
  };
  const Case cases[] = {
      {0x00000000, false}, {0x52010001, true}, {0x06010000, true},  {0x16010039, true},
      {0x52000000, false},  // no serial number
      {0x00000001, false},  // no sort bits at all
      {0xF0000001, false},  // sort bits only above bit 27
      {0x01000001, true},   {0x08FFFFFF, true},  {0xFFFFFFFF, true},
  };
  for (const auto& c : cases) EXPECT_EQ(isValidId(c.id), c.valid) << std::hex << c.id;
}

TEST(Identifiers, StateBitsCarryDisabledAndTabStopButNeverVisible) {
  EXPECT_EQ(stateBitsFromFlags(UnitFlag::visible), 0u);
  EXPECT_EQ(stateBitsFromFlags(5), StateBit::tabStop);
  EXPECT_EQ(stateBitsFromFlags(7), StateBit::tabStop | StateBit::disabled);
}

TEST(PropertyReader, ReadsLittleEndianNumbersBlobsAndTexts) {
  const std::uint8_t bytes[] = {
      0x78, 0x56, 0x34, 0x12,              // u32 0x12345678
      0xF0, 0xFF, 0xFF, 0xFF,              // i32 -16
      0x03, 0x00, 0x00, 0x00, 1, 2, 3,     // blob of 3
      0xFF, 0xFF, 0xFF, 0xFF,              // blob with count -1: empty, nothing follows
      0x05, 0x00, 0x00, 0x00, 'a', 'b', 0, 'c', 'd',  // text cut at its NUL
      0x00, 0x00, 0x00, 0x00,              // empty text
  };
  PropertyReader r(bytes);
  std::uint32_t u = 0;
  std::int32_t i = 0;
  Bytes blob, empty{9};
  std::string text, none = "x";
  ASSERT_TRUE(r.u32(u));
  ASSERT_TRUE(r.i32(i));
  ASSERT_TRUE(r.blob(blob));
  ASSERT_TRUE(r.blob(empty));
  ASSERT_TRUE(r.text(text));
  ASSERT_TRUE(r.text(none));
  EXPECT_EQ(u, 0x12345678u);
  EXPECT_EQ(i, -16);
  EXPECT_EQ(blob, (Bytes{1, 2, 3}));
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(none, "");
  EXPECT_EQ(r.remaining(), 0u);
  EXPECT_TRUE(r.ok());
}

TEST(PropertyReader, ReadingPastTheEndFailsAndStaysFailed) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"number cut short", {1, 0, 0}},
      {"blob longer than the data", {4, 0, 0, 0, 1, 2}},
      {"blob count near 2^31", {0xFF, 0xFF, 0xFF, 0x7F, 1}},
      {"empty stream", {}},
  };
  for (const auto& c : cases) {
    PropertyReader r(c.bytes);
    Bytes blob;
    EXPECT_FALSE(r.blob(blob)) << c.what;
    EXPECT_FALSE(r.ok()) << c.what;
    // Once failed, even a read that would fit fails, so a kind may check once at the end.
    std::uint32_t v = 0;
    EXPECT_FALSE(r.u32(v)) << c.what;
  }
}

TEST(PropertyWriter, WritesWhatTheReaderReadsBack) {
  const Bytes picture = {0xFF, 0xD8, 0xFF, 0xD9};
  PropertyWriter w;
  w.u32(2).i32(-8).blob(picture).blob({}).text("\xb1\xea\xc7\xa9");
  const Bytes bytes = w.bytes();
  EXPECT_EQ(bytes.size(), 4u + 4 + 4 + 4 + 4 + 4 + 4);

  PropertyReader r(bytes);
  std::uint32_t version = 0;
  std::int32_t frame = 0;
  Bytes p1, p2;
  std::string text;
  ASSERT_TRUE(r.u32(version) && r.i32(frame) && r.blob(p1) && r.blob(p2) && r.text(text));
  EXPECT_EQ(version, 2u);
  EXPECT_EQ(frame, -8);
  EXPECT_EQ(p1, picture);
  EXPECT_TRUE(p2.empty());
  EXPECT_EQ(text, "\xb1\xea\xc7\xa9");
}

// A small store: two definitions, the second with a control.
std::vector<FormDefinition> twoForms() {
  UnitDefinition w1{.id = 0x06010000, .kind = KindCode::window, .flags = 1};
  UnitDefinition w2{.id = 0x06010006, .kind = KindCode::window, .flags = 1};
  UnitDefinition button{.id = 0x16010002, .kind = KindCode::Button, .flags = 5};
  button.events = {{0, 7, {}}, {0, 8, {}}, {-7, 0, {}}};
  return {{0x52010001, {w1}}, {0x52010007, {w2, button}}};
}

FormStore::HandlerResolver acceptRefs(std::vector<HandlerRef>* seen = nullptr) {
  return [seen](HandlerRef ref, Handler& out) {
    if (seen) seen->push_back(ref);
    out = [ref](std::span<const std::int32_t>) -> HandlerResult { return std::int32_t(ref); };
    return true;
  };
}

TEST(FormStore, FindsDefinitionsAndUnitsByValidIdsOnly) {
  auto store = FormStore::build(twoForms(), acceptRefs());
  ASSERT_TRUE(store);
  ASSERT_EQ(store->each().size(), 2u);
  EXPECT_EQ(store->each()[0].windowId, 0x52010001u);
  EXPECT_EQ(store->each()[1].windowId, 0x52010007u);

  EXPECT_NE(store->find(0x52010007), nullptr);
  EXPECT_EQ(store->find(0), nullptr);
  EXPECT_EQ(store->find(0x52010099), nullptr);
  EXPECT_EQ(store->find(0x50010007), nullptr);  // bits 24-27 zero: invalid, never found

  const FormDefinition& form = *store->find(0x52010007);
  EXPECT_EQ(form.unitCount(), 2);
  EXPECT_EQ(form.unitAt(0)->kind, KindCode::window);
  EXPECT_EQ(form.unitAt(2), nullptr);
  EXPECT_EQ(form.unitAt(-1), nullptr);
  auto hit = form.findUnit(0x16010002);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->position, 1);
  EXPECT_FALSE(form.findUnit(0));
  EXPECT_FALSE(form.findUnit(0x16010003));
}

TEST(FormStore, TheFirstBindingOfAnIndexCounts) {
  std::vector<HandlerRef> resolved;
  auto store = FormStore::build(twoForms(), acceptRefs(&resolved));
  ASSERT_TRUE(store);
  EXPECT_EQ(resolved, (std::vector<HandlerRef>{7, 8}));  // the none reference needs no routine
  const UnitDefinition& button = *store->find(0x52010007)->unitAt(1);
  const EventBinding* click = button.bindingFor(0);
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(click->handler({}), 7);
  const EventBinding* focus = button.bindingFor(-7);
  ASSERT_NE(focus, nullptr);
  EXPECT_FALSE(focus->handler);  // bound to none: as if not bound
  EXPECT_EQ(button.bindingFor(1), nullptr);

  // A first binding to none hides a later one with a handler.
  auto forms = twoForms();
  forms[1].units[1].events = {{0, kNoHandler, {}}, {0, 7, {}}};
  auto store2 = FormStore::build(forms, acceptRefs());
  ASSERT_TRUE(store2);
  EXPECT_FALSE(store2->find(0x52010007)->unitAt(1)->bindingFor(0)->handler);
}

TEST(FormStore, DefinitionsThatCannotBeReadFailTheBuild) {
  struct Case {
    const char* what;
    void (*spoil)(std::vector<FormDefinition>&);
  };
  const Case cases[] = {
      {"no units", [](auto& f) { f[0].units.clear(); }},
      {"control at position 0", [](auto& f) { std::swap(f[1].units[0], f[1].units[1]); }},
      {"invalid window id", [](auto& f) { f[0].windowId = 0x00010001; }},
      {"repeated window id", [](auto& f) { f[1].windowId = f[0].windowId; }},
      {"handler that names nothing", [](auto& f) { f[1].units[1].events[0].handlerRef = 99; }},
  };
  const FormStore::HandlerResolver resolver = [](HandlerRef ref, Handler& out) {
    if (ref == 99) return false;
    out = [](std::span<const std::int32_t>) -> HandlerResult { return std::nullopt; };
    return true;
  };
  ASSERT_TRUE(FormStore::build(twoForms(), resolver));
  for (const auto& c : cases) {
    auto forms = twoForms();
    c.spoil(forms);
    EXPECT_FALSE(FormStore::build(forms, resolver)) << c.what;
  }
}

}  // namespace
}  // namespace vtg
