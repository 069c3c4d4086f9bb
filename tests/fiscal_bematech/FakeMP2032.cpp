// A stand-in for libmp2032.so that lacks the drawer sensor, to show that an incomplete library
// is refused before any of its functions is called: every call it does get is appended to the
// file named by FAKE_MP2032_CALLS.
#include "platform/printers/bematech/MP2032.h"

#include <cstdio>
#include <cstdlib>

namespace {

int Called(const char* function) {
    if (const char* file = std::getenv("FAKE_MP2032_CALLS")) {
        if (std::FILE* f = std::fopen(file, "a")) {
            std::fprintf(f, "%s\n", function);
            std::fclose(f);
        }
    }
    return 1;
}

} // namespace

int ConfiguraModeloImpressora(int) {
    return Called("ConfiguraModeloImpressora");
}
int IniciaPorta(const char*) {
    return Called("IniciaPorta");
}
int FechaPorta(void) {
    return Called("FechaPorta");
}
int FormataTX(const char*, int, int, int, int, int) {
    return Called("FormataTX");
}
int ComandoTX(const char*, int) {
    return Called("ComandoTX");
}
