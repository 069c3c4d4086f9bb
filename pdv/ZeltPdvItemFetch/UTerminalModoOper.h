// The terminal's operation mode as the PDV hands it over: the connections to its two databases.
// Each step opens and closes the connection it needs, so nothing here stays connected between
// steps.
#pragma once

#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TTerminalModoOper {
public:
    // Connection-data texts ("[host[/port]:]path") of the product database (terminal_dados) and
    // of the sales database.
    TTerminalModoOper(const std::string& dadosConexaoProdutos,
                      const std::string& dadosConexaoVendas);
    TTerminalModoOper(const TTerminalModoOper&) = delete;
    TTerminalModoOper& operator=(const TTerminalModoOper&) = delete;

    TConexaoSQL& GetConexaoDados() { return conexaoDados_; }
    TConexaoSQL& GetConexaoVendas() { return conexaoVendas_; }

private:
    TConexaoSQL conexaoDados_;
    TConexaoSQL conexaoVendas_;
};

// The host's status channel: a status text (an empty one clears it) and an error text.
class ZELT_EXPORT TStatusSink {
public:
    virtual ~TStatusSink();
    virtual void MostrarStatus(const std::string& texto) const = 0;
    virtual void MostrarErro(const std::string& texto) const = 0;
};

} // namespace zelt
