#include "core/entities/UCodList.h"

#include "core/entities/UListaIndice.h"
#include "platform/rtl/Errors.h"

#include <algorithm>

namespace zelt {

namespace {

// The positive codes in use, ascending, each once.
std::vector<std::int32_t> CodsUsados(const std::vector<std::unique_ptr<TCodItem>>& itens) {
    std::vector<std::int32_t> usados;
    usados.reserve(itens.size());
    for (const auto& item : itens) {
        if (item->Cod > 0) {
            usados.push_back(item->Cod);
        }
    }
    std::sort(usados.begin(), usados.end());
    usados.erase(std::unique(usados.begin(), usados.end()), usados.end());
    return usados;
}

} // namespace

TCodList::TCodList() = default;
TCodList::~TCodList() = default;

TCodItem& TCodList::Add(std::unique_ptr<TCodItem> item) {
    if (!item) {
        throw EArgumentError("A list item cannot be null");
    }
    if (!AceitaItem(*item)) {
        throw EArgumentError("Item of a kind this list does not hold");
    }
    itens_.push_back(std::move(item));
    return *itens_.back();
}

void TCodList::Delete(int index) {
    ChecarIndiceLista(index, itens_.size());
    itens_.erase(itens_.begin() + index);
}

TCodItem& TCodList::GetCodItem(int index) const {
    ChecarIndiceLista(index, itens_.size());
    return *itens_[static_cast<std::size_t>(index)];
}

TCodItem* TCodList::CodToCodItem(std::int32_t cod) const {
    for (const auto& item : itens_) {
        if (item->Cod == cod) {
            return item.get();
        }
    }
    return nullptr;
}

std::int32_t TCodList::GetMaiorCod() const {
    std::int32_t maior = 0;
    for (const auto& item : itens_) {
        maior = std::max(maior, item->Cod);
    }
    return maior;
}

void TCodList::PreencherCods() {
    // The codes given out in this pass all lie below the counter, so only the codes present
    // before the pass can stop it: walking them in order replaces a scan of the list per step.
    const std::vector<std::int32_t> usados = CodsUsados(itens_);
    std::size_t proximo = 0; // first used code not below the counter
    std::int32_t n = 0;
    for (const auto& item : itens_) {
        if (item->Cod != 0) {
            continue;
        }
        ++n;
        while (proximo < usados.size() && usados[proximo] <= n) {
            if (usados[proximo] == n) {
                ++n;
            }
            ++proximo;
        }
        item->Cod = n;
    }
}

bool TCodList::AceitaItem(const TCodItem&) const {
    return true;
}

} // namespace zelt
