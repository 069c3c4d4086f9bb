// zelt: a small host that runs the demo shop, or one of its steps, by loading our packages by
// file name and calling their exports as the point-of-sale program does.
#include "hosts/zelt/FiscalPrinter.h"
#include "hosts/zelt/Package.h"
#include "hosts/zelt/Shop.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Process.h"
#include "platform/rtl/Text.h"
#include "zelt/pdvitemfetch.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// This program opens Firebird databases: the leak checker needs the settings the database tests
// use (Firebird's client keeps process-wide caches it never frees; see tests/dataline).
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
    return "use_tls=0";
}
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:mp_init\nleak:iconv_open\nleak:__gconv_lookup_cache\n";
}
#endif

namespace {

using namespace zelt;
using namespace zelt::host;

constexpr int DemoVenda = 1;

void Say(const std::string& cp1252) {
    std::printf("%s\n", Cp1252ToUtf8(StringReplace(cp1252, "\r\n", "\n")).c_str());
    std::fflush(stdout);
}

struct Options {
    std::string command;
    std::vector<std::string> words;           // arguments that are not options
    std::map<std::string, std::string> named; // --name value
    bool help = false;

    std::string Get(const std::string& name, const std::string& fallback = "") const {
        const auto it = named.find(name);
        return it == named.end() ? fallback : it->second;
    }
};

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = Utf8ToCp1252(argv[i]);
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a.rfind("--", 0) == 0) {
            if (i + 1 >= argc)
                throw std::runtime_error("a opção " + a + " precisa de um valor");
            o.named[a.substr(2)] = Utf8ToCp1252(argv[++i]);
        } else if (o.command.empty()) {
            o.command = a;
        } else {
            o.words.push_back(a);
        }
    }
    return o;
}

std::string ProgramPath() {
    return FromDiskPath(std::filesystem::read_symlink("/proc/self/exe").string());
}

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

std::string PackagesDir(const Options& o) {
    return IncludeTrailingPathDelimiter(
        o.Get("packages", EnvOr("ZELT_PACKAGES_DIR", ExtractFilePath(ProgramPath()))));
}

std::string SchemaDir(const Options& o) {
    return o.Get("schema", EnvOr("ZELT_SCHEMA_DIR", PackagesDir(o) + "schema"));
}

std::string Absolute(const std::string& folder) {
    return IncludeTrailingPathDelimiter(
        FromDiskPath(std::filesystem::absolute(ToDiskPath(folder)).lexically_normal().string()));
}

Shop ShopOf(const Options& o) {
    const std::string dir = o.Get("dir");
    if (dir.empty())
        throw std::runtime_error("falta --dir PASTA (a pasta da loja)");
    return Shop{Absolute(dir)};
}

std::string PrinterOf(const Options& o) {
    const std::string p = o.Get("printer", "daruma");
    if (p != "daruma" && p != "epson")
        throw std::runtime_error("impressora desconhecida: " + p + " (daruma ou epson)");
    return p;
}

std::string PrinterFolder(const Shop& shop, const std::string& printer) {
    return shop.root + "Impressora/" + printer + "/";
}

int VendaOf(const Options& o) {
    int venda = 0;
    if (!TryStrToInt(o.Get("venda", IntToStr(DemoVenda)), venda) || venda <= 0)
        throw std::runtime_error("--venda precisa de um número positivo");
    return venda;
}

// ---- help ----

const char* const MainHelp =
    "zelt: a loja de demonstração do Zelt.\n"
    "\n"
    "Carrega os pacotes do Zelt pelo nome do arquivo (dlopen), como o PDV, e chama as suas\n"
    "operações exportadas: a busca de itens da venda (ZeltPdvItemFetch.so) e o plug-in fiscal\n"
    "(EcfPlugDaruma.so ou EcfPlugEpson.so) diante da impressora emulada.\n"
    "\n"
    "Comandos:\n"
    "  zelt demo [--printer daruma|epson] [--dir PASTA]   a venda inteira, do banco ao cupom e à "
    "Z\n"
    "  zelt shop --dir PASTA                              cria a loja: pastas, ambiente.ini, "
    "bancos\n"
    "  zelt sale --dir PASTA [--venda N]                  registra uma venda e roda Executar\n"
    "  zelt ecf OPERAÇÃO --dir PASTA [--printer P]        uma operação na impressora fiscal\n"
    "  zelt COMANDO --help                                o que o comando faz e o que escreve\n"
    "\n"
    "Opções comuns:\n"
    "  --packages PASTA  onde estão os pacotes .so e as bibliotecas emuladas (ou "
    "ZELT_PACKAGES_DIR;\n"
    "                    padrão: a pasta deste programa)\n"
    "  --schema PASTA    os scripts do banco, schema/create-databases.sh (ou ZELT_SCHEMA_DIR;\n"
    "                    padrão: <pacotes>/schema, que a compilação copia para build/bin/schema)\n"
    "\n"
    "Precisa do isql-fb e do Firebird 3 embutido (scripts/setup-firebird.sh). Um erro em qualquer\n"
    "passo termina com a mensagem e código de saída diferente de zero.\n";

const char* const DemoHelp =
    "zelt demo [--printer daruma|epson] [--dir PASTA] [--schema PASTA] [--packages PASTA]\n"
    "\n"
    "Cria a loja em PASTA (padrão: uma pasta nova em /tmp/zelt-demo-XXXXXX):\n"
    "  PASTA/ambiente.ini, PASTA/Comandos/, PASTA/Log/, PASTA/Tmp/\n"
    "  PASTA/Dados/*.fdb          os quatro bancos de schema/ com os dados de demonstração\n"
    "  PASTA/Bin/PDV/zelt         uma cópia deste programa: o PDV da loja\n"
    "registra a venda 1 (três produtos) em PASTA/Dados/terminal_vendas.fdb, roda Executar pela\n"
    "cópia em Bin/PDV (script em PASTA/Comandos/PDV/, log em PASTA/Log/PDV/ZeltPdvItemFetch/),\n"
    "imprime o cupom fiscal com as alíquotas dos dados fiscais da venda, dinheiro e cartão, o\n"
    "consumidor onde o plug-in pede (RetornaCliPos), o comprovante vinculado do cartão, a leitura\n"
    "X e a redução Z na impressora emulada (PASTA/Impressora/<impressora>/: bobina.txt, "
    "journal.txt,\n"
    "state.ini); mostra a bobina, os totais da venda e as linhas de venda_est_mov_trib dos dois\n"
    "bancos. PASTA não pode ter bancos ainda.\n";

const char* const ShopHelp =
    "zelt shop --dir PASTA [--schema PASTA]\n"
    "\n"
    "Cria PASTA/ambiente.ini, Comandos/PDV/, Log/, Tmp/, Bin/PDV/ e, com\n"
    "schema/create-databases.sh --seed, PASTA/Dados/retaguarda.fdb, terminal_dados.fdb,\n"
    "terminal_vendas.fdb e historico_credito.fdb com os dados de demonstração.\n";

const char* const SaleHelp =
    "zelt sale --dir PASTA [--venda N]\n"
    "\n"
    "Na loja PASTA (criada antes se ainda não tem bancos), registra a venda N (padrão 1) de três\n"
    "produtos em PASTA/Dados/terminal_vendas.fdb com os totais zerados, copia este programa para\n"
    "PASTA/Bin/PDV/zelt e roda por ele Executar de ZeltPdvItemFetch.so (zelt fetch): os totais "
    "vão\n"
    "para a venda, os dados fiscais para os dois bancos (venda_est_mov_trib); o script fica em\n"
    "PASTA/Comandos/PDV/ e o log em PASTA/Log/PDV/ZeltPdvItemFetch/. Mostra os totais e as "
    "linhas.\n"
    "\n"
    "zelt fetch --dir PASTA --venda N --packages PASTA: só Executar, para o programa que está em\n"
    "PASTA/Bin/PDV/ (o pacote acha a loja pela pasta do programa que o carregou).\n";

const char* const EcfHelp =
    "zelt ecf OPERAÇÃO --dir PASTA [--printer daruma|epson]\n"
    "\n"
    "Uma operação no plug-in fiscal, na impressora emulada de PASTA/Impressora/<impressora>/\n"
    "(state.ini guarda o estado entre as chamadas; bobina.txt é o papel; journal.txt as chamadas\n"
    "à biblioteca do fabricante; faults.ini, se existir, simula falhas). Operações:\n"
    "  status                 marca, modelo, alíquotas, COO, cupom aberto, redução Z pendente\n"
    "  coupon [--venda N]     o cupom da venda N (depois de zelt sale), pago em dinheiro e cartão\n"
    "  receipt --coo N --valor V   comprovante vinculado do cartão ao cupom N\n"
    "  x                      leitura X\n"
    "  z                      redução Z\n"
    "  tape                   mostra a bobina\n";

// ---- steps ----

Consumer DemoConsumer() {
    return {"MARIA DA SILVA", "123.456.789-09", "RUA DAS FLORES 100"};
}

std::vector<Payment> DemoPayments(const Shop& shop, int venda) {
    const double total = static_cast<double>(StrToFloat(ReadTotals(shop, venda).valorTotal));
    const double cash = total > 50 ? 50 : 0;
    std::vector<Payment> payments;
    if (cash > 0)
        payments.push_back({"Dinheiro", cash});
    payments.push_back({"Cartao", total - cash});
    return payments;
}

std::string ReceiptText(const Payment& card) {
    return "COMPROVANTE DE PAGAMENTO\r\nCARTAO DE CREDITO\r\nVALOR R$ " + MoneyText(card.valor) +
           "\r\nAUTORIZACAO 123456\r\nvia do cliente\r\n";
}

void ShowTape(const FiscalPrinter& printer) {
    Say("---- bobina (" + printer.TapePath() + ") ----");
    std::string tape;
    if (!TryReadFile(printer.TapePath(), tape))
        throw std::runtime_error("a impressora não deixou bobina em " + printer.TapePath());
    Say(tape);
    Say("---- fim da bobina ----");
}

void ShowSale(const Shop& shop, int venda) {
    const SaleTotals t = ReadTotals(shop, venda);
    Say("Venda " + IntToStr(venda) + ": total R$ " + t.valorTotal + ", desconto " + t.desconto +
        ", frete " + t.frete + ", " + t.qtdItens + " itens");
    for (const auto& [name, db] :
         {std::pair{"terminal_vendas", shop.Vendas()}, std::pair{"terminal_dados", shop.Dados()}}) {
        Say(std::string("venda_est_mov_trib em ") + name +
            " (est_mov_cod;trib_cod;perc;icms_val;trat_icms;cfop;cbenef;motdesicms;picmsdeson):");
        const auto rows = ReadTaxRows(db, venda);
        if (rows.empty())
            throw std::runtime_error(std::string("nenhuma linha de tributos em ") + name);
        for (const std::string& r : rows)
            Say("  " + r);
    }
}

// Executar must run from a program in <shop>/Bin/PDV/: the package finds the shop's folders
// from the program that loaded it. So the shop gets its own copy of this program.
void RunItemFetch(const Options& o, const Shop& shop, int venda) {
    const std::string copy = shop.PdvFolder() + "zelt";
    std::filesystem::copy_file(ToDiskPath(ProgramPath()), ToDiskPath(copy),
                               std::filesystem::copy_options::overwrite_existing);
    Say("Executar (ZeltPdvItemFetch.so) pelo PDV da loja, " + copy + ":");
    // The copy finds the runtime packages it links beside this program, where the build put them.
    ProcessOptions options;
    options.env.push_back("LD_LIBRARY_PATH=" + ExtractFilePath(ProgramPath()));
    Process p = Process::Start({copy, "fetch", "--dir", shop.root, "--venda", IntToStr(venda),
                                "--packages", PackagesDir(o)},
                               options);
    if (const int rc = p.Wait(); rc != 0)
        throw std::runtime_error("a busca de itens da venda falhou (código " + IntToStr(rc) + ")");
}

struct FetchStatus {
    int erros = 0;
};

void ShowStatus(void* context, const char* text) {
    (void)context;
    if (text && *text)
        Say("  status: " + std::string(text));
}

void ShowError(void* context, const char* text) {
    ++static_cast<FetchStatus*>(context)->erros;
    Say("  erro: " + std::string(text ? text : ""));
}

int Fetch(const Options& o) {
    const Shop shop = ShopOf(o);
    const int venda = VendaOf(o);
    const Package package(PackagesDir(o) + "ZeltPdvItemFetch.so");
    const auto executar = package.Op<ZeltPdvExecutarFn>("Executar");
    const auto ultimoErro = package.Op<const char* (*)()>("ZeltPdvItemFetchUltimoErro");
    FetchStatus status;
    const std::string dados = shop.Dados(), vendas = shop.Vendas();
    const ZeltPdvModoOper modo{dados.c_str(), vendas.c_str()};
    const ZeltPdvStatus canal{&status, ShowStatus, ShowError};
    ZeltPdvDinheiro bruto = 0, desconto = 0, frete = 0, liquido = 0;
    const bool ok =
        executar(&modo, &canal, EmprCod, EstacaoCod, venda, &bruto, &desconto, &frete, &liquido);
    const auto money = [](ZeltPdvDinheiro v) { return FormatFloat("0.00", v / 10000.0L); };
    Say("  totais: bruto " + money(bruto) + ", desconto " + money(desconto) + ", frete " +
        money(frete) + ", líquido " + money(liquido));
    if (!ok)
        throw std::runtime_error(std::string("Executar falhou: ") + ultimoErro());
    if (status.erros > 0)
        throw std::runtime_error("Executar mostrou erros (veja acima)");
    return 0;
}

void EnsureShop(const Options& o, const Shop& shop) {
    if (shop.HasDatabases())
        return;
    Say("Criando a loja em " + shop.root + " (bancos de " + SchemaDir(o) + ")...");
    CreateShop(shop, SchemaDir(o));
}

int Sale(const Options& o) {
    const Shop shop = ShopOf(o);
    const int venda = VendaOf(o);
    EnsureShop(o, shop);
    RecordSale(shop, venda);
    Say("Venda " + IntToStr(venda) + " registrada em " + shop.Vendas());
    RunItemFetch(o, shop, venda);
    ShowSale(shop, venda);
    return 0;
}

int ShopCommand(const Options& o) {
    const Shop shop = ShopOf(o);
    Say("Criando a loja em " + shop.root + " (bancos de " + SchemaDir(o) + ")...");
    CreateShop(shop, SchemaDir(o));
    Say("Pronto: " + shop.root + "ambiente.ini, " + shop.root + "Dados/");
    return 0;
}

int32_t PrintCoupon(FiscalPrinter& printer, const Shop& shop, int venda) {
    const std::vector<SaleItem> items = ReadSaleItems(shop, venda);
    for (const SaleItem& i : items)
        Say("  item " + i.codigo + " " + i.descricao + " alíquota " + i.aliquota + " qtd " +
            FormatFloat("0.###", i.quantidade) + " x " + MoneyText(i.precoUnit));
    const int32_t coo = printer.Coupon(items, DemoPayments(shop, venda), DemoConsumer(),
                                       "Obrigado pela preferencia");
    Say("Cupom fiscal impresso: COO " + IntToStr(coo));
    return coo;
}

int Ecf(const Options& o) {
    if (o.words.empty())
        throw std::runtime_error("falta a operação (zelt ecf --help)");
    const std::string op = o.words[0];
    const Shop shop = ShopOf(o);
    const std::string name = PrinterOf(o);
    FiscalPrinter printer(name, PackagesDir(o), PrinterFolder(shop, name));
    if (op == "tape") {
        ShowTape(printer);
        return 0;
    }
    printer.Start();
    if (op == "status") {
        Say(printer.Status());
    } else if (op == "coupon") {
        PrintCoupon(printer, shop, VendaOf(o));
    } else if (op == "receipt") {
        int coo = 0;
        Extended valor = 0;
        if (!TryStrToInt(o.Get("coo"), coo) || !TryStrToFloat(o.Get("valor"), valor))
            throw std::runtime_error("receipt precisa de --coo N e --valor V (ex.: 38,58)");
        const Payment card{"Cartao", static_cast<double>(valor)};
        printer.LinkedReceipt(card, coo, ReceiptText(card));
        Say("Comprovante vinculado impresso");
    } else if (op == "x") {
        printer.ReadingX();
        Say("Leitura X impressa");
    } else if (op == "z") {
        printer.ReductionZ();
        Say("Redução Z impressa");
    } else {
        throw std::runtime_error("operação desconhecida: " + op + " (zelt ecf --help)");
    }
    return 0;
}

std::string NewDemoFolder() {
    std::string folder = (std::filesystem::temp_directory_path() / "zelt-demo-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        throw std::runtime_error("não foi possível criar uma pasta em /tmp");
    return FromDiskPath(folder);
}

int Demo(const Options& o) {
    const std::string name = PrinterOf(o);
    const Shop shop{Absolute(o.Get("dir").empty() ? NewDemoFolder() : o.Get("dir"))};
    Say("Loja de demonstração em " + shop.root + ", impressora " + name);
    Say("Criando os bancos de " + SchemaDir(o) + "...");
    CreateShop(shop, SchemaDir(o));
    RecordSale(shop, DemoVenda);
    Say("Venda " + IntToStr(DemoVenda) + " registrada em " + shop.Vendas());
    RunItemFetch(o, shop, DemoVenda);

    FiscalPrinter printer(name, PackagesDir(o), PrinterFolder(shop, name));
    printer.Start();
    const int32_t coo = PrintCoupon(printer, shop, DemoVenda);
    const Payment card = DemoPayments(shop, DemoVenda).back();
    printer.LinkedReceipt(card, coo, ReceiptText(card));
    Say("Comprovante vinculado do cartão impresso (R$ " + MoneyText(card.valor) + ")");
    printer.ReadingX();
    Say("Leitura X impressa");
    printer.ReductionZ();
    Say("Redução Z impressa");

    ShowTape(printer);
    ShowSale(shop, DemoVenda);
    Say("Logs e arquivos:");
    Say("  busca de itens: " + shop.root + "Log/PDV/ZeltPdvItemFetch/");
    Say("  script:         " + shop.root + "Comandos/PDV/");
    Say("  impressora:     " + PrinterFolder(shop, name) + " (bobina.txt, journal.txt)");
    return 0;
}

int Run(const Options& o) {
    static const std::map<std::string, std::pair<int (*)(const Options&), const char*>> commands = {
        {"demo", {Demo, DemoHelp}},
        {"shop", {ShopCommand, ShopHelp}},
        {"sale", {Sale, SaleHelp}},
        {"fetch", {Fetch, SaleHelp}},
        {"ecf", {Ecf, EcfHelp}}};
    if (o.command.empty()) {
        Say(MainHelp);
        return o.help ? 0 : 2;
    }
    const auto it = commands.find(o.command);
    if (it == commands.end())
        throw std::runtime_error("comando desconhecido: " + o.command + " (zelt --help)");
    if (o.help) {
        Say(it->second.second);
        return 0;
    }
    return it->second.first(o);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(Parse(argc, argv));
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "zelt: %s\n", Cp1252ToUtf8(e.what()).c_str());
        return 1;
    }
}
