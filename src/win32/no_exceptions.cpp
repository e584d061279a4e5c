// The program is built without exceptions. The C++ library's error paths
// still call these; defining them here keeps the library's exception and
// message machinery (and its demangler) out of the program file. Each one
// ends the process, exactly what an uncaught exception would do.
#include <cstdlib>

namespace std {

[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_bad_function_call() { std::abort(); }

}  // namespace std

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
