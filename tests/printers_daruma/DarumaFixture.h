// Drives libDarumaFramework.so as the fiscal plug-in does: dlopen by path from the build's
// program folder and every function bound by name. Each test gets its own folder for the state,
// tape, journal, fault and report files.
#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zelt::test {

struct DarumaApi {
    int (*eDefinirProduto)(const char*);
    int (*regAlterarValor)(const char*, const char*);
    int (*rVerificarImpressoraLigada)();
    int (*rDataHoraImpressora)(char*, char*);
    int (*rRetornarInformacao)(const char*, char*);
    int (*rStatusUltimoCmd)(char*, char*, int*, int*);
    int (*rConsultaStatusImpressoraInt)(int, int*);
    int (*rLerRG)(char*);
    int (*confCadastrarPadrao)(const char*, const char*);
    int (*iTEF_Fechar)();
    int (*iCFAbrirPadrao)();
    int (*iCFAbrir)(const char*, const char*, const char*);
    int (*iCFIdentificarConsumidor)(const char*, const char*, const char*);
    int (*iCFVender)(const char*, const char*, const char*, const char*, const char*, const char*,
                     const char*, const char*);
    int (*iCFLancarDescontoItem)(const char*, const char*, const char*);
    int (*iCFCancelarItem)(const char*);
    int (*iCFTotalizarCupom)(const char*, const char*);
    int (*iCFEfetuarPagamento)(const char*, const char*, const char*);
    int (*iCFEncerrar)(const char*, const char*);
    int (*iCFCancelar)();
    int (*rCFVerificarStatus)(char*, int*);
    int (*iLeituraX)();
    int (*iReducaoZ)(const char*, const char*);
    int (*rVerificarReducaoZ)(char*);
    int (*iSangria)(const char*, const char*);
    int (*iSuprimento)(const char*, const char*);
    int (*rStatusGaveta)(int*);
    int (*eAbrirGaveta)();
    int (*iCCDAbrirSimplificado)(const char*, const char*, const char*, const char*);
    int (*iCCDImprimirTexto)(const char*);
    int (*iCCDFechar)();
    int (*iRGAbrir)(const char*);
    int (*iRGImprimirTexto)(const char*);
    int (*iRGFechar)();
    int (*rLerAliquotas)(char*);
    int (*eMemoriaFiscal)(const char*, const char*, int, const char*);
    int (*rGerarMFD)(const char*, const char*, const char*);
    int (*rGerarRelatorio)(const char*, const char*, const char*, const char*);
};

// The loaded library; dlclose on destruction.
class DarumaLibrary {
public:
    DarumaLibrary();
    ~DarumaLibrary();
    DarumaLibrary(const DarumaLibrary&) = delete;
    DarumaLibrary& operator=(const DarumaLibrary&) = delete;
    const DarumaApi& Api() const { return api_; }
    // Any exported symbol, null when absent.
    void* Symbol(const char* name) const;

private:
    void* handle_ = nullptr;
    DarumaApi api_{};
};

// A buffer of n characters (n+1 bytes, zeroed, as the plug-in passes it) followed by guard
// bytes that the library must never touch.
class GuardedBuffer {
public:
    explicit GuardedBuffer(std::size_t chars);
    char* data() { return bytes_.data(); }
    std::string Text() const { return std::string(bytes_.data()); }
    bool GuardIntact() const;
    // Bytes written before the first NUL, and whether a NUL ends them inside n+1 bytes.
    bool Terminated() const;

private:
    std::size_t chars_;
    std::vector<char> bytes_;
};

class DarumaTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const DarumaApi& D() const { return lib_->Api(); }
    // dlclose and dlopen again: what a host restart does to the library.
    void Reload();

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    void WriteFaults(const std::string& ini) const;
    // Clock fixed at "dd/mm/yyyy hh:nn:ss" (the fault file keeps only the clock).
    void FixClock(const std::string& moment) const;
    std::string Tape() const;
    std::string Journal() const;
    std::vector<std::string> JournalLines() const;
    std::string StateValue(const std::string& section, const std::string& key) const;
    std::string FileText(const std::string& path) const;

    // Library queries that tests read the printer back through.
    std::string Coo() const;
    int CouponStatus() const;
    int LastError() const;
    std::string PendingZ() const;
    int StatusItem(int index) const;

    // A coupon from opening to its end: one item of 10,00 paid in cash.
    void SellSimpleCoupon(const char* payment = "Dinheiro", const char* value = "10,00") const;

    std::string dir_;
    std::string faults_;
    std::unique_ptr<DarumaLibrary> lib_;
};

} // namespace zelt::test
