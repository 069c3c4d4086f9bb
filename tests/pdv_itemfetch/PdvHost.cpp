// A stand-in for the PDV program: it loads the item fetch package by file name, binds Executar
// by name and calls it once for one sale, as the point-of-sale host does after recording it.
// Everything the package tells it comes out on standard output as records that the tests read:
//   <kind> <length> <bytes>\n   kinds: status, erro, ret, totais, ultimoerro
// Usage: PdvHost <package> <symbol> <product db> <sales db> <company> <station> <sale> <gross>
#include "zelt/pdvitemfetch.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace {

void Registro(const char* tipo, const std::string& texto) {
    std::printf("%s %zu ", tipo, texto.size());
    std::fwrite(texto.data(), 1, texto.size(), stdout);
    std::printf("\n");
    std::fflush(stdout);
}

void MostrarStatus(void* contexto, const char* texto) {
    ++*static_cast<int*>(contexto);
    Registro("status", texto);
}

void MostrarErro(void* contexto, const char* texto) {
    ++*static_cast<int*>(contexto);
    Registro("erro", texto);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr,
                     "usage: %s <package> <symbol> <products> <sales> <company> "
                     "<station> <sale> <gross>\n",
                     argv[0]);
        return 2;
    }
    void* pacote = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!pacote) {
        std::fprintf(stderr, "dlopen: %s\n", dlerror());
        return 3;
    }
    auto executar = reinterpret_cast<ZeltPdvExecutarFn>(dlsym(pacote, argv[2]));
    using UltimoErroFn = const char* (*)();
    auto ultimoErro = reinterpret_cast<UltimoErroFn>(dlsym(pacote, "ZeltPdvItemFetchUltimoErro"));
    if (!executar || !ultimoErro) {
        std::fprintf(stderr, "dlsym: %s\n", dlerror());
        return 4;
    }
    int chamadas = 0;
    const ZeltPdvModoOper modoOper{argv[3], argv[4]};
    const ZeltPdvStatus status{&chamadas, MostrarStatus, MostrarErro};
    ZeltPdvDinheiro bruto = std::strtoll(argv[8], nullptr, 10);
    ZeltPdvDinheiro desconto = -1;
    ZeltPdvDinheiro frete = -1;
    ZeltPdvDinheiro liquido = -1;
    const bool ok = executar(&modoOper, &status, std::atoi(argv[5]), std::atoi(argv[6]),
                             std::atoi(argv[7]), &bruto, &desconto, &frete, &liquido);
    Registro("ret", ok ? "1" : "0");
    Registro("totais", std::to_string(bruto) + " " + std::to_string(desconto) + " " +
                           std::to_string(frete) + " " + std::to_string(liquido));
    Registro("ultimoerro", ultimoErro());
    // The package stays loaded until exit, as in the PDV, which keeps its packages for its life.
    return 0;
}
