#pragma once
// The spine of the process: builds the FormStore, runs the program's start routine and
// the one event loop, applies the quit rule, and ends the process in order, or at once
// after a fatal error.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/FormModel.h"
#include "shell/WindowLoader.h"

namespace vtg::shell {

// A program as the shell runs it.
struct Program {
  // The stored window definitions, in FormStore order.
  std::function<std::vector<FormDefinition>()> storedForms;
  // Resolves a stored handler reference to one of the program's routines.
  FormStore::HandlerResolver resolveHandler;
  // The program's start routine (ProgramStart); returns 0 once its main loop has ended.
  std::function<int()> start;
};

class Shell {
 public:
  Shell();
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // The shell of the running program; only valid inside run().
  static Shell& current();

  // The whole life of the process: start sequence, start routine, orderly shutdown.
  // Returns the exit code.
  int run(const Program& program);

  void registerExitRoutine(std::function<void()> routine) { exitRoutine_ = std::move(routine); }

  // Loads the start window; a failure is the fatal error "载入启动窗口失败".
  void LoadStartWindow(WindowId id);

  // Runs the main loop until the quit request, unless no window is open at all.
  void RunMessageLoop();

  // Tells the user and ends the process with exit code -1. Never returns.
  [[noreturn]] void FatalError(std::string_view messageGbk, int code = 0);

  WindowLoader& loader() { return *loader_; }
  bool loopEntered() const { return loopEntered_; }

 private:
  void windowGone();
  void releaseResources();

  std::optional<FormStore> store_;
  std::unique_ptr<WindowLoader> loader_;
  std::function<void()> exitRoutine_;
  bool loopEntered_ = false;
  int exitCode_ = 0;
};

// The fatal-error text for a message (GBK) and an error code.
std::string composeFatalText(std::string_view messageGbk, int code);

// The message for a memory request of `bytes` that could not be met.
std::string allocationFailureMessage(std::size_t bytes);

// A memory request of the program could not be met: the fatal error "分配 %d 字节内存失败!".
// Never returns. Safe to reach again while the error is being shown (it then ends the
// process at once), since showing it may itself need memory.
[[noreturn]] void reportAllocationFailure(std::size_t bytes);

}  // namespace vtg::shell
