// A host program that knows the package only by file name and plain names: it opens the drawer
// on the port given and prints the package's last error. Tests copy it into a folder of their
// own, so that ecfplugtexto.ini is looked for beside this executable.
//   bematech_drawer_host <package file> <port>
#include "zelt/bematech.h"

#include <cstdio>
#include <dlfcn.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <package> <port>\n", argv[0]);
        return 2;
    }
    void* package = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!package) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 2;
    }
    auto acionar = reinterpret_cast<BemaGavetaAcionarFn>(dlsym(package, "GavetaAcionar"));
    auto erro =
        reinterpret_cast<BematechPrinterUltimoErroFn>(dlsym(package, "BematechPrinterUltimoErro"));
    if (!acionar || !erro) {
        std::fprintf(stderr, "package lacks its operations\n");
        return 2;
    }
    const bool ok = acionar(argv[2], 0);
    std::printf("%s", erro());
    return ok ? 0 : 1;
}
