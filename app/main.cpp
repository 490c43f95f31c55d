// vtguide: a guide to switching on the processor's virtualization in the BIOS setup.
// The program takes no command line, reads no file and writes nothing.

#include "shell/Program.h"

int main() { return vtg::shell::runVtguide(); }
