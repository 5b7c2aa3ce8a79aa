// What std::terminate does here (an exception nothing caught): libstdc++'s
// own handler says it the same way, but names the exception's type through
// the C++ demangler, which alone would be a tenth of the program (46 KB);
// here the type is named as the compiler spells it ("St9bad_alloc"). Then
// abort(), as there.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    static bool juz_tu = false;  // called again from in here (a what() that throws)
    if (!juz_tu) {
        juz_tu = true;
        if (const std::type_info* typ = abi::__cxa_current_exception_type()) {
            std::fputs("terminate called after throwing an instance of '", stderr);
            std::fputs(typ->name(), stderr);
            std::fputs("'\n", stderr);
            try {
                throw;
            } catch (const std::exception& wyjatek) {
                std::fputs("  what():  ", stderr);
                std::fputs(wyjatek.what(), stderr);
                std::fputs("\n", stderr);
            } catch (...) {
            }
        } else {
            std::fputs("terminate called without an active exception\n", stderr);
        }
    }
    std::abort();
}

}  // namespace __gnu_cxx
