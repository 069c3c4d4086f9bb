#include "hosts/zelt/Package.h"

#include <dlfcn.h>
#include <stdexcept>

namespace zelt::host {

Package::Package(const std::string& path) : path_(path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        throw std::runtime_error("não foi possível carregar o pacote " + path + ": " +
                                 (why ? why : "motivo desconhecido"));
    }
}

// The packages stay loaded until the program ends, as in the real hosts: a plug-in may leave
// threads or handlers behind that must not outlive its code.
Package::~Package() = default;

void* Package::Bind(const char* name) const {
    void* symbol = dlsym(handle_, name);
    if (!symbol)
        throw std::runtime_error("o pacote " + path_ + " não exporta " + name);
    return symbol;
}

bool Package::Has(const char* name) const {
    return dlsym(handle_, name) != nullptr;
}

} // namespace zelt::host
