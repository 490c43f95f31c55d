#include "shell/Shell.h"

#include <cstdlib>

#include <QCoreApplication>
#include <QEvent>

#include "controls/UnitHost.h"
#include "platform/GuiApp.h"
#include "shell/Messages.h"

namespace vtg::shell {
namespace {
Shell* g_current = nullptr;
}  // namespace

Shell::Shell() = default;
Shell::~Shell() = default;

Shell& Shell::current() { return *g_current; }

int Shell::run(const Program& program) {
  g_current = this;
  platform::GuiApp app;

  store_ = FormStore::build(program.storedForms ? program.storedForms() : std::vector<FormDefinition>{},
                            program.resolveHandler);
  if (!store_) FatalError(messages::storeUnreadable);

  WindowLoader::Callbacks callbacks;
  callbacks.windowGone = [this] { windowGone(); };
  callbacks.fatalError = [this](std::string_view message) { FatalError(message); };
  loader_ = std::make_unique<WindowLoader>(*store_, std::move(callbacks));

  if (program.start) program.start();

  // Orderly shutdown: no handler runs from here on.
  loader_->suspendEvents();
  if (auto routine = std::exchange(exitRoutine_, nullptr)) routine();
  releaseResources();
  g_current = nullptr;
  return exitCode_;
}

void Shell::LoadStartWindow(WindowId id) {
  if (!loader_->LoadWindow(id)) FatalError(messages::startWindowFailed);
}

void Shell::RunMessageLoop() {
  loopEntered_ = true;
  if (!loader_->anyWindowOpen()) return;
  exitCode_ = platform::runEventLoop([this](int elapsedMs) {
    // Each loaded window's idle event, in FormStore order; another pass only while some
    // handler asked for one.
    bool more = false;
    const std::int32_t args[] = {elapsedMs};
    for (const auto& form : store_->each()) {
      if (!loader_->openWindow(form.windowId)) continue;
      const auto r = loader_->RaiseEvent(form.windowId, 0, controls::WindowEvent::idle, args);
      more = more || (r.handlerCalled && r.value && *r.value != 0);
    }
    return more;
  });
}

void Shell::windowGone() {
  if (!loopEntered_) return;
  if (loader_->anyWindowOpen()) return;
  platform::postQuit(0);
}

void Shell::FatalError(std::string_view messageGbk, int code) {
  if (loader_) loader_->suspendEvents();
  platform::showErrorBox(messages::errorCaption, composeFatalText(messageGbk, code));
  exitRoutine_ = nullptr;
  releaseResources();
  platform::exitProcess(-1);
}

void Shell::releaseResources() {
  if (loader_) loader_->closeAll();
  // Windows closed earlier wait in the event queue to be deleted; let them go now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  loader_.reset();
  store_.reset();
}

std::string composeFatalText(std::string_view messageGbk, int code) {
  std::string text;
  text.append(messages::runtimeError).append("\r\n\r\n");
  if (code != 0) text.append(messages::errorCodeLead).append(std::to_string(code)).append("\r\n\r\n");
  if (!messageGbk.empty()) text.append(messages::errorMessageLead).append(messageGbk).append("\r\n");
  return text;
}

std::string allocationFailureMessage(std::size_t bytes) {
  std::string text(messages::allocationFailedBefore);
  text.append(std::to_string(bytes)).append(messages::allocationFailedAfter);
  return text;
}

void reportAllocationFailure(std::size_t bytes) {
  static bool reporting = false;
  if (reporting || !g_current) std::_Exit(-1);
  reporting = true;
  g_current->FatalError(allocationFailureMessage(bytes));
}

}  // namespace vtg::shell
