#include "forms/FormModel.h"

#include <algorithm>

namespace vtg {

const EventBinding* UnitDefinition::bindingFor(std::int32_t eventIndex) const {
  auto it = std::find_if(events.begin(), events.end(),
                         [&](const EventBinding& b) { return b.eventIndex == eventIndex; });
  return it == events.end() ? nullptr : &*it;
}

const UnitDefinition* FormDefinition::unitAt(int position) const {
  if (position < 0 || position >= unitCount()) return nullptr;
  return &units[static_cast<std::size_t>(position)];
}

std::optional<FormDefinition::FoundUnit> FormDefinition::findUnit(UnitId id) const {
  if (!isValidId(id)) return std::nullopt;
  for (int i = 0; i < unitCount(); ++i)
    if (units[static_cast<std::size_t>(i)].id == id) return FoundUnit{i, &units[static_cast<std::size_t>(i)]};
  return std::nullopt;
}

std::optional<FormStore> FormStore::build(std::vector<FormDefinition> stored,
                                          const HandlerResolver& resolve) {
  FormStore store;
  for (auto& form : stored) {
    if (!isValidId(form.windowId) || store.find(form.windowId)) return std::nullopt;
    if (form.units.empty() || form.units.front().kind != KindCode::window) return std::nullopt;
    for (auto& unit : form.units) {
      for (auto& binding : unit.events) {
        binding.handler = nullptr;
        if (binding.handlerRef == kNoHandler) continue;
        if (!resolve || !resolve(binding.handlerRef, binding.handler)) return std::nullopt;
      }
    }
    store.forms_.push_back(std::move(form));
  }
  return store;
}

const FormDefinition* FormStore::find(WindowId id) const {
  if (!isValidId(id)) return nullptr;
  for (const auto& form : forms_)
    if (form.windowId == id) return &form;
  return nullptr;
}

}  // namespace vtg
