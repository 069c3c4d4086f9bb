// The Bematech maker library as the package sees it: loaded with dlopen from a configurable
// folder and bound function by function, as the maker's own library would be.
//
// Where the library is looked for: the folder in the environment variable ZELT_MP2032_DIR when
// it is set, else the package's own folder. The library file there is "libmp2032.so".
#pragma once

#include "platform/printers/bematech/MP2032.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"

#include <mutex>
#include <string>

namespace zelt::bematech {

// X(function, parameters, arguments): every library function the package calls.
#define ZELT_MP2032_FUNCTIONS(X)                                                                   \
    X(ConfiguraModeloImpressora, (int a), (a))                                                     \
    X(IniciaPorta, (const char* a), (a))                                                           \
    X(FechaPorta, (), ())                                                                          \
    X(FormataTX, (const char* a, int b, int c, int d, int e, int f), (a, b, c, d, e, f))           \
    X(ComandoTX, (const char* a, int b), (a, b))                                                   \
    X(Le_Status_Gaveta, (), ())

inline constexpr const char* MP2032FileName = "libmp2032.so";
inline constexpr const char* MP2032DirEnv = "ZELT_MP2032_DIR";

// Raised by a call into a library that could not be loaded, or into one of its functions that
// is missing. The operator has been told once; the export turns it into its failure value.
ZELT_DECLARE_ERROR(EBematechIndisponivel, Exception);

class ZELT_EXPORT TMP2032 {
public:
    TMP2032() = default;
    ~TMP2032();
    TMP2032(const TMP2032&) = delete;
    TMP2032& operator=(const TMP2032&) = delete;

    // The package's one library, loaded on first use.
    static TMP2032& Instance();

    // The folder the library is loaded from, as configured now (ends with '/').
    static std::string PastaBiblioteca();
    // The folder this package was loaded from (ends with '/').
    static std::string PastaPacote();

    // Unloads the library; the next call loads it again from the folder configured then, and a
    // library still missing is reported to the operator again.
    void Descarregar();
    // Loads the library on first use; raises EBematechIndisponivel unless it is there with
    // every function, so that an operation never stops half-way for a missing one.
    void Exigir();

#define ZELT_MP2032_METHOD(name, params, args) int name params;
    ZELT_MP2032_FUNCTIONS(ZELT_MP2032_METHOD)
#undef ZELT_MP2032_METHOD

private:
    struct Functions {
#define ZELT_MP2032_POINTER(name, params, args) decltype(&::name) name = nullptr;
        ZELT_MP2032_FUNCTIONS(ZELT_MP2032_POINTER)
#undef ZELT_MP2032_POINTER
    };

    // Loads and binds once (until Descarregar); returns the bound functions, with nulls for
    // what is missing.
    const Functions& Carregar();
    [[noreturn]] void Indisponivel(const char* function) const;

    std::mutex mutex_;
    void* handle_ = nullptr;
    bool tentou_ = false;
    std::string arquivo_;
    std::string erro_;
    Functions fns_;
};

inline TMP2032& MP2032() {
    return TMP2032::Instance();
}

} // namespace zelt::bematech
