#include "shell/WindowLoader.h"

#include "controls/ControlUnit.h"
#include "controls/Kinds.h"
#include "controls/TopWindow.h"
#include "shell/Messages.h"

namespace vtg::shell {

using controls::ControlUnit;
using controls::RaiseResult;
using controls::TopWindow;

WindowLoader::WindowLoader(const FormStore& store, Callbacks callbacks)
    : store_(store), callbacks_(std::move(callbacks)) {}

WindowLoader::~WindowLoader() { closeAll(); }

bool WindowLoader::LoadWindow(WindowId id) {
  const FormDefinition* definition = store_.find(id);
  if (!definition) return false;

  if (TopWindow* open = openWindow(id)) {
    if (open->isMinimisedNow())
      open->restoreFromMinimised();
    else
      open->activate();
    return true;
  }

  suspendEvents();
  const bool built = build(*definition);
  resumeEvents();
  if (!built) return false;

  // The created, moved and resized events stand in for everything that happened while
  // the window was built; a handler may close the window at any of them.
  const UnitDefinition& windowUnit = definition->units.front();
  RaiseEvent(id, 0, controls::WindowEvent::created);
  if (!openWindow(id)) return true;
  RaiseEvent(id, 0, controls::WindowEvent::moved);
  if (!openWindow(id)) return true;
  RaiseEvent(id, 0, controls::WindowEvent::resized);
  TopWindow* window = openWindow(id);
  if (!window) return true;
  if (windowUnit.flags & UnitFlag::visible) window->showByPlacement();
  return true;
}

bool WindowLoader::build(const FormDefinition& definition) {
  const WindowId id = definition.windowId;
  LoadedWindow& record = loaded_[id];
  record = LoadedWindow{};
  record.values = &definition;
  const std::vector<UnitDefinition>& units = definition.units;
  const UnitDefinition& windowUnit = units.front();

  if (windowUnit.kind != KindCode::window) {
    loaded_.erase(id);
    return false;
  }
  controls::WindowCreateArgs windowArgs;
  windowArgs.ownData = windowUnit.ownData;
  windowArgs.stateBits = stateBitsFromFlags(windowUnit.flags);
  windowArgs.left = windowUnit.left;
  windowArgs.top = windowUnit.top;
  windowArgs.width = windowUnit.width;
  windowArgs.height = windowUnit.height;
  windowArgs.windowId = id;
  windowArgs.unitId = windowUnit.id;
  windowArgs.host = this;
  TopWindow* window = TopWindow::create(windowArgs);
  if (!window) {
    loaded_.erase(id);
    return false;
  }
  record.window = window;
  record.controls.assign(units.size(), nullptr);

  // Controls are made from the last unit to the first; identifiers count up from 100.
  int controlId = 100;
  for (std::size_t pos = units.size() - 1; pos >= 1; --pos) {
    const UnitDefinition& unit = units[pos];
    const controls::ControlCreateFn create = controls::controlKind(unit.kind);
    ControlUnit* control = nullptr;
    if (create) {
      controls::ControlCreateArgs args;
      args.ownData = unit.ownData;
      args.stateBits = stateBitsFromFlags(unit.flags);
      args.window = window;
      args.controlId = controlId;
      args.left = unit.left;
      args.top = unit.top;
      args.width = unit.width;
      args.height = unit.height;
      args.windowId = id;
      args.unitId = unit.id;
      args.host = this;
      control = create(args);
    }
    if (!control) {
      // Nothing of a half-built window stays: it was never shown, and destroying it
      // takes the controls made so far with it and clears the record.
      delete window;
      loaded_.erase(id);
      return false;
    }
    loaded_[id].controls[pos] = control;
    controlId += 10;
  }

  // Stacking follows the list: unit 1 on top, each later unit right below the one before.
  LoadedWindow& built = loaded_[id];
  std::vector<controls::ControlSlot> tabSlots;
  for (std::size_t pos = 1; pos < units.size(); ++pos) {
    built.controls[pos]->stackUnder(pos == 1 ? nullptr : built.controls[pos - 1]);
    tabSlots.push_back({built.controls[pos], units[pos].tabOrder, units[pos].flags});
  }
  // Mouse pointers: every unit has the default pointer, for which nothing is prepared.
  for (std::size_t pos = 1; pos < units.size(); ++pos) {
    if (units[pos].flags & UnitFlag::visible)
      built.controls[pos]->showWithoutActivating();
    else
      built.controls[pos]->hideUnit();
  }
  window->setControls(std::move(tabSlots));
  return true;
}

RaiseResult WindowLoader::RaiseEvent(WindowId window, UnitId unit, std::int32_t index,
                                     std::span<const std::int32_t> args) {
  if (suspension_ > 0) return {};
  const FormDefinition* definition = store_.find(window);
  if (!definition) {
    if (callbacks_.fatalError) callbacks_.fatalError(messages::eventWindowNotFound);
    return {};
  }
  const UnitDefinition* found = nullptr;
  if (unit == 0) {
    found = definition->unitAt(0);
  } else if (auto hit = definition->findUnit(unit)) {
    found = hit->unit;
  }
  if (!found) {
    if (callbacks_.fatalError) callbacks_.fatalError(messages::eventUnitNotFound);
    return {};
  }
  const EventBinding* binding = found->bindingFor(index);
  if (!binding || !binding->handler) return {};
  // A copy, so that the handler stays valid whatever it does to windows meanwhile.
  const Handler handler = binding->handler;
  return {true, handler(args)};
}

bool WindowLoader::anyWindowOpen() const {
  for (const auto& [id, record] : loaded_)
    if (record.window && !record.window->destroyed()) return true;
  return false;
}

TopWindow* WindowLoader::openWindow(WindowId id) const {
  auto it = loaded_.find(id);
  if (it == loaded_.end() || !it->second.window || it->second.window->destroyed()) return nullptr;
  return it->second.window;
}

void WindowLoader::closeAll() {
  while (!loaded_.empty()) {
    auto it = loaded_.begin();
    TopWindow* window = it->second.window;
    loaded_.erase(it);
    delete window;
  }
}

void WindowLoader::unitGone(WindowId window, UnitId unit) {
  auto it = loaded_.find(window);
  if (it == loaded_.end()) return;
  auto hit = it->second.values->findUnit(unit);
  if (!hit) return;
  auto& slot = it->second.controls;
  if (static_cast<std::size_t>(hit->position) < slot.size()) {
    if (it->second.window && slot[static_cast<std::size_t>(hit->position)])
      it->second.window->forgetControl(slot[static_cast<std::size_t>(hit->position)]);
    slot[static_cast<std::size_t>(hit->position)] = nullptr;
  }
}

void WindowLoader::windowDestroyed(WindowId window) {
  auto it = loaded_.find(window);
  if (it == loaded_.end()) return;
  loaded_.erase(it);
  if (callbacks_.windowGone) callbacks_.windowGone();
}

}  // namespace vtg::shell
