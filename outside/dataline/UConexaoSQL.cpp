#include "outside/dataline/UConexaoSQL.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"

namespace zelt {

TConexaoSQL::TConexaoSQL() : conexao_(std::make_shared<TSQLConnection>()) {}

TConexaoSQL::~TConexaoSQL() = default;

void TConexaoSQL::PegarDados(const std::string& dados) {
    std::string texto = TDadosConexao::DoTexto(dados).ParaTexto();
    if (texto == conexao_->Database()) {
        return;
    }
    // A platform connection handed over by PegarDados belongs to its owner as well: new data
    // gets a connection of our own rather than redirecting theirs.
    auto nova = std::make_shared<TSQLConnection>(texto);
    nova->SetLogin(conexao_->Login());
    conexao_ = std::move(nova);
}

void TConexaoSQL::PegarDados(const std::string& servidor, const std::string& database) {
    PegarDados(TDadosConexao::DeServidorEArquivo(servidor, database).ParaTexto());
}

void TConexaoSQL::PegarDados(std::shared_ptr<TSQLConnection> conexao) {
    if (!conexao) {
        throw EArgumentError("TConexaoSQL.PegarDados: no connection given");
    }
    conexao_ = std::move(conexao);
}

void TConexaoSQL::PegarLogin(const std::string& usuario, const std::string& senha) {
    conexao_->SetLogin(TLoginSQL{usuario, senha});
}

bool TConexaoSQL::Conectar() {
    bool ok = conexao_->Open();
    ultimoErro_ = ok ? std::string() : conexao_->LastError();
    return ok;
}

void TConexaoSQL::Desconectar(bool confirmar) {
    if (confirmar && conexao_->InTransaction()) {
        conexao_->Commit();
    }
    conexao_->Close();
}

bool TConexaoSQL::Conectado() const {
    return conexao_->Connected();
}

void TConexaoSQL::Exec(const std::string& sql) {
    try {
        conexao_->Execute(sql);
    } catch (const EDatabaseError& e) {
        ultimoErro_ = e.Message();
        throw;
    }
}

std::unique_ptr<TSQLDataSet> TConexaoSQL::Ab(const std::string& sql) {
    try {
        auto dataSet = conexao_->Query(sql);
        ultimoErro_.clear();
        return dataSet;
    } catch (const Exception& e) {
        ultimoErro_ = e.Message();
        return nullptr;
    }
}

int TConexaoSQL::ValorInt(const std::string& sql) {
    auto dataSet = conexao_->Query(sql);
    if (dataSet->IsEmpty() || dataSet->FieldCount() == 0) {
        return 0;
    }
    return dataSet->Fields(0).AsInteger();
}

std::string TConexaoSQL::ValorStr(const std::string& sql) {
    auto dataSet = conexao_->Query(sql);
    if (dataSet->IsEmpty() || dataSet->FieldCount() == 0) {
        return {};
    }
    return dataSet->Fields(0).AsString();
}

std::int64_t TConexaoSQL::ProximoGenerator(const std::string& generator, int incremento) {
    auto dataSet = conexao_->Query("select gen_id(" + generator + ", " + IntToStr(incremento) +
                                   ") from rdb$database");
    return dataSet->Fields(0).AsLargeInt();
}

std::string TConexaoSQL::GetDatabase() const {
    return conexao_->Database();
}

void TConexaoSQL::StartTransaction() {
    conexao_->StartTransaction();
}
void TConexaoSQL::Commit() {
    conexao_->Commit();
}
void TConexaoSQL::Rollback() {
    conexao_->Rollback();
}
bool TConexaoSQL::InTransaction() const {
    return conexao_->InTransaction();
}

std::string DataSQLFirebird(TDateTime data) {
    return "'" + FormatDateTime("yyyy-mm-dd", data) + "'";
}

std::string NowSQLFirebird() {
    // The separators are written literally: the regional ones would be '/' and ':' anyway, but a
    // statement must not depend on them.
    return "'" + FormatDateTime("yyyy\"-\"mm\"-\"dd hh\":\"nn\":\"ss", Now()) + "'";
}

std::int64_t ProximoBuraco(const std::string& tabela, const std::string& campo,
                           TSQLConnection& conexao, std::int64_t minimo) {
    std::string m = IntToStr(minimo);
    auto livre = conexao.Query("select 1 from rdb$database where not exists (select 1 from " +
                               tabela + " where " + campo + "=" + m + ")");
    if (!livre->IsEmpty()) {
        return minimo;
    }
    // The key after a used key that is itself unused: the first one is the lowest gap.
    auto buraco = conexao.Query("select min(t." + campo + ") + 1 from " + tabela + " t where t." +
                                campo + ">=" + m + " and not exists (select 1 from " + tabela +
                                " u where u." + campo + "=t." + campo + "+1)");
    return buraco->Fields(0).AsLargeInt();
}

std::int64_t ProximoBuraco(const std::string& tabela, const std::string& campo,
                           TConexaoSQL& conexao, std::int64_t minimo) {
    return ProximoBuraco(tabela, campo, conexao.Conexao(), minimo);
}

} // namespace zelt
