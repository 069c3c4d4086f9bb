// One database connection as the system's components use it: take the connection data, connect,
// run statements and selects, read single values and generators.
#pragma once

#include "outside/dataline/UDataSet.h"
#include "outside/dataline/USQLConnection.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zelt {

class ZELT_EXPORT TConexaoSQL {
public:
    // Create: an unconnected connection.
    TConexaoSQL();
    ~TConexaoSQL();
    TConexaoSQL(const TConexaoSQL&) = delete;
    TConexaoSQL& operator=(const TConexaoSQL&) = delete;

    // The connection-data text "[host[/port]:]path" (see TDadosConexao). Data naming another
    // database close this object's connection to the old one (a shared platform connection
    // stays open for its other users); the login is kept.
    void PegarDados(const std::string& dados);
    // Server ("host" or "host/port"; empty for embedded access) and database path given apart.
    void PegarDados(const std::string& servidor, const std::string& database);
    // Works on a platform connection that another part of the program holds open.
    void PegarDados(std::shared_ptr<TSQLConnection> conexao);
    // Replaces the login taken from the environment (TLoginSQL::DoAmbiente).
    void PegarLogin(const std::string& usuario, const std::string& senha);

    // True when connected; on false GetUltimoErro holds Firebird's reason.
    bool Conectar();
    // Closes the connection. With `confirmar` a transaction left open is committed first,
    // otherwise it is rolled back.
    void Desconectar(bool confirmar = false);
    bool Conectado() const;

    // Runs one statement and commits it (inside StartTransaction: commits with Commit). A
    // failure rolls back and raises EDatabaseError with Firebird's message; the connection
    // stays usable. An unconnected connection connects first.
    void Exec(const std::string& sql);
    // The rows of a select, positioned on the first; nullptr on failure, with the reason in
    // GetUltimoErro.
    std::unique_ptr<TSQLDataSet> Ab(const std::string& sql);
    // First column of the first row: 0 or empty when there is no row or the value is null.
    // Raise EDatabaseError when the select fails.
    int ValorInt(const std::string& sql);
    std::string ValorStr(const std::string& sql);
    // The generator's value after adding `incremento`.
    std::int64_t ProximoGenerator(const std::string& generator, int incremento = 1);
    // The database as a script's connect line names it.
    std::string GetDatabase() const;
    const std::string& GetUltimoErro() const { return ultimoErro_; }

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;

    // The platform connection, for queries (TQ) and settings (TConfig) on the same attachment.
    TSQLConnection& Conexao() { return *conexao_; }
    std::shared_ptr<TSQLConnection> ConexaoCompartilhada() const { return conexao_; }

private:
    std::shared_ptr<TSQLConnection> conexao_;
    std::string ultimoErro_;
};

// A date as a statement's literal: 'yyyy-mm-dd'.
ZELT_EXPORT std::string DataSQLFirebird(TDateTime data);
// The current moment as a literal: 'yyyy-mm-dd hh:nn:ss'.
ZELT_EXPORT std::string NowSQLFirebird();
// The lowest key not in use in `tabela`.`campo`, counting from `minimo`: the first gap, or one
// past the highest key.
ZELT_EXPORT std::int64_t ProximoBuraco(const std::string& tabela, const std::string& campo,
                                       TSQLConnection& conexao, std::int64_t minimo = 1);
ZELT_EXPORT std::int64_t ProximoBuraco(const std::string& tabela, const std::string& campo,
                                       TConexaoSQL& conexao, std::int64_t minimo = 1);

} // namespace zelt
