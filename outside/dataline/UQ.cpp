#include "outside/dataline/UQ.h"

#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/Errors.h"

namespace zelt {

TQ::TQ(std::string sql, TSQLConnection& conexao) : sql_(std::move(sql)), conexao_(conexao) {}

TQ::TQ(std::string sql, TConexaoSQL& conexao) : TQ(std::move(sql), conexao.Conexao()) {}

void TQ::Open() {
    dataSet_.reset();
    dataSet_ = conexao_.Query(sql_);
}

void TQ::Atualizar(const std::string& sql) {
    sql_ = sql;
    Open();
}

void TQ::Close() {
    dataSet_.reset();
}

TSQLDataSet& TQ::DataSet() {
    if (!dataSet_) {
        throw EDatabaseError("Query is not open");
    }
    return *dataSet_;
}

} // namespace zelt
