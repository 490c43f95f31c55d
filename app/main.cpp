// vtguide: a guide to switching on the processor's virtualization in the BIOS setup.
// The program takes no command line, reads no file and writes nothing.

#include <cstdlib>
#include <new>

#include "shell/Program.h"
#include "shell/Shell.h"

// A memory request that cannot be met is reported to the user with the number of bytes
// asked for, then the program ends, instead of an uncaught exception.
void* operator new(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  vtg::shell::reportAllocationFailure(size);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main() { return vtg::shell::runVtguide(); }
