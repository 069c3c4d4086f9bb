#include "fiscal/epson/UEcfPlugEpson.h"

#include "fiscal/epson/UInterfaceEpson.h"
#include "fiscal/messages/UMensImprStatusF.h"
#include "outside/utils/Utils.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Text.h"

#include <vector>

namespace zelt::ecfepson {

namespace {

// ---- plug-in state (process-wide, from load to unload) ---------------------------------------

TPrinterStatus statusRecord{};
// The paper-out flag the plug-in's own operations hand to the status check.
bool fimPapel = false;
bool gavetaAberta = false;
// The two status bytes the distribution reads; no printer answer ever sets them.
const std::int32_t st1 = 0;
const std::int32_t st2 = 0;

// ---- helpers ---------------------------------------------------------------------------------

// A buffer for the library to fill: one byte more than the library may write, so a text filled
// to the brim still ends. `fill` is what the library finds there before it writes.
class Buffer {
public:
    explicit Buffer(std::size_t size, char fill = '\0') : bytes_(size + 1, fill) {
        bytes_[size] = '\0';
    }
    char* data() { return bytes_.data(); }
    // The text up to the first zero character.
    std::string Text() const { return std::string(bytes_.data()); }
    char At(std::size_t index) const { return index < bytes_.size() ? bytes_[index] : '\0'; }

private:
    std::vector<char> bytes_;
};

std::string Rc(int rc) {
    return IntToStr(rc);
}

// Characters `count` from the 1-based `position`.
std::string Pedaco(const std::string& texto, int position, int count) {
    return Copy(texto, position, count);
}

std::string Insere(std::string texto, std::size_t posicao, const std::string& pedaco) {
    texto.insert(std::min(posicao, texto.size()), pedaco);
    return texto;
}

// "ddmmyyyy" and "hhnnss" as the platform reads a date-time.
TDateTime DataHoraDeDigitos(const std::string& data, const std::string& hora) {
    const std::string d = Insere(Insere(data, 2, "/"), 5, "/");
    const std::string h = Insere(Insere(hora, 2, ":"), 5, ":");
    return StrToDateTime(d + " " + h);
}

// A number written with its decimals by `pattern`, stripped to its digits (12,50 -> "1250").
std::string Digitos(const char* pattern, double valor) {
    return SoDig(FormatFloat(pattern, valor));
}

bool Positivo(const std::string& digitos) {
    return StrToIntStr(digitos) != "0";
}

bool VerificaComFlag(const std::string& contexto) {
    return VerificaStatusImpressora(fimPapel, contexto);
}

bool DataValida(TDateTime dataHora) {
    return dataHora > EncodeDate(1980, 1, 1);
}

// The fiscal coupon counter of a coupon just opened.
bool NumeroDoCupomAberto(int& numeroCupom) {
    int coo = 0;
    int ccf = 0;
    const bool ok = RetornaContadores(coo, ccf);
    numeroCupom = ccf;
    return ok;
}

// The printer-at-work window stays up exactly while the reduction runs.
class JanelaStatus {
public:
    JanelaStatus() { UMensImprStatusF::Exibir(""); }
    ~JanelaStatus() { UMensImprStatusF::Fechar(); }
    JanelaStatus(const JanelaStatus&) = delete;
    JanelaStatus& operator=(const JanelaStatus&) = delete;
};

} // namespace

void CaixaEpson(const std::string& texto) {
    MessageInfo(texto, CaptionEpson);
}

TPrinterStatus& StatusRecord() {
    return statusRecord;
}

bool FlagFimPapel() {
    return fimPapel;
}

bool FlagGaveta() {
    return gavetaAberta;
}

void RestaurarEstado() {
    statusRecord = EmptyPrinterStatus();
    fimPapel = false;
    gavetaAberta = false;
}

// ---- status check and internal operations ----------------------------------------------------

bool VerificaStatusImpressora(bool& semPapel, const std::string& contexto) {
    Buffer impressora(16, ' ');
    Buffer fiscal(16, ' ');
    Buffer retorno(4, ' ');
    Buffer erro(100, ' ');
    if (Epson().EPSON_Obter_Estado_ImpressoraEX(impressora.data(), fiscal.data(), retorno.data(),
                                                erro.data()) != 0)
        return false;
    if (retorno.Text() != "0000") {
        const std::string inicio = contexto.empty() ? std::string() : contexto + "\r\n";
        CaixaEpson(inicio + "szEstadoImpressora=" + impressora.Text() + "\r\n" +
                   "szEstadoFiscal=" + fiscal.Text() + "\r\n" +
                   "szRetornoComando=" + retorno.Text() + "\r\n" + "szMsgErro=" + erro.Text());
    }
    semPapel = impressora.At(14) == '1';
    TPrintFlags flags = FlagsOf(statusRecord);
    if (semPapel)
        flags.Include(TPrintFlag::pfFimPapel);
    else
        flags.Exclude(TPrintFlag::pfFimPapel);
    if (Pedaco(fiscal.Text(), 13, 4) == "0001")
        flags.Include(TPrintFlag::pfCupomAberto);
    else
        flags.Exclude(TPrintFlag::pfCupomAberto);
    SetFlags(statusRecord, flags);
    gavetaAberta = impressora.At(3) == '1';
    return true;
}

bool SemPapel() {
    if (!VerificaComFlag("function SemPapel: Boolean"))
        return true;
    return FlagsOf(statusRecord).Contains(TPrintFlag::pfFimPapel);
}

bool ImpressoraOk() {
    if (!ImpressoraLigada()) {
        CaixaEpson("impressora ok=desligada");
        return false;
    }
    if (SemPapel()) {
        CaixaEpson("impressora ok=sem papel");
        return false;
    }
    return true;
}

void GarantirJornadaAberta() {
    Buffer jornada(72);
    if (Epson().EPSON_Obter_Dados_Jornada(jornada.data()) == 0 && jornada.At(64) == '0')
        Epson().EPSON_RelatorioFiscal_Abrir_Jornada();
}

bool RetornaContadores(int& coo, int& ccf) {
    ccf = 0;
    Buffer contadores(101);
    if (Epson().EPSON_Obter_Contadores(contadores.data()) != 0) {
        VerificaComFlag("function RetornaContadores(out pCOO, pCCF: Integer): Boolean\r\n"
                        "EPSON_Obter_Contadores(szContadores)");
        return false;
    }
    const std::string texto = contadores.Text();
    coo = StrToInt(StrToIntStr(Pedaco(texto, 1, 6)));
    ccf = StrToInt(StrToIntStr(Pedaco(texto, 43, 6)));
    return true;
}

// ---- start-up, port, clock -------------------------------------------------------------------

bool ImpressoraLigada() {
    Buffer estado(24);
    return Epson().EPSON_Obter_Estado_Impressora(estado.data()) == 0 && estado.At(1) != '\0';
}

bool AbrirPorta() {
    const int rc = Epson().EPSON_Serial_Abrir_PortaEX();
    if (rc != 0)
        VerificaComFlag("EPSON_Serial_Abrir_PortaEX;");
    return rc == 0;
}

void FecharPorta() {
    Epson().EPSON_Serial_Fechar_Porta();
}

void AberturaDoDia() {
    Epson().EPSON_RelatorioFiscal_Abrir_Jornada();
}

bool DataHoraImpr(TDateTime& dataHora) {
    dataHora = 0;
    Buffer relogio(16);
    if (Epson().EPSON_Obter_Hora_Relogio(relogio.data()) != 0)
        return false;
    const std::string texto = relogio.Text();
    dataHora = DataHoraDeDigitos(Pedaco(texto, 1, 8), Pedaco(texto, 9, 6));
    return true;
}

// ---- fiscal coupon ---------------------------------------------------------------------------

bool AbreCupom(int& numeroCupom, TDateTime& dataHora, int& casasQtd, int& casasValor) {
    casasQtd = CasasQtdEpson;
    casasValor = CasasValorEpson;
    GarantirJornadaAberta();
    if (!DataHoraImpr(dataHora) || !DataValida(dataHora))
        return false;
    const int rc = Epson().EPSON_Fiscal_Abrir_Cupom("", "", "", "", 1);
    if (rc != 0) {
        CaixaEpson("EPSON_Fiscal_Abrir_Cupom retornou " + Rc(rc));
        return false;
    }
    return NumeroDoCupomAberto(numeroCupom);
}

bool AbreCupomCli(const std::string& nome, const std::string& doc, const std::string& ender1,
                  const std::string& ender2, const std::string& ender3, const std::string& ender4,
                  int& numeroCupom, TDateTime& dataHora, int& casasQtd, int& casasValor) {
    casasQtd = CasasQtdEpson;
    casasValor = CasasValorEpson;
    std::string contexto = "AbreCupomCli\r\nDestin:" + nome + " Doc:" + doc + "\r\n" +
                           "Ender:" + ender1 + ";" + ender2 + ";" + ender3 + ";" + ender4 + ";\r\n";
    GarantirJornadaAberta();
    if (!DataHoraImpr(dataHora) || !DataValida(dataHora))
        return false;
    contexto += "DtH Emiss=" + FormatDateTime("dd/mm/yyyy hh:nn:ss,zzz", dataHora) + "\r\n";
    // The printer takes the address as two lines: 40 characters, then 39 more.
    const std::string endereco = ender1 + ", " + ender2 + " " + ender3 + " " + ender4;
    const std::string linha1 = Trim(Pedaco(endereco, 1, 40));
    const std::string linha2 = Trim(Pedaco(endereco, 41, 39));
    contexto += "ParEnder1=[" + linha1 + "]\r\n" + "ParEnder2=[" + linha2 + "]\r\n";
    contexto += std::string("EPSON_Fiscal_Abrir_Cupom(") + "pchar(pCliDoc)" + ", pchar(pCliNome)" +
                ", pchar(sender1)" + (linha2.empty() ? ", ''" : ", pchar(sender2)") + ", 3" +
                ")\r\n";
    const int rc = Epson().EPSON_Fiscal_Abrir_Cupom(doc.c_str(), nome.c_str(), linha1.c_str(),
                                                    linha2.c_str(), 3);
    if (rc != 0) {
        VerificaComFlag(contexto + "Retornou " + Rc(rc));
        return false;
    }
    return NumeroDoCupomAberto(numeroCupom);
}

namespace {

// A positive rate goes as at least four digits (18,00 -> "1800", 7 -> "0007"); letter codes
// pass as they are.
std::string AliquotaEpson(const std::string& aliquota) {
    if (StrToNum(aliquota) <= 0)
        return aliquota;
    std::string digitos = SoDig(aliquota);
    while (digitos.size() < 4)
        digitos.insert(0, "0");
    return digitos;
}

} // namespace

bool ImprimirItem(const std::string& codigo, const std::string& descricao,
                  const std::string& aliquota, const std::string& quantidade,
                  const std::string& valorUnitario, const std::string& desconto,
                  const std::string& acrescimo, const std::string& dptoCod,
                  const std::string& unidadeMedida) {
    const std::string sq = Digitos("#####0.000", StrToNum(quantidade));
    if (!Positivo(sq)) {
        CaixaEpson("Erro ao imprimir produto " + codigo +
                   ". Quantidade deve ser maior do que zero.");
        return false;
    }
    const std::string sp = Digitos("#####0.00", StrToNum(valorUnitario));
    if (!Positivo(sp)) {
        CaixaEpson("Erro ao imprimir produto " + codigo +
                   ". Preço unitário deve ser maior do que zero.");
        return false;
    }
    const std::string tax = AliquotaEpson(aliquota);
    const std::string sd = SoDig(desconto);
    const std::string contexto =
        "function ImprimirItem\r\nEPSON_Fiscal_Vender_Item\r\npCodigo=[" + codigo + "]\r\n" +
        "pDescricao=[" + descricao + "]\r\n" + "pAliquota=[" + tax + "]\r\n" + "pQuantidade=[" +
        quantidade + "] sq=[" + sq + "]\r\n" + "pValorUnitario=[" + valorUnitario + "] sp=[" + sp +
        "]\r\n" + "pDesconto=[" + sd + "]\r\n" + "pAcrescimo=[" + acrescimo + "]\r\n" +
        "pDptoCod=[" + dptoCod + "]\r\n" + "pUnidadeMedida=[" + unidadeMedida + "]\r\n";
    int rc = Epson().EPSON_Fiscal_Vender_Item(codigo.c_str(), descricao.c_str(), sq.c_str(), 3,
                                              unidadeMedida.c_str(), sp.c_str(), 2, tax.c_str(), 1);
    if (rc != 0) {
        // A failed sale must not touch the paper-out flag the other operations rely on.
        bool semPapel = false;
        VerificaStatusImpressora(semPapel, contexto);
        return false;
    }
    if (StrToIntStr(sd) != "0") {
        const std::string contextoDesconto =
            "EPSON_Fiscal_Desconto_Acrescimo_Item\r\nprod:" + codigo + "\r\n" + "desconto:" + sd +
            "\r\n";
        rc = Epson().EPSON_Fiscal_Desconto_Acrescimo_Item(sd.c_str(), 2, 1, 0);
        if (rc != 0)
            VerificaComFlag(contextoDesconto);
    }
    return rc == 0;
}

bool CancelaItem(const std::string& item) {
    const std::string numero = StrToIntStr(item);
    return Epson().EPSON_Fiscal_Cancelar_Item(numero.c_str()) == 0;
}

bool FecharCupomFP(const std::string& formaPgto, const std::string& valor) {
    const std::string digitos = Digitos("######0.00", StrToNum(valor));
    const std::string contexto =
        "EPSON_Fiscal_Pagamento( " + formaPgto + ", " + digitos + ", 2, '', '');";
    const int rc = Epson().EPSON_Fiscal_Pagamento(formaPgto.c_str(), digitos.c_str(), 2, "", "");
    if (rc != 0)
        VerificaComFlag(contexto);
    return rc == 0;
}

bool FecharCupomFim(const std::string& mensagem) {
    const std::string texto = Copy(mensagem, 1, 448);
    if (Epson().EPSON_Fiscal_Imprimir_MensagemEX(texto.c_str()) != 0) {
        VerificaComFlag("EPSON_Fiscal_Imprimir_MensagemEX\r\n" + texto);
        return false;
    }
    const int rc = Epson().EPSON_Fiscal_Fechar_Cupom(1, 0);
    if (rc != 0)
        VerificaComFlag("EPSON_Fiscal_Fechar_Cupom(true, false);");
    return rc == 0;
}

int CancelaCupom() {
    const int numero = NumCupomInt();
    if (numero >= 1 && Epson().EPSON_Fiscal_Cancelar_Cupom() != 0)
        VerificaComFlag("function CancelaCupom(Ignorado: Integer; IgnoradoTexto: string): "
                        "Integer\r\nEPSON_Fiscal_Cancelar_Cupom()");
    return numero;
}

bool CupomAberto() {
    if (!VerificaComFlag("function CupomAberto: Boolean"))
        return false;
    return FlagsOf(statusRecord).Contains(TPrintFlag::pfCupomAberto);
}

int NumCupomInt() {
    int coo = 0;
    int ccf = 0;
    if (RetornaContadores(coo, ccf))
        return coo;
    VerificaComFlag("function NumCupomInt: Integer");
    return 0;
}

std::string NumCupom() {
    return IntToStr(NumCupomInt());
}

// ---- day cycle -------------------------------------------------------------------------------

void LeituraX() {
    Epson().EPSON_RelatorioFiscal_LeituraX();
}

bool ReducaoZ() {
    JanelaStatus janela;
    Buffer retorno(6);
    return Epson().EPSON_RelatorioFiscal_RZ("", "", 2, retorno.data()) == 0;
}

int ReducaoZSeNecessario() {
    Buffer jornada(72);
    if (Epson().EPSON_Obter_Dados_Jornada(jornada.data()) != 0)
        return 0;
    return jornada.At(65) == '1' ? 2 : 1;
}

bool DtUltimaReducaoZStr(std::string& data, std::string& hora) {
    Buffer ultima(1168);
    if (Epson().EPSON_Obter_Dados_Ultima_RZ(ultima.data()) != 0)
        return false;
    const std::string texto = ultima.Text();
    data = Pedaco(texto, 1, 8);
    hora = Pedaco(texto, 9, 6);
    return true;
}

bool DtUltimaReducaoZ(TDateTime& dataHora) {
    std::string data;
    std::string hora;
    if (!DtUltimaReducaoZStr(data, hora)) {
        dataHora = 0;
        return false;
    }
    dataHora = DataHoraDeDigitos(data, hora);
    return true;
}

TDateTime DtUltimoMovimento() {
    return EncodeDate(1980, 1, 2);
}

bool DiaAberto() {
    return DataValida(DtUltimoMovimento());
}

// ---- cash, linked receipts, reports, drawer --------------------------------------------------

bool Sangria(double valor) {
    const std::string digitos = Digitos("#########0.00", valor);
    return Epson().EPSON_NaoFiscal_Sangria(digitos.c_str(), 2) == 0;
}

bool Suprimento(double valor) {
    const std::string digitos = Digitos("#########0.00", valor);
    return Epson().EPSON_NaoFiscal_Fundo_Troco(digitos.c_str(), 2) == 0;
}

bool AbreVinculado(const std::string& formaPgto, double valor, int /*coo*/) {
    if (!ImpressoraLigada())
        return false;
    const std::string digitos = Digitos("###########0.00", valor);
    return Epson().EPSON_NaoFiscal_Abrir_CCD(formaPgto.c_str(), digitos.c_str(), 2, "1") == 0;
}

bool UsaVinculado(const std::string& texto) {
    if (!ImpressoraOk()) {
        CaixaEpson("epson impressora nao ok");
        return false;
    }
    TStringList linhas;
    linhas.SetText(texto);
    // The printer takes the receipt seven lines at a time.
    for (int inicio = 0; inicio < linhas.Count(); inicio += 7) {
        std::string bloco;
        for (int i = inicio; i < linhas.Count() && i < inicio + 7; ++i)
            bloco += linhas[i] + "\r\n";
        if (!ImpressoraOk())
            return false;
        const int rc = Epson().EPSON_NaoFiscal_Imprimir_Linha(bloco.c_str());
        if (rc != 0) {
            CaixaEpson("EPSON_NaoFiscal_Imprimir_Linha retornou " + Rc(rc));
            return false;
        }
    }
    return true;
}

bool FechaVinculado() {
    return Epson().EPSON_NaoFiscal_Fechar_CCD(1) == 0;
}

bool RelatorioGerencial(const TStringList& linhas) {
    if (linhas.Empty())
        return true;
    const std::string contexto = "function RelatorioGerencial(pSL: TStrings): Boolean\r\n"
                                 "EPSON_NaoFiscal_Abrir_Relatorio_Gerencial(\"1\")\r\n[" +
                                 linhas[0] + "]";
    if (Epson().EPSON_NaoFiscal_Abrir_Relatorio_Gerencial("1") != 0) {
        VerificaComFlag(contexto);
        return false;
    }
    for (const std::string& linha : linhas) {
        // The printer refuses an empty line; a blank keeps the report's spacing.
        const std::string texto = linha.empty() ? std::string(" ") : linha;
        if (Epson().EPSON_NaoFiscal_Imprimir_Linha(texto.c_str()) != 0) {
            VerificaComFlag(contexto + "\r\nEPSON_NaoFiscal_Imprimir_Linha(" + texto + ")");
            return false;
        }
    }
    const int rc = Epson().EPSON_NaoFiscal_Fechar_Relatorio_Gerencial(1);
    if (rc != 0)
        VerificaComFlag(contexto + "\r\nEPSON_NaoFiscal_Fechar_Relatorio_Gerencial(true);");
    return rc == 0;
}

bool RelatorioGerencialStr(const std::string& texto) {
    TStringList linhas;
    linhas.SetText(texto);
    return RelatorioGerencial(linhas);
}

bool GavetaAberta() {
    if (!VerificaComFlag("function GavetaAberta: Boolean"))
        return false;
    return gavetaAberta;
}

void AcionaGaveta() {
    Epson().EPSON_Impressora_Abrir_Gaveta();
}

// ---- tables, data, rounding ------------------------------------------------------------------

std::string RetornoAliquotas() {
    Buffer tabela(554);
    if (Epson().EPSON_Obter_Tabela_Aliquotas(tabela.data()) != 0)
        return "";
    const std::string texto = tabela.Text();
    std::string resultado;
    const int entradas = static_cast<int>(texto.size()) / 23;
    for (int i = 0; i < entradas; ++i) {
        const std::string entrada = Pedaco(texto, i * 23 + 1, 23);
        if (entrada[0] != 'T')
            continue;
        if (!resultado.empty())
            resultado += ",";
        resultado += Pedaco(entrada, 3, 4);
    }
    return resultado;
}

std::string DescricoesFiscais() {
    Buffer tabela(882);
    // Whatever the call answers, what it left in the buffer is read.
    Epson().EPSON_Obter_Tabela_Pagamentos(tabela.data());
    const std::string texto = tabela.Text();
    std::string nomes;
    for (int i = 0; i < 20; ++i) {
        const std::string nome = Trim(Pedaco(texto, 3 + i * 44, 15));
        if (!nome.empty())
            nomes += nome + "\r\n";
    }
    return nomes;
}

bool VerificaTruncamento(bool& truncando) {
    Buffer modo(3);
    Buffer fabricacao(4);
    const int rc = Epson().EPSON_Obter_Arredonda_Trunca_Fabricacao(modo.data(), fabricacao.data());
    truncando = modo.Text() == "N";
    return rc == 0;
}

double ValorArredondado(double valor, int /*casas*/) {
    return TruncarViaStr(valor, -2);
}

namespace {

const char* const Quatorze = "00000000000000";

void AdicionarValor(TStringList& lista, const std::string& chave, const std::string& valor) {
    lista.Add(chave + "=" + valor);
}

} // namespace

bool PegarDadosImpr(TStringList& lista) {
    lista.Clear();
    AdicionarValor(lista, "NumFabric", "000000");
    AdicionarValor(lista, "MFAdic", " ");
    AdicionarValor(lista, "MarcaECF", "Texto");
    AdicionarValor(lista, "ModeloECF", "0");
    AdicionarValor(lista, "TipoECF", "0");
    AdicionarValor(lista, "PDV", "1");
    for (const char* chave :
         {"NSerie", "VersaoSB", "DataHoraSB", "CNPJ", "IE", "CRZ", "COO", "CRO", "UsuCod"})
        AdicionarValor(lista, chave, "0");
    AdicionarValor(lista, "DTMov", FormatDateTime("ddmmyy", Date()));
    TDateTime ultimaZ = 0;
    if (!DtUltimaReducaoZ(ultimaZ))
        return false;
    AdicionarValor(lista, "DTHEmiss", FloatToStr(ultimaZ));
    for (const char* chave : {"Bruta", "IncideDescontoISS", "GT"})
        AdicionarValor(lista, chave, "0");
    for (const char* chave : {"I1", "I2", "N1", "N2", "F1", "F2", "IS1", "IS2", "NS1", "NS2", "FS1",
                              "FS2", "OPNF", "DT", "DS", "AT", "AS", "Can-T", "Can-S"})
        AdicionarValor(lista, chave, Quatorze);
    return true;
}

TDateTime DataCompilacao() {
    return StrToDateTime("20/11/2011 21:18:10");
}

void DistribuirValoresStatus() {
    zelt::DistribuirValoresStatus(statusRecord, st1, st2);
}

} // namespace zelt::ecfepson
