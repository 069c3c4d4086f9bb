// A terminal of our own for the item fetch tests: a product folder with the PDV program in
// Bin/PDV/, the terminal's two databases made from schema/, and a way to record sales in them.
#pragma once

#include "tests/dataline/DbFixture.h"

#include <string>
#include <vector>

namespace zelt::test {

// What the PDV program saw of one call of Executar.
struct ChamadaPdv {
    int codigoSaida = -1;
    bool retorno = false;
    long long bruto = 0, desconto = 0, frete = 0, liquido = 0;
    std::vector<std::string> status; // MostrarStatus texts in order
    std::vector<std::string> erros;  // MostrarErro texts in order
    std::string ultimoErro;
    std::string saida; // the program's whole output, for failure messages
};

struct ProdutoTeste {
    int prodCod;
    int tratIcms;
    std::string cfop;
    int tribCod;
    std::string ncm;
    std::string cbenef;
    std::string picmsdeson; // a statement's literal
    int motdesicms;
};

struct ItemTeste {
    int estMovCod;
    int prodCod;
    std::string qtd, precoUnit, desconto, frete; // statement literals
};

class TerminalPdv {
public:
    TerminalPdv();

    const std::string& Raiz() const { return raiz_; }
    const std::string& Dados() const { return dados_; }
    const std::string& Vendas() const { return vendas_; }

    // Runs statements, each in its own transaction, on one of the databases.
    void Exec(const std::string& banco, const std::vector<std::string>& sqls) const;
    // The rows of a select, each row's fields joined with ";" as the dataset shows them.
    std::vector<std::string> Linhas(const std::string& banco, const std::string& sql) const;

    // The product in the product database; `copiaVendas` also puts a copy with stale tax data
    // into the sales database (its items need it there).
    void Produto(const ProdutoTeste& p, bool noTerminalDados = true) const;
    // A sale of company 1, station 2 recorded with its items (rounding mode `modo`).
    void Venda(int vendaCod, int modo, const std::vector<ItemTeste>& itens) const;

    // The PDV program run once: Executar (or the name given) for company 1, station 2.
    ChamadaPdv Executar(int vendaCod, long long bruto, const std::string& dados,
                        const std::string& vendas, const std::string& simbolo = "Executar",
                        const std::vector<std::string>& ambiente = {}) const;
    ChamadaPdv Executar(int vendaCod, long long bruto = 0) const {
        return Executar(vendaCod, bruto, dados_, vendas_);
    }

    // The files of a folder under the root (names only, sorted), and a file's bytes.
    std::vector<std::string> Arquivos(const std::string& pasta) const;
    std::string Ler(const std::string& nome) const;

private:
    PastaTemporaria pasta_;
    std::string raiz_;
    std::string programa_;
    std::string dados_;
    std::string vendas_;
};

} // namespace zelt::test
