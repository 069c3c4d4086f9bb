// The base of the file models: it keeps the full name of its file.
#pragma once

#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TArquivo {
public:
    explicit TArquivo(const std::string& nomeArquivo);
    virtual ~TArquivo();
    TArquivo(const TArquivo&) = default;
    TArquivo& operator=(const TArquivo&) = default;

    const std::string& GetNomeArquivo() const { return nomeArquivo_; }

private:
    std::string nomeArquivo_;
};

} // namespace zelt
