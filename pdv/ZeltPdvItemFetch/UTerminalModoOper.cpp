#include "pdv/ZeltPdvItemFetch/UTerminalModoOper.h"

namespace zelt {

TTerminalModoOper::TTerminalModoOper(const std::string& dadosConexaoProdutos,
                                     const std::string& dadosConexaoVendas) {
    conexaoDados_.PegarDados(dadosConexaoProdutos);
    conexaoVendas_.PegarDados(dadosConexaoVendas);
}

TStatusSink::~TStatusSink() = default;

} // namespace zelt
