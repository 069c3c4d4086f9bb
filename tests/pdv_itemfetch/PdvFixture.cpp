#include "tests/pdv_itemfetch/PdvFixture.h"

#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Process.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace zelt::test {

namespace fs = std::filesystem;

namespace {

std::string PastaBin() {
    std::string bin = GetEnvVar("ZELT_BIN_DIR");
    if (bin.empty())
        throw std::runtime_error("ZELT_BIN_DIR is not set");
    return IncludeTrailingPathDelimiter(bin);
}

// Reads the "<kind> <length> <bytes>\n" records of the PDV program.
ChamadaPdv LerChamada(const std::string& saida) {
    ChamadaPdv c;
    c.saida = saida;
    std::size_t pos = 0;
    while (pos < saida.size()) {
        const std::size_t espaco = saida.find(' ', pos);
        const std::size_t espaco2 = saida.find(' ', espaco + 1);
        if (espaco == std::string::npos || espaco2 == std::string::npos)
            break;
        const std::string tipo = saida.substr(pos, espaco - pos);
        const std::size_t tamanho = std::stoul(saida.substr(espaco + 1, espaco2 - espaco - 1));
        const std::string texto = saida.substr(espaco2 + 1, tamanho);
        pos = espaco2 + 1 + tamanho + 1;
        if (tipo == "status") {
            c.status.push_back(texto);
        } else if (tipo == "erro") {
            c.erros.push_back(texto);
        } else if (tipo == "ret") {
            c.retorno = texto == "1";
        } else if (tipo == "totais") {
            std::istringstream(texto) >> c.bruto >> c.desconto >> c.frete >> c.liquido;
        } else if (tipo == "ultimoerro") {
            c.ultimoErro = texto;
        }
    }
    return c;
}

} // namespace

TerminalPdv::TerminalPdv() {
    raiz_ = pasta_.Path() + "Zelt/";
    const std::string pastaPrograma = raiz_ + "Bin/PDV/";
    fs::create_directories(pastaPrograma);
    programa_ = pastaPrograma + "PdvHost";
    fs::copy_file(PastaBin() + "pdv_itemfetch_host", programa_);
    dados_ = NovoBanco(pasta_, Banco::TerminalDados, false, "Zelt/Dados/terminal_dados.fdb");
    vendas_ = NovoBanco(pasta_, Banco::TerminalVendas, false, "Zelt/Dados/terminal_vendas.fdb");
    const std::vector<std::string> comuns = {
        "insert into trib (trib_cod, descr, perc) values (1, 'ICMS 18', 18)",
        "insert into trib (trib_cod, descr, perc) values (2, 'ISENTO', 0)",
        "insert into trib (trib_cod, descr, perc) values (3, 'ICMS 7', 7)",
        "insert into trib (trib_cod, descr, perc) values (4, 'ICMS 12', 12)",
        "insert into prod_fabr (prod_fabr_cod, nome) values (1, 'FABRICANTE')",
    };
    Exec(dados_, comuns);
    Exec(vendas_, comuns);
}

void TerminalPdv::Exec(const std::string& banco, const std::vector<std::string>& sqls) const {
    TConexaoSQL c;
    c.PegarDados(banco);
    ASSERT_TRUE(c.Conectar()) << c.GetUltimoErro();
    for (const std::string& sql : sqls)
        c.Exec(sql);
    c.Desconectar(false);
}

std::vector<std::string> TerminalPdv::Linhas(const std::string& banco,
                                             const std::string& sql) const {
    TConexaoSQL c;
    c.PegarDados(banco);
    if (!c.Conectar())
        throw std::runtime_error(c.GetUltimoErro());
    auto ds = c.Ab(sql);
    if (!ds)
        throw std::runtime_error(c.GetUltimoErro());
    std::vector<std::string> linhas;
    for (ds->First(); !ds->Eof(); ds->Next()) {
        std::string linha;
        for (int i = 0; i < ds->FieldCount(); ++i)
            linha += (i ? ";" : "") + ds->Fields(i).AsString();
        linhas.push_back(linha);
    }
    c.Desconectar(false);
    return linhas;
}

void TerminalPdv::Produto(const ProdutoTeste& p, bool noTerminalDados) const {
    const std::string cod = IntToStr(p.prodCod);
    if (noTerminalDados) {
        Exec(dados_,
             {"insert into prod (prod_cod, descr, prod_fabr_cod, trib_cod, trat_icms, "
              "cfop, ncm, trib_icms_cbenef, trib_icms_picmsdeson, trib_icms_motdesicms) "
              "values (" +
              cod + ", 'PRODUTO " + cod + "', 1, " + IntToStr(p.tribCod) + ", " +
              IntToStr(p.tratIcms) + ", " + QuotedStr(p.cfop) + ", " + QuotedStr(p.ncm) + ", " +
              QuotedStr(p.cbenef) + ", " + p.picmsdeson + ", " + IntToStr(p.motdesicms) + ")"});
    }
    // The sales database's copy carries stale tax data, so that the script's update shows.
    Exec(vendas_,
         {"insert into prod (prod_cod, descr, prod_fabr_cod, trib_cod, trat_icms, cfop, "
          "ncm, trib_icms_cbenef, trib_icms_picmsdeson, trib_icms_motdesicms) values (" +
          cod + ", 'PRODUTO " + cod + "', 1, 2, 9, 'VELHO', 'NCMVELHO', 'BENVELHO', 9.99, 99)"});
}

void TerminalPdv::Venda(int vendaCod, int modo, const std::vector<ItemTeste>& itens) const {
    const std::string venda = IntToStr(vendaCod);
    std::vector<std::string> sqls = {
        "insert into venda (empr_cod, estacao_cod, venda_cod, modo_arredondamento, "
        "valor_total, desconto, frete_val, qtd_itens) values (1, 2, " +
        venda + ", " + IntToStr(modo) + ", 7, 7, 7, 77)"};
    for (const ItemTeste& i : itens) {
        const std::string mov = IntToStr(i.estMovCod);
        sqls.push_back("insert into est_mov (empr_cod, estacao_cod, est_mov_cod, prod_cod, qtd, "
                       "preco_unit, desconto, frete) values (1, 2, " +
                       mov + ", " + IntToStr(i.prodCod) + ", " + i.qtd + ", " + i.precoUnit + ", " +
                       i.desconto + ", " + i.frete + ")");
        sqls.push_back("insert into venda_est_mov (empr_cod, estacao_cod, venda_cod, "
                       "est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod) values (1, 2, " +
                       venda + ", 1, 2, " + mov + ")");
    }
    Exec(vendas_, sqls);
}

ChamadaPdv TerminalPdv::Executar(int vendaCod, long long bruto, const std::string& dados,
                                 const std::string& vendas, const std::string& simbolo,
                                 const std::vector<std::string>& ambiente) const {
    ProcessOptions opcoes;
    opcoes.stdoutFile = raiz_ + "Bin/PDV/saida.txt";
    opcoes.env = ambiente;
    // The PDV program opens the databases through the package: the leak checker needs the same
    // settings as the test programs that open Firebird databases.
    opcoes.env.push_back("LSAN_OPTIONS=use_tls=0:suppressions=" + PastaFontes() +
                         "tests/dataline/lsan-fbclient.supp");
    Process p = Process::Start({programa_, PastaBin() + "ZeltPdvItemFetch.so", simbolo, dados,
                                vendas, "1", "2", IntToStr(vendaCod), IntToStr(bruto)},
                               opcoes);
    const int codigo = p.Wait();
    ChamadaPdv c = LerChamada(ReadFile(opcoes.stdoutFile));
    c.codigoSaida = codigo;
    return c;
}

std::vector<std::string> TerminalPdv::Arquivos(const std::string& pasta) const {
    std::vector<std::string> nomes;
    const fs::path disco = ToDiskPath(raiz_ + pasta);
    if (!fs::exists(disco))
        return nomes;
    for (const auto& e : fs::directory_iterator(disco))
        nomes.push_back(FromDiskPath(e.path().filename().string()));
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

std::string TerminalPdv::Ler(const std::string& nome) const {
    return ReadFile(raiz_ + nome);
}

} // namespace zelt::test
