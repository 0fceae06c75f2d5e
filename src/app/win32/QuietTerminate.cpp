// The shipped program's handlers for what the C++ runtime reports on its own.
// Linked into OrvikPlayer.exe only (cmake/Windows.cmake; its link map shows
// them in place of the runtime's, tests/check-link-map.sh): the test programs
// keep the runtime's defaults and their messages.
//
// An exception that nothing caught (none should: handlers and start-up catch
// theirs): the runtime's default handler writes the exception's type name to
// the standard error stream, which a windowed program does not have, and
// brings a C++ name demangler of some 40 KB into the file; this one ends the
// program the same way, by abort.
//
// The library's own failures (a container asked for more than it can hold,
// an index out of range): the runtime raises
// them from one unit that also brings every standard exception class with a
// second, reference-counted string implementation (about 30 KB). Here they
// raise the program's exception with the same text, which every handler
// catches as a std::exception, as before; memory exhaustion stays
// std::bad_alloc.
#include <cstdlib>
#include <new>
#include <typeinfo>

#include "app/Exception.h"

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_length_error(const char* what) { throw orvik::Exception(what); }
void __throw_logic_error(const char* what) { throw orvik::Exception(what); }
void __throw_out_of_range(const char* what) { throw orvik::Exception(what); }
void __throw_invalid_argument(const char* what) { throw orvik::Exception(what); }
// The text without its figures filled in: the unit that formats them is
// the one this leaves out.
void __throw_out_of_range_fmt(const char* format, ...) { throw orvik::Exception(format); }
}  // namespace std
