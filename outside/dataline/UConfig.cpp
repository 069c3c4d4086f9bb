#include "outside/dataline/UConfig.h"

#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/Text.h"

namespace zelt {

TConfig::TConfig(std::string database, int codigo, TSQLConnection& conexao)
    : database_(std::move(database)), codigo_(codigo), conexao_(conexao) {}

TConfig::TConfig(std::string database, int codigo, TConexaoSQL& conexao)
    : TConfig(std::move(database), codigo, conexao.Conexao()) {}

std::string TConfig::ChaveCompleta(std::string_view chave) const {
    std::string completa = prefixo_ + std::string(chave);
    if (codigo_ != 0) {
        completa += "#" + IntToStr(codigo_);
    }
    return completa;
}

bool TConfig::Existe(std::string_view chave) {
    auto ds = conexao_.Query("select 1 from config where chave=" + QuotedStr(ChaveCompleta(chave)));
    return !ds->IsEmpty();
}

std::string TConfig::LerStr(std::string_view chave, std::string_view padrao) {
    auto ds =
        conexao_.Query("select valor from config where chave=" + QuotedStr(ChaveCompleta(chave)));
    if (ds->IsEmpty()) {
        return std::string(padrao);
    }
    return ds->Fields(0).AsString();
}

int TConfig::LerInt(std::string_view chave, int padrao) {
    return StrToIntDef(Trim(LerStr(chave, IntToStr(padrao))), padrao);
}

bool TConfig::LerBool(std::string_view chave, bool padrao) {
    std::string valor = Trim(LerStr(chave, padrao ? "S" : "N"));
    return valor == "S";
}

void TConfig::GravarStr(std::string_view chave, std::string_view valor) {
    conexao_.Execute("update or insert into config (chave, valor) values (" +
                     QuotedStr(ChaveCompleta(chave)) + ", " + QuotedStr(valor) +
                     ") matching (chave)");
}

void TConfig::GravarInt(std::string_view chave, int valor) {
    GravarStr(chave, IntToStr(valor));
}

void TConfig::GravarBool(std::string_view chave, bool valor) {
    GravarStr(chave, valor ? "S" : "N");
}

void TConfig::Apagar(std::string_view chave) {
    conexao_.Execute("delete from config where chave=" + QuotedStr(ChaveCompleta(chave)));
}

} // namespace zelt
