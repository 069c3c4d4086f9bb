// Settings kept in the database table config (chave, valor): the settings store of screens and
// services that remember their choices.
#pragma once

#include "outside/dataline/USQLConnection.h"
#include "platform/rtl/Export.h"

#include <string>
#include <string_view>

namespace zelt {

class TConexaoSQL;

// A key is stored as prefix + key; with a non-zero code the settings belong to that code alone
// (a screen passes the signed-in employee) and "#<code>" follows the key, so that two employees
// keep their own choices. Values are text; Booleans are 'S' or 'N'. The connection stays the
// caller's.
class ZELT_EXPORT TConfig {
public:
    TConfig(std::string database, int codigo, TSQLConnection& conexao);
    TConfig(std::string database, int codigo, TConexaoSQL& conexao);

    void SetChavePrefix(std::string prefixo) { prefixo_ = std::move(prefixo); }
    const std::string& GetChavePrefix() const { return prefixo_; }
    const std::string& GetDatabase() const { return database_; }
    int GetCodigo() const { return codigo_; }
    // The key as stored in config.chave.
    std::string ChaveCompleta(std::string_view chave) const;

    bool Existe(std::string_view chave);
    // The stored value, or `padrao` when the key has no row.
    std::string LerStr(std::string_view chave, std::string_view padrao = {});
    // `padrao` also for a stored value that is not a number.
    int LerInt(std::string_view chave, int padrao = 0);
    bool LerBool(std::string_view chave, bool padrao = false);
    void GravarStr(std::string_view chave, std::string_view valor);
    void GravarInt(std::string_view chave, int valor);
    void GravarBool(std::string_view chave, bool valor);
    void Apagar(std::string_view chave);

private:
    std::string database_;
    int codigo_;
    TSQLConnection& conexao_;
    std::string prefixo_;
};

} // namespace zelt
