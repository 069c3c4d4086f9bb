// The C boundary of the item fetch: Executar under its plain and its qualified name. No C++
// exception leaves here; the calling thread keeps the text of the error that ended its last call.
#include "pdv/ZeltPdvItemFetch/UTrazerProd.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"
#include "zelt/pdvitemfetch.h"

#include <exception>
#include <string>
#include <type_traits>

namespace {

thread_local std::string ultimoErro;

std::string Texto(const char* texto) {
    return texto ? std::string(texto) : std::string();
}

class StatusDoHost : public zelt::TStatusSink {
public:
    explicit StatusDoHost(const ZeltPdvStatus* status) : status_(status) {}
    void MostrarStatus(const std::string& texto) const override {
        if (status_ && status_->MostrarStatus)
            status_->MostrarStatus(status_->Contexto, texto.c_str());
    }
    void MostrarErro(const std::string& texto) const override {
        if (status_ && status_->MostrarErro)
            status_->MostrarErro(status_->Contexto, texto.c_str());
    }

private:
    const ZeltPdvStatus* status_;
};

zelt::Currency Ler(const ZeltPdvDinheiro* valor) {
    return zelt::Currency::FromRaw(valor ? *valor : 0);
}

void Escrever(ZeltPdvDinheiro* destino, zelt::Currency valor) {
    if (destino)
        *destino = valor.Raw();
}

void Registrar(const std::exception& e) {
    if (const auto* z = dynamic_cast<const zelt::Exception*>(&e))
        ultimoErro = z->ClassAndMessage();
    else
        ultimoErro = std::string("Exception: ") + e.what();
}

} // namespace

ZELT_C_EXPORT const char* ZeltPdvItemFetchUltimoErro(void) noexcept {
    return ultimoErro.c_str();
}

static_assert(std::is_convertible_v<decltype(&::Executar), ZeltPdvExecutarFn>,
              "signature of Executar");

ZELT_QUALIFIED_ALIAS(bool, Executar, "UTrazerProd.Executar",
                     (const ZeltPdvModoOper*, const ZeltPdvStatus*, int32_t, int32_t, int32_t,
                      ZeltPdvDinheiro*, ZeltPdvDinheiro*, ZeltPdvDinheiro*,
                      ZeltPdvDinheiro*) noexcept);

ZELT_C_EXPORT bool Executar(const ZeltPdvModoOper* ModoOper, const ZeltPdvStatus* Status,
                            int32_t EmprCod, int32_t EstacaoCod, int32_t VendaCod,
                            ZeltPdvDinheiro* TotalBruto, ZeltPdvDinheiro* TotalDesconto,
                            ZeltPdvDinheiro* TotalFrete, ZeltPdvDinheiro* TotalLiquido) noexcept {
    ultimoErro.clear();
    zelt::Currency bruto = Ler(TotalBruto);
    zelt::Currency desconto = Ler(TotalDesconto);
    zelt::Currency frete = Ler(TotalFrete);
    zelt::Currency liquido = Ler(TotalLiquido);
    bool terminou = false;
    try {
        zelt::TTerminalModoOper modoOper(Texto(ModoOper ? ModoOper->DadosConexaoProdutos : nullptr),
                                         Texto(ModoOper ? ModoOper->DadosConexaoVendas : nullptr));
        const StatusDoHost status(Status);
        zelt::TTrazerProd trazerProd(modoOper, status, EmprCod, EstacaoCod, VendaCod);
        trazerProd.Execute(bruto, desconto, frete, liquido);
        terminou = true;
    } catch (const std::exception& e) {
        Registrar(e);
    } catch (...) {
        ultimoErro = "Exception: unknown error";
    }
    Escrever(TotalBruto, bruto);
    Escrever(TotalDesconto, desconto);
    Escrever(TotalFrete, frete);
    Escrever(TotalLiquido, liquido);
    return terminou;
}
