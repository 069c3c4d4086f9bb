// A text value with a virtual reader and writer, so that descendants can normalise what they
// store (a folder that always ends in the delimiter, a bare file name).
#pragma once

#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TDadoStr {
public:
    // Stores the text through SetAsString. A C++ constructor only reaches this class's own
    // SetAsString, so each descendant that normalises calls its own from its constructor.
    explicit TDadoStr(const std::string& texto);
    virtual ~TDadoStr();
    TDadoStr(const TDadoStr&) = default;
    TDadoStr& operator=(const TDadoStr&) = default;

    virtual std::string GetAsString() const;
    virtual void SetAsString(const std::string& texto);

    // The AsString property.
    std::string AsString() const { return GetAsString(); }

protected:
    TDadoStr() = default;
    std::string texto_;
};

} // namespace zelt
