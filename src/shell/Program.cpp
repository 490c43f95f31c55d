#include "shell/Program.h"

#include "content/Forms.h"

namespace vtg::shell {
namespace {

// A handler that opens a guide window beside the others; the result of the load is not
// looked at: a window that cannot be built simply does not appear.
Handler opener(WindowId id) {
  return [id](std::span<const std::int32_t>) -> HandlerResult {
    Shell::current().loader().LoadWindow(id);
    return std::nullopt;
  };
}

bool resolveHandler(HandlerRef ref, Handler& out) {
  namespace R = content::HandlerRefs;
  namespace W = content::WindowIds;
  switch (ref) {
    case R::OnMainWindowCreated:
      out = [](std::span<const std::int32_t>) -> HandlerResult { return std::nullopt; };
      return true;
    case R::OpenBiostarGuide: out = opener(W::BiostarGuide); return true;
    case R::OpenMsiGuide: out = opener(W::MsiGuide); return true;
    case R::OpenGigabyteGuide: out = opener(W::GigabyteGuide); return true;
    case R::OpenBiosIntro: out = opener(W::BiosIntro); return true;
    case R::OpenAsusGuide: out = opener(W::AsusGuide); return true;
    default: return false;
  }
}

}  // namespace

void ProgramInit() {}
void ProgramExit() {}

int ProgramStart() {
  Shell& shell = Shell::current();
  ProgramInit();
  shell.registerExitRoutine(ProgramExit);
  shell.LoadStartWindow(content::WindowIds::MainWindow);
  shell.RunMessageLoop();
  return 0;
}

Program vtguideProgram() { return {content::storedForms, resolveHandler, ProgramStart}; }

int runVtguide() {
  Shell shell;
  return shell.run(vtguideProgram());
}

}  // namespace vtg::shell
