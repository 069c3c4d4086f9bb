// A query dataset kept by a screen or a service and reopened with new statements.
#pragma once

#include "outside/dataline/UDataSet.h"
#include "outside/dataline/USQLConnection.h"
#include "platform/rtl/Export.h"

#include <memory>
#include <string>
#include <string_view>

namespace zelt {

class TConexaoSQL;

// The statement is kept when the query is built and runs at Open; Atualizar replaces it and
// reopens. The connection stays the caller's and must outlive the query. A failing select raises
// EDatabaseError and leaves the query closed.
class ZELT_EXPORT TQ {
public:
    TQ(std::string sql, TSQLConnection& conexao);
    TQ(std::string sql, TConexaoSQL& conexao);

    void Open();
    void Atualizar(const std::string& sql);
    void Close();
    bool Active() const { return static_cast<bool>(dataSet_); }
    const std::string& SQL() const { return sql_; }

    // The open dataset; EDatabaseError when the query is closed.
    TSQLDataSet& DataSet();
    const TSQLField& FieldByName(std::string_view name) { return DataSet().FieldByName(name); }
    const TSQLField& Fields(int index) { return DataSet().Fields(index); }
    void First() { DataSet().First(); }
    void Next() { DataSet().Next(); }
    bool Eof() { return DataSet().Eof(); }
    bool IsEmpty() { return DataSet().IsEmpty(); }

private:
    std::string sql_;
    TSQLConnection& conexao_;
    std::unique_ptr<TSQLDataSet> dataSet_;
};

} // namespace zelt
