#include "pdv/ZeltPdvItemFetch/UTrazerProd_InsereLinhas.h"

#include "outside/utils/Utils.h"
#include "platform/rtl/Text.h"

namespace zelt {

std::string TInsereLinhas::LinhaUpdateProd(const TVendaItem& item) {
    return "update prod set TRAT_ICMS=" + IntToStr(item.TratIcms) +
           ", CFOP=" + QuotedStr(item.Cfop) + ", TRIB_COD=" + IntToStr(item.TribCod) +
           ", NCM=" + QuotedStr(item.Ncm) + ", TRIB_ICMS_CBENEF=" + QuotedStr(item.TribIcmsCBenef) +
           ", TRIB_ICMS_PICMSDESON=" + CurrToStrPonto(item.TribIcmsPIcmsDeson) +
           ", TRIB_ICMS_motDesICMS=" + IntToStr(item.TribIcmsMotDesIcms) +
           " where prod_cod=" + IntToStr(item.ProdCod) + ";";
}

std::string TInsereLinhas::LinhaItensTribsSet(const TVendaItem& item) {
    return "execute procedure ITENS_TRIBS_SET " + IntToStr(item.VendaEmprCod) + ", " +
           IntToStr(item.VendaEstacaoCod) + ", " + IntToStr(item.VendaCod) + ", " +
           IntToStr(item.EstMovEmprCod) + ", " + IntToStr(item.EstMovEstacaoCod) + ", " +
           IntToStr(item.EstMovCod) + ", " + IntToStr(item.TribCod) + ", '" +
           CurrToStrPonto(item.Perc) + "', " + CurrToStrPonto(item.IcmsVal) + ", " +
           IntToStr(item.TratIcms) + ", " + QuotedStr(item.Cfop) + ", " +
           QuotedStr(item.TribIcmsCBenef) + ", " + IntToStr(item.TribIcmsMotDesIcms) + ", " +
           CurrToStrPonto(item.TribIcmsPIcmsDeson) + ";";
}

void TInsereLinhas::InsLin_EstMov(TArqSQL& arq, const TVendaList& lista) {
    for (int i = 0; i < lista.Count(); ++i) {
        const TVendaItem& item = lista.GetVendaItem(i);
        if (item.ProdEncontrado)
            arq.EscreverComando(LinhaItensTribsSet(item));
    }
    arq.EscreverComando("commit;");
    arq.EscreverComando("");
}

void TInsereLinhas::Exec(TArqSQL& arq, const TVendaList& lista, TTerminalModoOper& modoOper) {
    arq.EscreverConex(modoOper.GetConexaoVendas().GetDatabase());
    arq.EscreverComando("set echo on;");
    for (int i = 0; i < lista.Count(); ++i) {
        const TVendaItem& item = lista.GetVendaItem(i);
        if (item.ProdEncontrado)
            arq.EscreverComando(LinhaUpdateProd(item));
    }
    arq.EscreverComando("commit;");
    arq.EscreverComando("");
    InsLin_EstMov(arq, lista);
    arq.EscreverConex(modoOper.GetConexaoDados().GetDatabase());
    InsLin_EstMov(arq, lista);
}

} // namespace zelt
