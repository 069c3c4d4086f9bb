#include "fiscal/daruma/UEcfPlugDaruma.h"

#include "fiscal/daruma/UDarumaFramework.h"
#include "fiscal/messages/UMensEcfPlug.h"
#include "outside/utils/Utils.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace zelt::ecfdaruma {

namespace {

// ---- plug-in state (process-wide, from load to unload) ---------------------------------------

std::string& PastaProgramaRef() {
    static std::string pasta = ExtractFilePath(ExecutableFileName());
    return pasta;
}
// Taken at load, as the host's folder is.
[[maybe_unused]] const std::string& pastaNaCarga = PastaProgramaRef();

TPrinterStatus statusRecord{};
// The two status bytes the distribution reads; no printer answer ever sets them.
const std::int32_t st1 = 0;
const std::int32_t st2 = 0;

// ---- helpers ---------------------------------------------------------------------------------

// A buffer for the library to fill: one byte more than the library may write, all zero, so a
// text filled to the brim still ends and a text left short reads as empty.
class Buffer {
public:
    explicit Buffer(std::size_t size) : bytes_(size + 1, '\0') {}
    char* data() { return bytes_.data(); }
    std::string Text() const { return std::string(bytes_.data()); }
    char First() const { return bytes_[0]; }

private:
    std::vector<char> bytes_;
};

std::string Rc(int rc) {
    return IntToStr(rc);
}

// The plug-in's own message boxes, as opposed to the messages package.
void Caixa(const std::string& texto) {
    MessageInfo(texto, CaptionDaruma);
}

std::string Ddmmyyyy(TDateTime dt) {
    return FormatDateTime("ddmmyyyy", dt);
}

std::string Insere(std::string texto, std::size_t posicao, const std::string& pedaco) {
    texto.insert(std::min(posicao, texto.size()), pedaco);
    return texto;
}

// Blocks of seven lines, each line followed by CR LF; the last block holds what is left.
std::vector<std::string> BlocosDeSete(const std::string& texto) {
    TStringList linhas;
    linhas.SetText(texto);
    std::vector<std::string> blocos;
    for (int i = 0; i < linhas.Count(); ++i) {
        if (i % 7 == 0)
            blocos.emplace_back();
        blocos.back() += linhas[i] + "\r\n";
    }
    return blocos;
}

// A file the library wrote into its report folder, copied over the caller's file. A file the
// library did not write leaves the destination as it was.
void CopiarRelatorio(const std::string& nome, const std::string& destino) {
    const std::string origem = PastaRelatorios() + nome;
    if (!FileExists(origem))
        return;
    std::error_code erro;
    std::filesystem::copy_file(ToDiskPath(origem), ToDiskPath(destino),
                               std::filesystem::copy_options::overwrite_existing, erro);
}

} // namespace

const std::string& PastaPrograma() {
    return PastaProgramaRef();
}

void DefinirPastaPrograma(const std::string& pasta) {
    PastaProgramaRef() = IncludeTrailingPathDelimiter(pasta);
}

std::string PastaRelatorios() {
    std::string pasta = GetEnvVar("ZELT_DARUMA_REPORTS");
    if (pasta.empty()) {
        TIniFile ini(TDarumaFramework::PastaPlugin() + DarumaPluginIniName);
        pasta = ini.ReadString("DarumaFramework", "PastaRelatorios", "");
    }
    if (pasta.empty())
        pasta = GetCurrentDir();
    return IncludeTrailingPathDelimiter(pasta);
}

TPrinterStatus& StatusRecord() {
    return statusRecord;
}

// ---- failure report, clock, readiness --------------------------------------------------------

void ExibirStatusUltimoComando(const std::string& funcao) {
    // Four blanks each, as the library expects them; the fifth byte keeps the text ended.
    char erro[5] = "    ";
    char aviso[5] = "    ";
    int iErro = 0;
    int iAviso = 0;
    const int rc = Daruma().rStatusUltimoCmd_ECF_Daruma(erro, aviso, &iErro, &iAviso);
    if (rc == 1)
        return;
    if (rc == 0) {
        Caixa("Daruma\r\n" + funcao + "\r\nerro de conexão");
        return;
    }
    Caixa("Daruma\r\n" + funcao + "\r\nCódigo de erro:" + erro + "\r\nCódigo de Aviso:" + aviso);
}

TDateTime DataHoraECF() {
    Buffer info(3000);
    Daruma().rRetornarInformacao_ECF_Daruma("172", info.data());
    const std::string t = info.Text().substr(0, 14);
    const std::string texto = Copy(t, 1, 2) + "/" + Copy(t, 3, 2) + "/" + Copy(t, 5, 4) + " " +
                              Copy(t, 9, 2) + ":" + Copy(t, 11, 2) + ":" + Copy(t, 13, 2);
    return StrToDateTime(texto);
}

bool ImpressoraPronta() {
    if (!ImpressoraLigada())
        return false;
    int semPapel = 0;
    const int rc = Daruma().rConsultaStatusImpressoraInt_ECF_Daruma(8, &semPapel);
    return !(rc == 1 && semPapel == 1);
}

// ---- start-up and coupon ---------------------------------------------------------------------

void Iniciar() {
    Daruma().eDefinirProduto_Daruma("ECF");
    Daruma().regAlterarValor_Daruma("ECF\\ReceberInfoEstendida", "1");
    Buffer nomes(360);
    if (Daruma().rLerRG_ECF_Daruma(nomes.data()) != 1)
        return;
    // RelatorioGerencial prints under "Comprovante"; a printer with a single report slot still
    // lacks it.
    if (StrToSLSeparadores(nomes.Text(), ";").Count() < 2)
        Daruma().confCadastrarPadrao_ECF_Daruma("RG", NomeGerencial);
}

bool ImpressoraLigada() {
    return Daruma().rVerificarImpressoraLigada_ECF_Daruma() == 1;
}

bool DataHoraImpr(TDateTime& dataHora) {
    Buffer data(8);
    Buffer hora(6);
    if (Daruma().rDataHoraImpressora_ECF_Daruma(data.data(), hora.data()) != 1)
        return false;
    const std::string d = Insere(Insere(data.Text(), 2, "/"), 5, "/");
    const std::string h = Insere(Insere(hora.Text(), 2, ":"), 5, ":");
    dataHora = StrToDateTime(d + " " + h);
    return true;
}

namespace {

bool CupomAbertoComSucesso(int rc, const std::string& funcao, int& numeroCupom,
                           TDateTime& dataHora) {
    if (rc == 1) {
        numeroCupom = NumCupomInt();
        dataHora = DataHoraECF();
        return true;
    }
    ExibirStatusUltimoComando(funcao);
    MensEcfPlug("Erro abrindo o cupom para Daruma Fiscal\r\nCódigo de erro:" + Rc(rc));
    return false;
}

std::string EnderecoCliente(const std::string& ender1, const std::string& ender2,
                            const std::string& ender3, const std::string& ender4) {
    std::string primeira = ender1;
    auto montar = [&] { return primeira + ", " + ender2 + " " + ender3 + " " + ender4; };
    std::string endereco = montar();
    while (endereco.size() >= 80) {
        if (primeira.empty())
            return endereco.substr(0, 79);
        primeira.pop_back();
        endereco = montar();
    }
    return endereco;
}

} // namespace

bool AbreCupom(int& numeroCupom, TDateTime& dataHora, int& casasQtd, int& casasValor) {
    Daruma().iTEF_Fechar_ECF_Daruma();
    const int rc = Daruma().iCFAbrirPadrao_ECF_Daruma();
    int numero = numeroCupom;
    TDateTime momento = dataHora;
    if (!CupomAbertoComSucesso(rc, "iCFAbrirPadrao_ECF_Daruma", numero, momento))
        return false;
    numeroCupom = numero;
    dataHora = momento;
    casasQtd = CasasQtdDaruma;
    casasValor = CasasValorDaruma;
    return true;
}

bool AbreCupomCli(const std::string& nome, const std::string& doc, const std::string& ender1,
                  const std::string& ender2, const std::string& ender3, const std::string& ender4,
                  int& numeroCupom, TDateTime& dataHora, int& casasQtd, int& casasValor) {
    casasQtd = CasasQtdDaruma;
    casasValor = CasasValorDaruma;
    const std::string documento = CodComMasc(doc);
    const std::string nomeCurto = Copy(StrSemEspacoDuplo(nome), 1, 30);
    const std::string endereco = EnderecoCliente(ender1, ender2, ender3, ender4);
    if (Daruma().iTEF_Fechar_ECF_Daruma() != 1) {
        ExibirStatusUltimoComando("iTEF_Fechar_ECF_Daruma");
        return false;
    }
    const int rc =
        Daruma().iCFAbrir_ECF_Daruma(documento.c_str(), nomeCurto.c_str(), endereco.c_str());
    int numero = numeroCupom;
    TDateTime momento = dataHora;
    if (!CupomAbertoComSucesso(rc, "iCFAbrir_ECF_Daruma", numero, momento))
        return false;
    numeroCupom = numero;
    dataHora = momento;
    return true;
}

bool IdConsumidor(const std::string& texto1, const std::string& texto2, const std::string& texto3) {
    const std::string a = Copy(Trim(texto1), 1, 48);
    const std::string b = Copy(Trim(texto2), 1, 48);
    const std::string c = Copy(Trim(texto3), 1, 42);
    if (a.empty() || b.empty() || c.empty())
        return false;
    const int rc = Daruma().iCFIdentificarConsumidor_ECF_Daruma(a.c_str(), b.c_str(), c.c_str());
    if (rc == 1)
        return true;
    Caixa("erro daruma iCFIdentificarConsumidor_ECF_Daruma retornou " + Rc(rc));
    return false;
}

namespace {

// A positive rate comes as four digits in hundredths of a percent ("1800"); the library takes
// it as "I18,00". Tax codes of letters pass as they are.
std::string AliquotaDaruma(const std::string& aliquota) {
    if (StrToNum(aliquota) > 0)
        return Insere("I" + aliquota, 3, ",");
    return aliquota;
}

std::string QuantidadeDaruma(const std::string& quantidade) {
    if (quantidade.find(',') == std::string::npos)
        return quantidade + ",0";
    return quantidade;
}

} // namespace

bool ImprimirItem(const std::string& codigo, const std::string& descricao,
                  const std::string& aliquota, const std::string& quantidade,
                  const std::string& valorUnitario, const std::string& desconto,
                  const std::string& /*acrescimo*/, const std::string& /*dptoCod*/,
                  const std::string& unidadeMedida) {
    const std::string tax = AliquotaDaruma(aliquota);
    const std::string qtd = QuantidadeDaruma(quantidade);
    const int rc = Daruma().iCFVender_ECF_Daruma(tax.c_str(), qtd.c_str(), valorUnitario.c_str(),
                                                 "D$", desconto.c_str(), codigo.c_str(),
                                                 unidadeMedida.c_str(), descricao.c_str());
    if (rc == 1)
        return true;
    MensEcfPlug("Ocorreu um erro na impressora ao vender o item, iCFVender_ECF_Daruma retornou " +
                Rc(rc) + "\r\n" + "Aliquota=[" + tax + "]\r\n" + "Quantidade=[" + qtd + "]\r\n" +
                "ValorUnitario=[" + valorUnitario + "]\r\n" + "TipoDescAcresc=[D$]" + "Desconto=[" +
                desconto + "]\r\n" + "Codigo=[" + codigo + "]\r\n" + "UnidadeMedida=[" +
                unidadeMedida + "]\r\n" + "Descricao=[" + descricao + "]\r\n");
    return false;
}

bool DescontoItem(const std::string& item, double valor) {
    const std::string texto = DinheiroStr(Currency::FromDouble(valor), false);
    if (Daruma().iCFLancarDescontoItem_ECF_Daruma(item.c_str(), "D$", texto.c_str()) == 1)
        return true;
    MensEcfPlug("Ocorreu um erro na impressora ao aplicar desconto no item");
    return false;
}

bool CancelaItem(const std::string& item) {
    if (Daruma().iCFCancelarItem_ECF_Daruma(item.c_str()) == 1)
        return true;
    MensEcfPlug("Ocorreu um erro na impressora ao cancelar o item");
    return false;
}

bool FecharCupomInicio(const std::string& desconto) {
    const int rc = Daruma().iCFTotalizarCupom_ECF_Daruma("D$", desconto.c_str());
    if (rc == 1)
        return true;
    Caixa("iCFTotalizarCupom_ECF_Daruma retornou " + Rc(rc));
    return false;
}

bool FecharCupomFP(const std::string& formaPgto, const std::string& valor) {
    const int rc =
        Daruma().iCFEfetuarPagamento_ECF_Daruma(formaPgto.c_str(), valor.c_str(), nullptr);
    if (rc == 1)
        return true;
    Caixa("fech cupom fp retornou " + Rc(rc) + " com frec [" + formaPgto + "] valor [" + valor +
          "]");
    return false;
}

bool FecharCupomFim(const std::string& mensagem) {
    const std::string texto = Copy(mensagem, 1, 384);
    const int rc = Daruma().iCFEncerrar_ECF_Daruma("0", texto.c_str());
    if (rc == 1)
        return true;
    Caixa("FecharCupomFim retornou " + Rc(rc));
    return false;
}

int CancelaCupom() {
    const int numero = NumCupomInt();
    const int rc = Daruma().iCFCancelar_ECF_Daruma();
    if (rc == 1)
        return numero;
    ExibirStatusUltimoComando("iCFCancelar_ECF_Daruma");
    MensEcfPlug("Erro cancelando o cupom para Daruma Fiscal\r\nCódigo de erro:" + Rc(rc));
    return 0;
}

bool CupomAberto() {
    Buffer status(2);
    int estado = 0;
    Daruma().rCFVerificarStatus_ECF_Daruma(status.data(), &estado);
    return status.First() != '0';
}

std::string NumCupom() {
    Buffer numero(6);
    Daruma().rRetornarInformacao_ECF_Daruma("26", numero.data());
    return numero.Text();
}

int NumCupomInt() {
    return StrToInt(StrToIntStr(NumCupom()));
}

// ---- day cycle, cash, documents --------------------------------------------------------------

// This plug-in reads no paper state; what it can tell is whether the printer answers, and that
// is what the Z reduction needs to know before it starts.
bool VerificaStatusImpressora(bool& fimPapel) {
    fimPapel = false;
    return ImpressoraLigada();
}

void LeituraX() {
    if (Daruma().iLeituraX_ECF_Daruma() != 1)
        MensEcfPlug("Ocorreu um erro na impressora fiscal ao tentar emitir a Leitura X");
}

bool ReducaoZ() {
    bool fimPapel = false;
    if (!VerificaStatusImpressora(fimPapel)) {
        Caixa("Impressora não foi localizada");
        return false;
    }
    if (CupomAberto())
        CancelaCupom();
    const int rc = Daruma().iReducaoZ_ECF_Daruma(" ", " ");
    if (rc == 1)
        return true;
    ExibirStatusUltimoComando("iReducaoZ_ECF_Daruma");
    MensEcfPlug("iReducaoZ_ECF_Darum retornou " + Rc(rc));
    return false;
}

int ReducaoZSeNecessario() {
    Buffer pendente(1);
    if (Daruma().rVerificarReducaoZ_ECF_Daruma(pendente.data()) != 1)
        return 0;
    return pendente.Text() == "1" ? 2 : 1;
}

bool Sangria(double valor) {
    const std::string texto = FormatFloat("#######0.00", valor);
    if (Daruma().iSangria_ECF_Daruma(texto.c_str(), nullptr) == 1)
        return true;
    MensEcfPlug("Ocorreu um erro ao registrar sangria na impressora fiscal");
    return false;
}

bool Suprimento(double valor) {
    const std::string texto = FormatFloat("#######0.00", valor);
    if (Daruma().iSuprimento_ECF_Daruma(texto.c_str(), nullptr) == 1)
        return true;
    MensEcfPlug("Ocorreu um erro ao registrar suprimento na impressora fiscal");
    return false;
}

bool AbreVinculado(const std::string& formaPgto, double valor, int coo) {
    if (!ImpressoraLigada())
        return false;
    const std::string cooTexto = IntToStrZero(coo, 6);
    const std::string valorTexto = FormatFloat("###########0.00", valor);
    const int rc = Daruma().iCCDAbrirSimplificado_ECF_Daruma(formaPgto.c_str(), "1",
                                                             cooTexto.c_str(), valorTexto.c_str());
    if (rc == 1)
        return true;
    ExibirStatusUltimoComando("iCCDAbrirSimplificado_ECF_Daruma");
    Caixa("iCCDAbrirSimplificado_ECF_Daruma=" + Rc(rc));
    return false;
}

bool UsaVinc(const std::string& texto) {
    if (!ImpressoraPronta())
        return false;
    if (texto.empty())
        return true;
    const int rc = Daruma().iCCDImprimirTexto_ECF_Daruma(texto.c_str());
    if (rc == 1)
        return true;
    Caixa("iCCDImprimirTexto_ECF_Daruma=" + Rc(rc));
    return false;
}

bool UsaVinculado(const std::string& texto) {
    if (!ImpressoraPronta())
        return false;
    bool ok = true;
    for (const std::string& bloco : BlocosDeSete(texto)) {
        ok = UsaVinc(bloco);
        if (!ok)
            break;
    }
    return ok;
}

bool FechaVinculado() {
    const int rc = Daruma().iCCDFechar_ECF_Daruma();
    if (rc == 1)
        return true;
    Caixa("iCCDFechar_ECF_Daruma=" + Rc(rc));
    return false;
}

bool RelatorioGerencial(const TStringList& linhas) {
    if (!ImpressoraPronta() && !IsDevelopmentEnvironment())
        return false;
    const int rcAbrir = Daruma().iRGAbrir_ECF_Daruma(NomeGerencial);
    if (rcAbrir != 1) {
        Caixa("iRGAbrir_ECF_Daruma=" + Rc(rcAbrir));
        ExibirStatusUltimoComando("iRGAbrir_ECF_Daruma(");
        return false;
    }
    // The first line goes alone, then every seven lines, then what is left.
    std::string bloco;
    const int total = linhas.Count();
    for (int i = 1; i <= total; ++i) {
        bloco += linhas[i - 1] + "\r\n";
        if (i != 1 && (i - 1) % 7 != 0 && i != total)
            continue;
        if (!ImpressoraPronta())
            return false;
        const int rc = Daruma().iRGImprimirTexto_ECF_Daruma(bloco.c_str());
        bloco.clear();
        if (rc != 1) {
            Caixa("iRGImprimirTexto_ECF_Daruma retornou " + Rc(rc));
            return false;
        }
    }
    const int rcFechar = Daruma().iRGFechar_ECF_Daruma();
    if (rcFechar != 1)
        Caixa("iRGFechar_ECF_Daruma retornou " + Rc(rcFechar));
    return rcFechar == 1;
}

bool RelatorioGerencialStr(const std::string& texto) {
    TStringList linhas;
    linhas.SetText(texto);
    return RelatorioGerencial(linhas);
}

bool AbreGerencial() {
    return Daruma().iRGAbrir_ECF_Daruma(nullptr) == 1;
}

bool UsaGerencial(const std::string& texto) {
    if (!ImpressoraPronta())
        return false;
    for (const std::string& bloco : BlocosDeSete(texto)) {
        if (!ImpressoraPronta())
            return false;
        if (Daruma().iRGImprimirTexto_ECF_Daruma(bloco.c_str()) != 1)
            return false;
    }
    return true;
}

bool FechaGerencial() {
    return Daruma().iRGFechar_ECF_Daruma() == 1;
}

bool GavetaAberta() {
    int estado = 0;
    return Daruma().rStatusGaveta_ECF_Daruma(&estado) == 1 && estado == 1;
}

void AcionaGaveta() {
    Daruma().eAbrirGaveta_ECF_Daruma();
}

// ---- tables, identification, rounding --------------------------------------------------------

namespace {

// An ICMS rate entry such as "T1800": at least five characters, "T" first, one letter, some
// digits that are not all zero. Service (ISS) entries start with another letter.
bool AliquotaIcms(const std::string& entrada, std::string& digitos) {
    if (entrada.size() < 5 || (entrada[0] != 'T' && entrada[0] != 't'))
        return false;
    const TStrInfo info = RetornaStrInfo(entrada);
    if (info.QtdLetras > 1 || info.QtdDig < 1 || StrToIntStr(info.Digitos) == "0")
        return false;
    digitos = info.Digitos;
    return true;
}

} // namespace

std::string RetornoAliquotas() {
    Buffer aliquotas(150);
    Daruma().rLerAliquotas_ECF_Daruma(aliquotas.data());
    std::string resultado;
    for (const std::string& entrada : StrToSLSeparadores(aliquotas.Text(), ";")) {
        std::string digitos;
        if (!AliquotaIcms(entrada, digitos))
            continue;
        if (!resultado.empty())
            resultado += ",";
        resultado += digitos;
    }
    return resultado;
}

std::string DescricoesFiscais() {
    TStringList arquivo;
    arquivo.LoadFromFile(PastaPrograma() + ArquivoFormasPgto);
    if (arquivo.Empty()) {
        MensEcfPlug("Ocorreu um erro ao ler as formas de recebimento da impressora");
        return "";
    }
    std::string texto;
    for (const std::string& forma : StrToSL(arquivo[0], ";"))
        texto += forma + "\r\n";
    return texto;
}

bool MarcaImpr(std::string& marca, std::string& modelo, std::string& tipoEcf) {
    marca.clear();
    modelo.clear();
    tipoEcf.clear();
    Buffer info(3000);
    if (Daruma().rRetornarInformacao_ECF_Daruma("80+81+79", info.data()) != 1)
        return false;
    TLinhas partes = StrToSLSeparadores(info.Text(), ";");
    SLExcluaBlank(partes);
    std::string* saidas[] = {&marca, &modelo, &tipoEcf};
    for (int i = 0; i < 3 && i < partes.Count(); ++i)
        *saidas[i] = partes[i];
    return true;
}

bool VerificaTruncamento(bool& truncando) {
    truncando = false;
    std::string marca, modelo, tipo;
    const bool ok = MarcaImpr(marca, modelo, tipo);
    if (ok && modelo == "FS700 L") {
        Buffer info(3000);
        Daruma().rRetornarInformacao_ECF_Daruma("165", info.data());
        truncando = info.First() != '\0';
    }
    return ok;
}

double ValorArredondado(double valor, int casas) {
    return RoundTo(valor, casas);
}

TDateTime DataCompilacao() {
    return StrToDateTime("25/11/2014 12:00:06");
}

void DistribuirValoresStatus() {
    zelt::DistribuirValoresStatus(statusRecord, st1, st2);
}

// ---- fiscal memory and files -----------------------------------------------------------------

void LeituraMemoriaFiscalDatas(TDateTime inicio, TDateTime fim, bool completa,
                               const std::string* arqDestino) {
    const std::string i = Ddmmyyyy(inicio);
    const std::string f = Ddmmyyyy(fim);
    Daruma().eMemoriaFiscal_ECF_Daruma(i.c_str(), f.c_str(), completa ? 1 : 0,
                                       arqDestino ? "ARQ" : "IMP");
    if (arqDestino)
        CopiarRelatorio("retorno.txt", *arqDestino);
}

void LeituraMemoriaFiscalCRZ(int inicio, int fim, bool completa, const std::string* arqDestino) {
    const std::string i = IntToStrZero(inicio, 4);
    const std::string f = IntToStrZero(fim, 4);
    Daruma().eMemoriaFiscal_ECF_Daruma(i.c_str(), f.c_str(), completa ? 1 : 0,
                                       arqDestino ? "ARQ" : "IMP");
    if (arqDestino)
        CopiarRelatorio("retorno.txt", *arqDestino);
}

void ArqMFDDatas(const std::string& arqDestino, TDateTime inicio, TDateTime fim) {
    // The library's report folder is its drive C: root, mapped to PastaRelatorios().
    Daruma().regAlterarValor_Daruma("START\\LocalArquivosRelatorios", "C:\\");
    const std::string i = Ddmmyyyy(inicio);
    const std::string f = Ddmmyyyy(fim);
    Daruma().rGerarMFD_ECF_Daruma("DATAM", i.c_str(), f.c_str());
    CopiarRelatorio("ATO_MFD_DATA.TXT", arqDestino);
}

void ArqMFDCOO(const std::string& arqDestino, int inicio, int fim) {
    Daruma().regAlterarValor_Daruma("START\\LocalArquivosRelatorios", "C:\\");
    const std::string i = IntToStrZero(inicio, 3);
    const std::string f = IntToStrZero(fim, 3);
    Daruma().rGerarMFD_ECF_Daruma("COO", i.c_str(), f.c_str());
    CopiarRelatorio("ATO_MFD_COO.TXT", arqDestino);
}

bool GravarTDM(int tipo, const std::string& inicio, const std::string& fim) {
    const char* intervalo = tipo == 0 ? "DATAM" : "COO";
    const std::string i = Ddmmyyyy(StrToDate(inicio));
    const std::string f = Ddmmyyyy(StrToDate(fim));
    const int rc = Daruma().rGerarRelatorio_ECF_Daruma("TDM", intervalo, i.c_str(), f.c_str());
    if (rc == 1)
        return true;
    ExibirStatusUltimoComando("rGerarRelatorio_ECF_Daruma");
    Caixa("Erro rGerarRelatorio_ECF_Daruma retornou " + Rc(rc));
    return false;
}

} // namespace zelt::ecfdaruma
