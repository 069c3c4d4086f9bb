// Drives libInterfaceEpson.so as the fiscal plug-in does: dlopen by path from the build's program
// folder and every function bound by name. Each test gets its own folder for the state, tape,
// journal, fault and report files, and a printer clock fixed at a quiet morning.
#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zelt::test {

struct EpsonApi {
    int (*Serial_Abrir_PortaEX)();
    int (*Serial_Fechar_Porta)();
    int (*Obter_Estado_Impressora)(char*);
    int (*Obter_Estado_ImpressoraEX)(char*, char*, char*, char*);
    int (*Obter_Hora_Relogio)(char*);
    int (*Obter_Contadores)(char*);
    int (*Obter_Dados_Jornada)(char*);
    int (*Obter_Dados_Ultima_RZ)(char*);
    int (*Obter_Tabela_Aliquotas)(char*);
    int (*Obter_Tabela_Pagamentos)(char*);
    int (*Obter_Arredonda_Trunca_Fabricacao)(char*, char*);
    int (*RelatorioFiscal_Abrir_Jornada)();
    int (*RelatorioFiscal_LeituraX)();
    int (*RelatorioFiscal_RZ)(const char*, const char*, int, char*);
    int (*Fiscal_Abrir_Cupom)(const char*, const char*, const char*, const char*, int);
    int (*Fiscal_Vender_Item)(const char*, const char*, const char*, int, const char*, const char*,
                              int, const char*, int);
    int (*Fiscal_Desconto_Acrescimo_Item)(const char*, int, int, int);
    int (*Fiscal_Cancelar_Item)(const char*);
    int (*Fiscal_Cancelar_Cupom)();
    int (*Fiscal_Pagamento)(const char*, const char*, int, const char*, const char*);
    int (*Fiscal_Imprimir_MensagemEX)(const char*);
    int (*Fiscal_Fechar_Cupom)(int, int);
    int (*NaoFiscal_Sangria)(const char*, int);
    int (*NaoFiscal_Fundo_Troco)(const char*, int);
    int (*NaoFiscal_Abrir_CCD)(const char*, const char*, int, const char*);
    int (*NaoFiscal_Imprimir_Linha)(const char*);
    int (*NaoFiscal_Fechar_CCD)(int);
    int (*NaoFiscal_Abrir_Relatorio_Gerencial)(const char*);
    int (*NaoFiscal_Fechar_Relatorio_Gerencial)(int);
    int (*Impressora_Abrir_Gaveta)();
};

// The loaded library; dlclose on destruction.
class EpsonLibrary {
public:
    EpsonLibrary();
    ~EpsonLibrary();
    EpsonLibrary(const EpsonLibrary&) = delete;
    EpsonLibrary& operator=(const EpsonLibrary&) = delete;
    const EpsonApi& Api() const { return api_; }

private:
    void* handle_ = nullptr;
    EpsonApi api_{};
};

// A buffer of n characters (n+1 bytes, cleared as the plug-in clears it, or blank-filled)
// followed by guard bytes that the library must never touch.
class GuardedBuffer {
public:
    explicit GuardedBuffer(std::size_t chars, char fill = '\0');
    char* data() { return bytes_.data(); }
    std::string Text() const { return std::string(bytes_.data()); }
    bool GuardIntact() const;
    bool Terminated() const;

private:
    std::size_t chars_;
    std::vector<char> bytes_;
};

// The four texts of the status query.
struct EpsonStatus {
    std::string printer, fiscal, command, message;
};

class EpsonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const EpsonApi& E() const { return lib_->Api(); }
    // dlclose and dlopen again: what a host restart does to the library.
    void Reload();

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    void WriteFaults(const std::string& ini) const;
    // Clock fixed at "dd/mm/yyyy hh:nn:ss"; the fault file then holds only the clock.
    void FixClock(const std::string& moment);
    // Fault settings on top of the fixed clock.
    void AddFaults(const std::string& ini) const;
    void WriteState(const std::string& ini) const;
    std::string Tape() const;
    std::vector<std::string> JournalLines() const;
    std::string FileText(const std::string& path) const;

    // Library queries that tests read the printer back through.
    EpsonStatus Status() const;
    std::string Counters() const;
    int Coo() const;
    int Ccf() const;
    std::string DayData() const;
    std::string CommandReturn() const { return Status().command; }
    // Characters 13-16 of the fiscal state.
    std::string DocumentInProgress() const { return Status().fiscal.substr(12, 4); }

    // The steps of a coupon as the plug-in calls them.
    void OpenDay() const;
    void OpenCoupon() const;
    void SellItem(const char* quantity = "1000", const char* price = "1000",
                  const char* tax = "1800") const;
    void PayAndClose(const char* form = "Dinheiro", const char* value = "1000") const;
    // A whole coupon: one item of 10,00 paid with `form`.
    void SellSimpleCoupon(const char* form = "Dinheiro") const;

    std::string dir_;
    std::string faults_;
    std::string clock_;
    std::unique_ptr<EpsonLibrary> lib_;
};

} // namespace zelt::test
