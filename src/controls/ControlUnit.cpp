#include "controls/ControlUnit.h"

#include <QWidget>

namespace vtg::controls {

ControlUnit::ControlUnit(const ControlCreateArgs& args)
    : windowId_(args.windowId),
      unitId_(args.unitId),
      controlId_(args.controlId),
      stateBits_(args.stateBits),
      host_(args.host) {}

ControlUnit::~ControlUnit() { releaseFromHost(); }

void ControlUnit::releaseFromHost() {
  UnitHost* host = host_;
  host_ = nullptr;
  if (host) host->unitGone(windowId_, unitId_);
}

void ControlUnit::stackUnder(ControlUnit* above) {
  if (above)
    widget()->stackUnder(above->widget());
  else
    widget()->raise();
}

void ControlUnit::showWithoutActivating() {
  widget()->setAttribute(Qt::WA_ShowWithoutActivating);
  widget()->setVisible(true);
}

void ControlUnit::hideUnit() { widget()->setVisible(false); }

RaiseResult ControlUnit::raiseEvent(std::int32_t index, std::span<const std::int32_t> args) {
  return host_ ? host_->raiseEvent(windowId_, unitId_, index, args) : RaiseResult{};
}

}  // namespace vtg::controls
