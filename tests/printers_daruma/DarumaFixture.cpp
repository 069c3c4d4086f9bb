#include "tests/printers_daruma/DarumaFixture.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zelt::test {

namespace {

constexpr std::size_t kGuard = 16;
constexpr char kGuardByte = static_cast<char>(0xA5);

std::string LibraryPath() {
    const char* bin = std::getenv("ZELT_BIN_DIR");
    return std::string(bin ? bin : ".") + "/libDarumaFramework.so";
}

template <class F> void Bind(void* handle, F& slot, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol)
        throw std::runtime_error(std::string("missing export ") + name);
    slot = reinterpret_cast<F>(symbol);
}

} // namespace

DarumaLibrary::DarumaLibrary() {
    handle_ = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw std::runtime_error(std::string("dlopen: ") + dlerror());
#define ZELT_BIND(fn, suffix) Bind(handle_, api_.fn, #fn suffix)
    ZELT_BIND(eDefinirProduto, "_Daruma");
    ZELT_BIND(regAlterarValor, "_Daruma");
    ZELT_BIND(rVerificarImpressoraLigada, "_ECF_Daruma");
    ZELT_BIND(rDataHoraImpressora, "_ECF_Daruma");
    ZELT_BIND(rRetornarInformacao, "_ECF_Daruma");
    ZELT_BIND(rStatusUltimoCmd, "_ECF_Daruma");
    ZELT_BIND(rConsultaStatusImpressoraInt, "_ECF_Daruma");
    ZELT_BIND(rLerRG, "_ECF_Daruma");
    ZELT_BIND(confCadastrarPadrao, "_ECF_Daruma");
    ZELT_BIND(iTEF_Fechar, "_ECF_Daruma");
    ZELT_BIND(iCFAbrirPadrao, "_ECF_Daruma");
    ZELT_BIND(iCFAbrir, "_ECF_Daruma");
    ZELT_BIND(iCFIdentificarConsumidor, "_ECF_Daruma");
    ZELT_BIND(iCFVender, "_ECF_Daruma");
    ZELT_BIND(iCFLancarDescontoItem, "_ECF_Daruma");
    ZELT_BIND(iCFCancelarItem, "_ECF_Daruma");
    ZELT_BIND(iCFTotalizarCupom, "_ECF_Daruma");
    ZELT_BIND(iCFEfetuarPagamento, "_ECF_Daruma");
    ZELT_BIND(iCFEncerrar, "_ECF_Daruma");
    ZELT_BIND(iCFCancelar, "_ECF_Daruma");
    ZELT_BIND(rCFVerificarStatus, "_ECF_Daruma");
    ZELT_BIND(iLeituraX, "_ECF_Daruma");
    ZELT_BIND(iReducaoZ, "_ECF_Daruma");
    ZELT_BIND(rVerificarReducaoZ, "_ECF_Daruma");
    ZELT_BIND(iSangria, "_ECF_Daruma");
    ZELT_BIND(iSuprimento, "_ECF_Daruma");
    ZELT_BIND(rStatusGaveta, "_ECF_Daruma");
    ZELT_BIND(eAbrirGaveta, "_ECF_Daruma");
    ZELT_BIND(iCCDAbrirSimplificado, "_ECF_Daruma");
    ZELT_BIND(iCCDImprimirTexto, "_ECF_Daruma");
    ZELT_BIND(iCCDFechar, "_ECF_Daruma");
    ZELT_BIND(iRGAbrir, "_ECF_Daruma");
    ZELT_BIND(iRGImprimirTexto, "_ECF_Daruma");
    ZELT_BIND(iRGFechar, "_ECF_Daruma");
    ZELT_BIND(rLerAliquotas, "_ECF_Daruma");
    ZELT_BIND(eMemoriaFiscal, "_ECF_Daruma");
    ZELT_BIND(rGerarMFD, "_ECF_Daruma");
    ZELT_BIND(rGerarRelatorio, "_ECF_Daruma");
#undef ZELT_BIND
}

DarumaLibrary::~DarumaLibrary() {
    if (handle_)
        dlclose(handle_);
}

void* DarumaLibrary::Symbol(const char* name) const {
    return dlsym(handle_, name);
}

GuardedBuffer::GuardedBuffer(std::size_t chars) : chars_(chars), bytes_(chars + 1 + kGuard, 0) {
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

void DarumaTest::SetUp() {
    std::string templ = (std::filesystem::temp_directory_path() / "zelt-daruma-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    dir_ = templ;
    faults_ = Path("faults.ini");
    setenv("ZELT_DARUMA_STATE", Path("state.ini").c_str(), 1);
    setenv("ZELT_DARUMA_TAPE", Path("tape.txt").c_str(), 1);
    setenv("ZELT_DARUMA_JOURNAL", Path("journal.txt").c_str(), 1);
    setenv("ZELT_DARUMA_FAULTS", faults_.c_str(), 1);
    setenv("ZELT_DARUMA_REPORTS", Path("reports").c_str(), 1);
    // Tests that do not care about the clock still need one that is not in the Z window.
    FixClock("11/12/2026 10:00:00");
    lib_ = std::make_unique<DarumaLibrary>();
}

void DarumaTest::TearDown() {
    lib_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void DarumaTest::Reload() {
    lib_.reset();
    lib_ = std::make_unique<DarumaLibrary>();
}

void DarumaTest::WriteFaults(const std::string& ini) const {
    std::ofstream(faults_, std::ios::binary | std::ios::trunc) << ini;
}

void DarumaTest::FixClock(const std::string& moment) const {
    WriteFaults("[Clock]\nFixed=" + moment + "\n");
}

std::string DarumaTest::FileText(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string DarumaTest::Tape() const {
    return FileText(Path("tape.txt"));
}

std::string DarumaTest::Journal() const {
    return FileText(Path("journal.txt"));
}

std::vector<std::string> DarumaTest::JournalLines() const {
    std::vector<std::string> lines;
    std::stringstream ss(Journal());
    for (std::string line; std::getline(ss, line);)
        lines.push_back(line);
    return lines;
}

std::string DarumaTest::StateValue(const std::string& section, const std::string& key) const {
    return TIniFile(Path("state.ini")).ReadString(section, key, "<missing>");
}

std::string DarumaTest::Coo() const {
    GuardedBuffer b(6);
    EXPECT_EQ(D().rRetornarInformacao("26", b.data()), 1);
    EXPECT_TRUE(b.GuardIntact());
    return b.Text();
}

int DarumaTest::CouponStatus() const {
    GuardedBuffer b(2);
    int value = -1;
    EXPECT_EQ(D().rCFVerificarStatus(b.data(), &value), 1);
    EXPECT_EQ(b.Text(), std::to_string(value));
    return value;
}

int DarumaTest::LastError() const {
    GuardedBuffer error(4), warning(4);
    int e = -100, w = -100;
    const int rc = D().rStatusUltimoCmd(error.data(), warning.data(), &e, &w);
    EXPECT_EQ(rc, e == 0 ? 1 : -1);
    EXPECT_EQ(error.Text().size(), 3u);
    return e;
}

std::string DarumaTest::PendingZ() const {
    GuardedBuffer b(1);
    EXPECT_EQ(D().rVerificarReducaoZ(b.data()), 1);
    EXPECT_TRUE(b.GuardIntact());
    return b.Text();
}

int DarumaTest::StatusItem(int index) const {
    int value = -1;
    EXPECT_EQ(D().rConsultaStatusImpressoraInt(index, &value), 1);
    return value;
}

void DarumaTest::SellSimpleCoupon(const char* payment, const char* value) const {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("I18,00", "1,0", "10,00", "D$", "0,00", "1", "UN", "ITEM"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0,00"), 1);
    ASSERT_EQ(D().iCFEfetuarPagamento(payment, value, nullptr), 1);
    ASSERT_EQ(D().iCFEncerrar("0", "OBRIGADO"), 1);
}

} // namespace zelt::test
