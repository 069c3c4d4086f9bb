#include "hosts/zelt/FiscalPrinter.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"
#include "zelt/ecfplug.h"
#include "zelt/messages.h"

#include <cstdlib>
#include <stdexcept>

namespace zelt::host {

namespace {

bool Present(void* context, int32_t, const char* text, const char*) {
    static_cast<std::vector<std::string>*>(context)->push_back(text ? text : "");
    return true;
}

std::string PackageFile(const std::string& printer) {
    if (printer == "daruma")
        return "EcfPlugDaruma.so";
    if (printer == "epson")
        return "EcfPlugEpson.so";
    throw std::runtime_error("impressora desconhecida: " + printer + " (daruma ou epson)");
}

// The emulator reads its files from the environment; it must be set before the plug-in loads
// the maker library.
std::string PreparedPackage(const std::string& printer, const std::string& packagesDir,
                            const std::string& folder) {
    const std::string file = PackageFile(printer);
    if (!ForceDirectories(folder))
        throw std::runtime_error("não foi possível criar a pasta " + folder);
    const std::string prefix = printer == "daruma" ? "ZELT_DARUMA_" : "ZELT_EPSON_";
    const auto set = [&](const std::string& name, const std::string& value) {
        setenv((prefix + name).c_str(), value.c_str(), 1);
    };
    set("STATE", folder + "state.ini");
    set("TAPE", folder + "bobina.txt");
    set("JOURNAL", folder + "journal.txt");
    set("FAULTS", folder + "faults.ini");
    set("REPORTS", folder);
    set(printer == "daruma" ? "FRAMEWORK_DIR" : "LIBRARY_DIR", packagesDir);
    return packagesDir + file;
}

std::string QuantityText(double q) {
    return FormatFloat("0.###", q);
}

} // namespace

std::string MoneyText(double value) {
    return FormatFloat("0.00", value);
}

FiscalPrinter::FiscalPrinter(const std::string& printer, const std::string& packagesDir,
                             const std::string& folder)
    : printer_(printer), folder_(IncludeTrailingPathDelimiter(folder)),
      plugin_(PreparedPackage(printer, IncludeTrailingPathDelimiter(packagesDir), folder_)) {
    plugin_.Op<void (*)(ZeltMessagePresenterFn, void*)>("zelt_set_message_presenter")(&Present,
                                                                                      &messages_);
}

FiscalPrinter::~FiscalPrinter() {
    plugin_.Op<void (*)(ZeltMessagePresenterFn, void*)>("zelt_set_message_presenter")(nullptr,
                                                                                      nullptr);
}

void FiscalPrinter::Refused(const std::string& what) {
    std::string text = "a impressora " + printer_ + " recusou: " + what;
    for (const std::string& m : messages_)
        text += "\r\n  " + StringReplace(m, "\r\n", "\r\n  ");
    messages_.clear();
    throw std::runtime_error(text);
}

void FiscalPrinter::Check(bool ok, const std::string& what) {
    if (!ok)
        Refused(what);
    messages_.clear();
}

void FiscalPrinter::Start() {
    plugin_.Op<EcfIniciarFn>("Iniciar")();
    if (plugin_.Has("AbrirPorta"))
        Check(plugin_.Op<EcfAbrirPortaFn>("AbrirPorta")(), "AbrirPorta");
    Check(plugin_.Op<EcfImpressoraLigadaFn>("ImpressoraLigada")(),
          "ImpressoraLigada (a impressora não responde)");
}

int32_t FiscalPrinter::Coupon(const std::vector<SaleItem>& items,
                              const std::vector<Payment>& payments, const Consumer& consumer,
                              const std::string& message) {
    const int32_t where = plugin_.Op<EcfRetornaCliPosFn>("RetornaCliPos")();
    int32_t numero = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    if (where == ZeltCpAoAbrir) {
        Check(plugin_.Op<EcfAbreCupomCliFn>("AbreCupomCli")(
                  consumer.nome.c_str(), consumer.cpf.c_str(), consumer.endereco.c_str(), "", "",
                  "", &numero, &dataHora, &casasQtd, &casasValor),
              "AbreCupomCli");
    } else {
        Check(plugin_.Op<EcfAbreCupomFn>("AbreCupom")(&numero, &dataHora, &casasQtd, &casasValor),
              "AbreCupom");
    }
    const auto item = plugin_.Op<EcfImprimirItemFn>("ImprimirItem");
    for (const SaleItem& i : items)
        Check(item(i.codigo.c_str(), i.descricao.c_str(), i.aliquota.c_str(),
                   QuantityText(i.quantidade).c_str(), MoneyText(i.precoUnit).c_str(),
                   MoneyText(i.desconto).c_str(), "0,00", "1", i.unidade.c_str()),
              "ImprimirItem " + i.codigo);
    Check(plugin_.Op<EcfFecharCupomInicioFn>("FecharCupomInicio")("0,00"), "FecharCupomInicio");
    for (const Payment& p : payments)
        Check(plugin_.Op<EcfFecharCupomFPFn>("FecharCupomFP")(p.forma.c_str(),
                                                              MoneyText(p.valor).c_str()),
              "FecharCupomFP " + p.forma);
    std::string closing = message;
    if (where == ZeltCpAntesMens)
        Check(plugin_.Op<EcfIdConsumidorFn>("IdConsumidor")(
                  consumer.nome.c_str(), consumer.endereco.c_str(), consumer.cpf.c_str()),
              "IdConsumidor");
    else if (where == ZeltCpNaMens)
        closing = "Consumidor: " + consumer.nome + " CPF " + consumer.cpf + "\r\n" + closing;
    Check(plugin_.Op<EcfFecharCupomFimFn>("FecharCupomFim")(closing.c_str()), "FecharCupomFim");
    Check(!plugin_.Op<EcfCupomAbertoFn>("CupomAberto")(), "o cupom ficou aberto");
    const std::string coo = plugin_.Op<EcfTextoFn>("NumCupom")();
    int32_t cooValue = 0;
    if (!TryStrToInt(coo, cooValue) || cooValue <= 0)
        Refused("NumCupom respondeu \"" + coo + "\"");
    return cooValue;
}

void FiscalPrinter::LinkedReceipt(const Payment& payment, int32_t coo, const std::string& text) {
    Check(
        plugin_.Op<EcfAbreVinculadoFn>("AbreVinculado")(payment.forma.c_str(), payment.valor, coo),
        "AbreVinculado");
    Check(plugin_.Op<EcfUsaVinculadoFn>("UsaVinculado")(text.c_str(), ""), "UsaVinculado");
    Check(plugin_.Op<EcfFechaVinculadoFn>("FechaVinculado")(), "FechaVinculado");
}

void FiscalPrinter::ReadingX() {
    plugin_.Op<EcfLeituraXFn>("LeituraX")();
    Check(messages_.empty(), "LeituraX");
}

void FiscalPrinter::ReductionZ() {
    Check(plugin_.Op<EcfReducaoZFn>("ReducaoZ")(), "ReducaoZ");
}

std::string FiscalPrinter::Status() {
    const char *marca = "", *modelo = "", *tipo = "";
    Check(plugin_.Op<EcfMarcaImprFn>("MarcaImpr")(&marca, &modelo, &tipo), "MarcaImpr");
    std::string text = "impressora: " + std::string(marca) + " " + modelo + " " + tipo;
    text +=
        "\r\nalíquotas: " + std::string(plugin_.Op<EcfRetornoAliquotasFn>("RetornoAliquotas")());
    text += "\r\nCOO: " + std::string(plugin_.Op<EcfTextoFn>("NumCupom")());
    text += "\r\ncupom aberto: ";
    text += plugin_.Op<EcfCupomAbertoFn>("CupomAberto")() ? "sim" : "não";
    const int32_t z = plugin_.Op<EcfReducaoZSeNecessarioFn>("ReducaoZSeNecessario")();
    text += "\r\nredução Z: ";
    text += z == 2 ? "pendente" : z == 1 ? "em dia" : "sem resposta";
    messages_.clear();
    return text;
}

} // namespace zelt::host
