#include "core/entities/UDodEstacaoList.h"

#include "core/entities/UListaIndice.h"
#include "platform/rtl/Errors.h"

namespace zelt {

TDocEstacaoList::TDocEstacaoList() = default;
TDocEstacaoList::~TDocEstacaoList() = default;

TDocEstacao& TDocEstacaoList::Add(std::unique_ptr<TDocEstacao> item) {
    if (!item) {
        throw EArgumentError("A list item cannot be null");
    }
    if (!AceitaItem(*item)) {
        throw EArgumentError("Item of a kind this list does not hold");
    }
    itens_.push_back(std::move(item));
    return *itens_.back();
}

void TDocEstacaoList::Delete(int index) {
    ChecarIndiceLista(index, itens_.size());
    itens_.erase(itens_.begin() + index);
}

TDocEstacao& TDocEstacaoList::GetDocEstacao(int index) const {
    ChecarIndiceLista(index, itens_.size());
    return *itens_[static_cast<std::size_t>(index)];
}

TDocEstacao* TDocEstacaoList::CodToDocEstacao(std::int32_t emprCod, std::int32_t estacaoCod,
                                              std::int32_t numero) const {
    const int i = CodToIndex(emprCod, estacaoCod, numero);
    return i < 0 ? nullptr : itens_[static_cast<std::size_t>(i)].get();
}

int TDocEstacaoList::CodToIndex(std::int32_t emprCod, std::int32_t estacaoCod,
                                std::int32_t numero) const {
    for (std::size_t i = 0; i < itens_.size(); ++i) {
        if (itens_[i]->TemChave(emprCod, estacaoCod, numero)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TDocEstacao& TDocEstacaoList::Pegar(std::int32_t emprCod, std::int32_t estacaoCod,
                                    std::int32_t numero) {
    return Add(NovoItem(emprCod, estacaoCod, numero));
}

TDocEstacao& TDocEstacaoList::PegarUnique(std::int32_t emprCod, std::int32_t estacaoCod,
                                          std::int32_t numero) {
    if (TDocEstacao* achado = CodToDocEstacao(emprCod, estacaoCod, numero)) {
        return *achado;
    }
    return Pegar(emprCod, estacaoCod, numero);
}

TDocEstacao* TDocEstacaoList::PrimDocNaoZero() const {
    for (const auto& item : itens_) {
        if (item->Cod != 0 && item->EstacaoCod != 0 && item->EmprCod != 0) {
            return item.get();
        }
    }
    return nullptr;
}

int TDocEstacaoList::QtdZero() const {
    int qtd = 0;
    for (const auto& item : itens_) {
        if (item->Cod == 0 && item->EstacaoCod == 0 && item->EmprCod == 0) {
            ++qtd;
        }
    }
    return qtd;
}

std::unique_ptr<TDocEstacao> TDocEstacaoList::NovoItem(std::int32_t emprCod,
                                                       std::int32_t estacaoCod,
                                                       std::int32_t numero) const {
    return std::make_unique<TDocEstacao>(emprCod, estacaoCod, numero);
}

bool TDocEstacaoList::AceitaItem(const TDocEstacao&) const {
    return true;
}

} // namespace zelt
