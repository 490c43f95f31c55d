#pragma once
// A fixture for tests of top-level windows: loads definitions through the real loader and
// records, in order, every event of the units it binds and every window that goes away.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QTest>

#include "content/Forms.h"
#include "controls/ControlUnit.h"
#include "controls/TopWindow.h"
#include "forms/FormModel.h"
#include "platform/Gbk.h"
#include "shell/WindowLoader.h"

namespace vtg::testing {

// Handler references the fixture hands out: one per (form tag, unit position, event index).
constexpr HandlerRef kRecordRefBase = 0x1000000;
constexpr HandlerRef recordRef(char tag, int position, std::int32_t index) {
  return kRecordRefBase + HandlerRef(tag) * 0x10000 + HandlerRef(position) * 0x100 + HandlerRef(index + 16);
}

// Adds bindings for `indexes` to every unit of `form`, after any binding it already has.
// Their events log as "<tag><unit position>:<index>", "A0:1" for instance.
inline void recordEvents(FormDefinition& form, std::initializer_list<std::int32_t> indexes, char tag = 'A') {
  for (std::size_t pos = 0; pos < form.units.size(); ++pos)
    for (auto index : indexes) form.units[pos].events.push_back({index, recordRef(tag, int(pos), index), {}});
}

inline FormDefinition storedForm(WindowId id) {
  for (FormDefinition& form : content::storedForms())
    if (form.windowId == id) return form;
  ADD_FAILURE() << "no stored definition " << std::hex << id;
  return {};
}

class WindowFixture : public ::testing::Test {
 protected:
  // Builds the store. Recorded events log as recordEvents says, a window going away as
  // "gone"; the program's own handlers log as "handler <ref>" and do nothing else.
  void useForms(std::vector<FormDefinition> forms) {
    loader_.reset();
    store_ = FormStore::build(std::move(forms), [this](HandlerRef ref, Handler& out) {
      out = [this, ref](std::span<const std::int32_t>) -> HandlerResult {
        std::string entry;
        if (ref >= kRecordRefBase) {
          const HandlerRef r = ref - kRecordRefBase;
          entry = std::string(1, char(r / 0x10000)) + std::to_string((r / 0x100) % 0x100) + ":" +
                  std::to_string(int(r % 0x100) - 16);
        } else {
          entry = "handler " + std::to_string(ref);
        }
        log_.push_back(entry);
        auto answer = answers_.find(entry);
        return answer == answers_.end() ? HandlerResult{} : HandlerResult{answer->second};
      };
      return true;
    });
    ASSERT_TRUE(store_);
    shell::WindowLoader::Callbacks callbacks;
    callbacks.windowGone = [this] { log_.push_back("gone"); };
    loader_ = std::make_unique<shell::WindowLoader>(*store_, callbacks);
  }

  // Loads a window and waits until it is the active window.
  controls::TopWindow* open(WindowId id) {
    if (!loader_->LoadWindow(id)) return nullptr;
    controls::TopWindow* window = loader_->openWindow(id);
    if (window && !QTest::qWaitForWindowActive(window)) ADD_FAILURE() << "window never became active";
    return window;
  }

  // The design name (as UTF-8) of the control that has the focus in `window`, "" for the
  // window itself.
  std::string focusedName(controls::TopWindow* window) const {
    const controls::ControlUnit* unit = window->focusedControl();
    if (!unit) return "";
    const FormDefinition* form = store_->find(window->windowId());
    auto found = form->findUnit(unit->unitId());
    return found ? platform::unicodeFromGbk(found->unit->name).toStdString() : "?";
  }

  // Sends a key press and release to whoever has the keyboard focus, as typing does.
  static void type(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : window, key, modifiers);
  }

  std::vector<std::string> takeLog() { return std::exchange(log_, {}); }
  // The entries of one form tag, in order.
  std::vector<std::string> logOf(char tag) const {
    std::vector<std::string> out;
    for (const auto& e : log_)
      if (!e.empty() && e[0] == tag && e != "gone") out.push_back(e);
    return out;
  }

  void TearDown() override {
    loader_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  std::optional<FormStore> store_;
  std::unique_ptr<shell::WindowLoader> loader_;
  std::vector<std::string> log_;
  std::map<std::string, std::int32_t> answers_;  // what a recorded handler returns
};

}  // namespace vtg::testing
