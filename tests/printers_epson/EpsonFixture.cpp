#include "tests/printers_epson/EpsonFixture.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zelt::test {

namespace {

constexpr std::size_t kGuard = 16;
constexpr char kGuardByte = static_cast<char>(0xA5);

std::string LibraryPath() {
    const char* bin = std::getenv("ZELT_BIN_DIR");
    return std::string(bin ? bin : ".") + "/libInterfaceEpson.so";
}

template <class F> void Bind(void* handle, F& slot, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol)
        throw std::runtime_error(std::string("missing export ") + name);
    slot = reinterpret_cast<F>(symbol);
}

} // namespace

EpsonLibrary::EpsonLibrary() {
    handle_ = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw std::runtime_error(std::string("dlopen: ") + dlerror());
#define ZELT_BIND(fn) Bind(handle_, api_.fn, "EPSON_" #fn)
    ZELT_BIND(Serial_Abrir_PortaEX);
    ZELT_BIND(Serial_Fechar_Porta);
    ZELT_BIND(Obter_Estado_Impressora);
    ZELT_BIND(Obter_Estado_ImpressoraEX);
    ZELT_BIND(Obter_Hora_Relogio);
    ZELT_BIND(Obter_Contadores);
    ZELT_BIND(Obter_Dados_Jornada);
    ZELT_BIND(Obter_Dados_Ultima_RZ);
    ZELT_BIND(Obter_Tabela_Aliquotas);
    ZELT_BIND(Obter_Tabela_Pagamentos);
    ZELT_BIND(Obter_Arredonda_Trunca_Fabricacao);
    ZELT_BIND(RelatorioFiscal_Abrir_Jornada);
    ZELT_BIND(RelatorioFiscal_LeituraX);
    ZELT_BIND(RelatorioFiscal_RZ);
    ZELT_BIND(Fiscal_Abrir_Cupom);
    ZELT_BIND(Fiscal_Vender_Item);
    ZELT_BIND(Fiscal_Desconto_Acrescimo_Item);
    ZELT_BIND(Fiscal_Cancelar_Item);
    ZELT_BIND(Fiscal_Cancelar_Cupom);
    ZELT_BIND(Fiscal_Pagamento);
    ZELT_BIND(Fiscal_Imprimir_MensagemEX);
    ZELT_BIND(Fiscal_Fechar_Cupom);
    ZELT_BIND(NaoFiscal_Sangria);
    ZELT_BIND(NaoFiscal_Fundo_Troco);
    ZELT_BIND(NaoFiscal_Abrir_CCD);
    ZELT_BIND(NaoFiscal_Imprimir_Linha);
    ZELT_BIND(NaoFiscal_Fechar_CCD);
    ZELT_BIND(NaoFiscal_Abrir_Relatorio_Gerencial);
    ZELT_BIND(NaoFiscal_Fechar_Relatorio_Gerencial);
    ZELT_BIND(Impressora_Abrir_Gaveta);
#undef ZELT_BIND
}

EpsonLibrary::~EpsonLibrary() {
    if (handle_)
        dlclose(handle_);
}

GuardedBuffer::GuardedBuffer(std::size_t chars, char fill)
    : chars_(chars), bytes_(chars + 1 + kGuard, 0) {
    std::memset(bytes_.data(), fill, chars);
    std::memset(bytes_.data() + chars + 1, kGuardByte, kGuard);
}

bool GuardedBuffer::GuardIntact() const {
    for (std::size_t i = chars_ + 1; i < bytes_.size(); ++i)
        if (bytes_[i] != kGuardByte)
            return false;
    return true;
}

bool GuardedBuffer::Terminated() const {
    return std::memchr(bytes_.data(), 0, chars_ + 1) != nullptr;
}

void EpsonTest::SetUp() {
    std::string templ = (std::filesystem::temp_directory_path() / "zelt-epson-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    dir_ = templ;
    faults_ = Path("faults.ini");
    setenv("ZELT_EPSON_STATE", Path("state.ini").c_str(), 1);
    setenv("ZELT_EPSON_TAPE", Path("tape.txt").c_str(), 1);
    setenv("ZELT_EPSON_JOURNAL", Path("journal.txt").c_str(), 1);
    setenv("ZELT_EPSON_FAULTS", faults_.c_str(), 1);
    setenv("ZELT_EPSON_REPORTS", Path("reports").c_str(), 1);
    FixClock("11/12/2026 10:00:00");
    lib_ = std::make_unique<EpsonLibrary>();
}

void EpsonTest::TearDown() {
    lib_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void EpsonTest::Reload() {
    lib_.reset();
    lib_ = std::make_unique<EpsonLibrary>();
}

void EpsonTest::WriteFaults(const std::string& ini) const {
    std::ofstream(faults_, std::ios::binary | std::ios::trunc) << ini;
}

void EpsonTest::FixClock(const std::string& moment) {
    clock_ = moment;
    WriteFaults("[Clock]\nFixed=" + moment + "\n");
}

void EpsonTest::AddFaults(const std::string& ini) const {
    WriteFaults("[Clock]\nFixed=" + clock_ + "\n" + ini);
}

void EpsonTest::WriteState(const std::string& ini) const {
    std::ofstream(Path("state.ini"), std::ios::binary | std::ios::trunc) << ini;
}

std::string EpsonTest::FileText(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string EpsonTest::Tape() const {
    return FileText(Path("tape.txt"));
}

std::vector<std::string> EpsonTest::JournalLines() const {
    std::vector<std::string> lines;
    std::stringstream ss(FileText(Path("journal.txt")));
    for (std::string line; std::getline(ss, line);)
        lines.push_back(line);
    return lines;
}

EpsonStatus EpsonTest::Status() const {
    GuardedBuffer printer(16, ' '), fiscal(16, ' '), command(4, ' '), message(100, ' ');
    EXPECT_EQ(E().Obter_Estado_ImpressoraEX(printer.data(), fiscal.data(), command.data(),
                                            message.data()),
              0);
    EXPECT_TRUE(printer.GuardIntact() && fiscal.GuardIntact() && command.GuardIntact() &&
                message.GuardIntact());
    return {printer.Text(), fiscal.Text(), command.Text(), message.Text()};
}

std::string EpsonTest::Counters() const {
    GuardedBuffer b(101);
    EXPECT_EQ(E().Obter_Contadores(b.data()), 0);
    EXPECT_TRUE(b.GuardIntact());
    return b.Text();
}

int EpsonTest::Coo() const {
    return std::stoi(Counters().substr(0, 6));
}

int EpsonTest::Ccf() const {
    return std::stoi(Counters().substr(42, 6));
}

std::string EpsonTest::DayData() const {
    GuardedBuffer b(72);
    EXPECT_EQ(E().Obter_Dados_Jornada(b.data()), 0);
    EXPECT_TRUE(b.GuardIntact());
    return b.Text();
}

void EpsonTest::OpenDay() const {
    ASSERT_EQ(E().RelatorioFiscal_Abrir_Jornada(), 0);
}

void EpsonTest::OpenCoupon() const {
    ASSERT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 0);
}

void EpsonTest::SellItem(const char* quantity, const char* price, const char* tax) const {
    ASSERT_EQ(E().Fiscal_Vender_Item("789", "ARROZ", quantity, 3, "UN", price, 2, tax, 1), 0);
}

void EpsonTest::PayAndClose(const char* form, const char* value) const {
    ASSERT_EQ(E().Fiscal_Pagamento(form, value, 2, "", ""), 0);
    ASSERT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 0);
}

void EpsonTest::SellSimpleCoupon(const char* form) const {
    OpenCoupon();
    SellItem();
    PayAndClose(form);
}

} // namespace zelt::test
