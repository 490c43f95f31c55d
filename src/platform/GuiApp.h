#pragma once
// The thin layer between the shell and the windowing toolkit: set-up and tear-down, the
// event loop with its idle hook and a quit request that carries the exit code, the
// primary screen's size, the error message box, and the process exit.

#include <functional>
#include <memory>
#include <string_view>

namespace vtg::platform {

// Sets the toolkit up for the lifetime of the object. The program takes no command line,
// so the toolkit is given none either.
class GuiApp {
 public:
  GuiApp();
  ~GuiApp();
  GuiApp(const GuiApp&) = delete;
  GuiApp& operator=(const GuiApp&) = delete;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Idle work for one pass of an idle period: gets the milliseconds since the period began,
// returns true to ask for another pass.
using IdleWork = std::function<bool(int elapsedMs)>;

// Runs the event loop until a quit request arrives and returns the code it carried.
int runEventLoop(const IdleWork& idleWork);

// Asks the running event loop to end with `exitCode`.
void postQuit(int exitCode);

struct ScreenSize {
  int width = 0;
  int height = 0;
};
// The whole primary screen, taskbar included.
ScreenSize primaryScreenSize();

// Shows a modal error box with no owner window, an error icon and one OK button, and
// waits until it is dismissed. Caption and text are GBK bytes.
void showErrorBox(std::string_view captionGbk, std::string_view textGbk);

// Tests replace the message box so they can read what it would show without a person
// clicking OK. An empty sink restores the real box.
using MessageBoxSink = std::function<void(std::string_view captionGbk, std::string_view textGbk)>;
void setMessageBoxSink(MessageBoxSink sink);

// Ends the process at once with `code` as its exit status.
[[noreturn]] void exitProcess(int code);

}  // namespace vtg::platform
