#pragma once
// Window definitions as plain data: a FormDefinition is an ordered list of units whose
// first unit is the window itself; the FormStore holds all definitions of the program.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "forms/Ids.h"
#include "forms/PropertyStream.h"

namespace vtg {

// What a handler gives back; only the close request and the idle event look at it.
using HandlerResult = std::optional<std::int32_t>;
using Handler = std::function<HandlerResult(std::span<const std::int32_t> args)>;

// A stored reference to one of the program's handler routines; 0 is the reserved "none".
using HandlerRef = std::uint32_t;
inline constexpr HandlerRef kNoHandler = 0;

struct EventBinding {
  std::int32_t eventIndex = 0;
  HandlerRef handlerRef = kNoHandler;  // as stored
  Handler handler;                     // resolved when the store is built; empty = none
};

// A unit's property block: bytes of its own, or a view of bytes that stay where they are
// for as long as the program runs (data linked into it), which copies of the block then
// share instead of copying them.
class PropertyBlock {
 public:
  PropertyBlock() = default;
  PropertyBlock(Bytes bytes) : owned_(std::move(bytes)) {}  // NOLINT: a block is its bytes
  static PropertyBlock linked(std::span<const std::uint8_t> permanent) {
    PropertyBlock block;
    block.linked_ = permanent;
    return block;
  }

  std::span<const std::uint8_t> bytes() const { return linked_ ? *linked_ : std::span<const std::uint8_t>(owned_); }
  operator std::span<const std::uint8_t>() const { return bytes(); }  // NOLINT
  std::size_t size() const { return bytes().size(); }
  bool empty() const { return bytes().empty(); }
  const std::uint8_t* data() const { return bytes().data(); }

  friend bool operator==(const PropertyBlock& a, const PropertyBlock& b) {
    return std::ranges::equal(a.bytes(), b.bytes());
  }
  friend bool operator==(const PropertyBlock& a, const Bytes& b) { return std::ranges::equal(a.bytes(), b); }

 private:
  Bytes owned_;
  std::optional<std::span<const std::uint8_t>> linked_;
};

struct UnitDefinition {
  UnitId id = 0;
  std::uint32_t kind = 0;
  std::string name;     // GBK design name, never shown
  std::string comment;  // GBK, never shown
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  UnitId parent = 0;
  std::vector<UnitId> children;
  std::int32_t mousePointer = 0;  // 0 = the kind's standard pointer
  std::string tag;
  std::uint32_t flags = 0;
  std::int32_t tabOrder = 0;
  std::vector<EventBinding> events;
  PropertyBlock ownData;

  // The binding that counts for an event: the first one with that index, if any.
  const EventBinding* bindingFor(std::int32_t eventIndex) const;
};

struct FormDefinition {
  WindowId windowId = 0;
  std::vector<UnitDefinition> units;  // position 0 is the window unit

  int unitCount() const { return static_cast<int>(units.size()); }
  const UnitDefinition* unitAt(int position) const;

  struct FoundUnit {
    int position;
    const UnitDefinition* unit;
  };
  std::optional<FoundUnit> findUnit(UnitId id) const;
};

class FormStore {
 public:
  // Resolves a stored handler reference; returns false when the reference names no routine.
  using HandlerResolver = std::function<bool(HandlerRef ref, Handler& out)>;

  // Builds the store from stored definitions, resolving every binding. Returns nothing when
  // the definitions cannot be read completely: a definition without a window unit at
  // position 0, an invalid or repeated window id, or a handler reference that names nothing.
  static std::optional<FormStore> build(std::vector<FormDefinition> stored,
                                        const HandlerResolver& resolve);

  const FormDefinition* find(WindowId id) const;
  const std::vector<FormDefinition>& each() const { return forms_; }

 private:
  std::vector<FormDefinition> forms_;
};

}  // namespace vtg
