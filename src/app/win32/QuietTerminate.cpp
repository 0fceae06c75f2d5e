// The shipped program's handler for an exception that nothing caught (none
// should: handlers and start-up catch theirs). The runtime's default one
// writes the exception's type name to the standard error stream, which a
// windowed program does not have, and brings a C++ name demangler of some
// 40 KB into the file; this one ends the program the same way, by abort.
// Linked into OrvikPlayer.exe only (cmake/Windows.cmake): the test programs
// keep the default and its message.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
