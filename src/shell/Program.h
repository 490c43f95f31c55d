#pragma once
// The program's own routines: its start routine and the handlers its windows bind.

#include "shell/Shell.h"

namespace vtg::shell {

// The guide as the shell runs it: the six definitions and the routines below.
Program vtguideProgram();

// Runs the guide; returns the process exit code.
int runVtguide();

int ProgramStart();
void ProgramInit();
void ProgramExit();

}  // namespace vtg::shell
