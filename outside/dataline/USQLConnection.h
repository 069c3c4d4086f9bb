// The platform's connection object: one attachment to one Firebird database, shared by the
// connection objects, queries and settings stores that a program hands it to.
#pragma once

#include "outside/dataline/UDataSet.h"
#include "platform/rtl/Export.h"

#include <memory>
#include <string>
#include <string_view>

namespace zelt {

// The connection-data text "[host[/port]:]path": a path alone is an embedded attachment on this
// machine, "host:path" or "host/port:path" reaches a Firebird server. A one-letter prefix before
// ":\" or ":/" is a drive of the path ("C:\dados\x.fdb"), not a host.
struct ZELT_EXPORT TDadosConexao {
    std::string servidor;
    std::string porta;
    std::string arquivo;

    static TDadosConexao DoTexto(std::string_view texto);
    // Server name and database path given apart; an empty server means embedded access.
    static TDadosConexao DeServidorEArquivo(std::string_view servidor, std::string_view arquivo);
    std::string ParaTexto() const;
    bool Remoto() const { return !servidor.empty(); }
};

// User and password of the attachments and of the script tool. The defaults come from the
// environment the way Firebird's own tools read it: ISC_USER (SYSDBA when unset) and ISC_PASSWORD
// (none when unset; embedded attachments need none).
struct ZELT_EXPORT TLoginSQL {
    std::string usuario;
    std::string senha;

    static TLoginSQL DoAmbiente();
};

class ZELT_EXPORT TSQLConnection {
public:
    TSQLConnection();
    explicit TSQLConnection(std::string database);
    ~TSQLConnection();
    TSQLConnection(const TSQLConnection&) = delete;
    TSQLConnection& operator=(const TSQLConnection&) = delete;

    // The connection-data text; takes effect at the next Open.
    void SetDatabase(std::string database);
    const std::string& Database() const { return database_; }
    void SetLogin(TLoginSQL login);
    const TLoginSQL& Login() const { return login_; }

    // True when attached (also when it already was); on false LastError holds Firebird's text.
    bool Open();
    // Rolls back a transaction left open, then detaches. Never raises.
    void Close() noexcept;
    bool Connected() const;

    // Runs one statement. Outside an explicit transaction it runs in its own, committed at once;
    // on failure that transaction is rolled back and EDatabaseError carries Firebird's text. A
    // closed connection is opened first (EDatabaseError when it cannot be).
    void Execute(const std::string& sql);
    // Runs a select and fetches all its rows. Errors as Execute.
    std::unique_ptr<TSQLDataSet> Query(const std::string& sql);

    // An explicit transaction: Execute and Query run inside it until Commit or Rollback.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;

    const std::string& LastError() const { return lastError_; }

private:
    struct Impl;
    void EnsureOpen();

    std::string database_;
    TLoginSQL login_;
    std::string lastError_;
    std::unique_ptr<Impl> impl_;
};

} // namespace zelt
