#include "outside/dataline/UDataSet.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Text.h"

#include <cmath>
#include <limits>

namespace zelt {

namespace {

const TFieldValue& NullValue() {
    static const TFieldValue null;
    return null;
}

std::int64_t PowerOfTen(int exponent) {
    std::int64_t p = 1;
    for (int i = 0; i < exponent; ++i) {
        p *= 10;
    }
    return p;
}

// Unscaled integer and scale -> money, exactly; a scale finer than money's four decimals rounds
// half to even, as money conversions do everywhere in the system.
Currency ScaledToCurrency(std::int64_t value, int scale) {
    // Money keeps four decimals.
    int shift = 4 + scale;
    if (shift >= 0) {
        std::int64_t factor = PowerOfTen(shift);
        if (value > std::numeric_limits<std::int64_t>::max() / factor ||
            value < std::numeric_limits<std::int64_t>::min() / factor) {
            throw EConvertError("'" + IntToStr(value) + "' is out of the range of money");
        }
        return Currency::FromRaw(value * factor);
    }
    std::int64_t divisor = PowerOfTen(-shift);
    std::int64_t quotient = value / divisor;
    std::int64_t remainder = value % divisor;
    std::int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > divisor || (twice == divisor && quotient % 2 != 0)) {
        quotient += value < 0 ? -1 : 1;
    }
    return Currency::FromRaw(quotient);
}

// Decimal text of an unscaled integer: regional separator, no trailing zeros.
std::string ScaledToString(std::int64_t value, int scale) {
    if (scale >= 0) {
        return IntToStr(value) + std::string(static_cast<std::size_t>(scale), '0');
    }
    bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    std::size_t decimals = static_cast<std::size_t>(-scale);
    if (digits.size() <= decimals) {
        digits.insert(0, decimals - digits.size() + 1, '0');
    }
    std::string integral = digits.substr(0, digits.size() - decimals);
    std::string fraction = digits.substr(digits.size() - decimals);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string text = negative ? "-" + integral : integral;
    if (!fraction.empty()) {
        text += FormatSettings().DecimalSeparator;
        text += fraction;
    }
    return text;
}

long double ScaledToReal(std::int64_t value, int scale) {
    return static_cast<long double>(value) * std::pow(10.0L, static_cast<long double>(scale));
}

int NarrowToInt(std::int64_t value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw EConvertError("'" + IntToStr(value) + "' is not a valid integer value");
    }
    return static_cast<int>(value);
}

} // namespace

// ---- TSQLField ----------------------------------------------------------------------------

const TFieldDef& TSQLField::Def() const {
    return dataSet_->FieldDef(index_);
}
const TFieldValue& TSQLField::Value() const {
    return dataSet_->CurrentValue(index_);
}
const std::string& TSQLField::FieldName() const {
    return Def().name;
}
TFieldType TSQLField::DataType() const {
    return Def().type;
}
bool TSQLField::IsNull() const {
    return std::holds_alternative<std::monostate>(Value());
}

std::string TSQLField::AsString() const {
    const TFieldValue& v = Value();
    const TFieldDef& def = Def();
    if (const auto* s = std::get_if<std::string>(&v)) {
        return *s;
    }
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        if (def.type == TFieldType::Boolean) {
            return *i != 0 ? "True" : "False";
        }
        return def.type == TFieldType::BCD ? ScaledToString(*i, def.scale) : IntToStr(*i);
    }
    if (const auto* d = std::get_if<double>(&v)) {
        switch (def.type) {
        case TFieldType::Date:
            return DateToStr(*d);
        case TFieldType::Time:
            return TimeToStr(*d);
        case TFieldType::DateTime:
            return DateTimeToStr(*d);
        default:
            return FloatToStr(*d);
        }
    }
    return {};
}

std::int64_t TSQLField::AsLargeInt() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        if (Def().type == TFieldType::BCD && Def().scale < 0) {
            return *i / PowerOfTen(-Def().scale);
        }
        return *i;
    }
    if (const auto* d = std::get_if<double>(&v)) {
        if (Def().type == TFieldType::Float) {
            return Round(*d);
        }
        return Trunc(*d);
    }
    if (const auto* s = std::get_if<std::string>(&v)) {
        return StrToInt64(*s);
    }
    return 0;
}

int TSQLField::AsInteger() const {
    return NarrowToInt(AsLargeInt());
}

double TSQLField::AsFloat() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        if (Def().type == TFieldType::BCD) {
            return static_cast<double>(ScaledToReal(*i, Def().scale));
        }
        return static_cast<double>(*i);
    }
    if (const auto* d = std::get_if<double>(&v)) {
        return *d;
    }
    if (const auto* s = std::get_if<std::string>(&v)) {
        return static_cast<double>(StrToFloat(Trim(*s)));
    }
    return 0.0;
}

Currency TSQLField::AsCurrency() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        return ScaledToCurrency(*i, Def().type == TFieldType::BCD ? Def().scale : 0);
    }
    if (const auto* d = std::get_if<double>(&v)) {
        return Currency::FromDouble(*d);
    }
    if (const auto* s = std::get_if<std::string>(&v)) {
        return StrToCurr(Trim(*s));
    }
    return Currency();
}

TDateTime TSQLField::AsDateTime() const {
    const TFieldValue& v = Value();
    if (const auto* d = std::get_if<double>(&v)) {
        return *d;
    }
    if (std::holds_alternative<std::int64_t>(v)) {
        return AsFloat();
    }
    if (const auto* s = std::get_if<std::string>(&v)) {
        return StrToDateTime(Trim(*s));
    }
    return 0.0;
}

bool TSQLField::AsBoolean() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        return *i != 0;
    }
    if (const auto* s = std::get_if<std::string>(&v)) {
        std::string t = Trim(*s);
        if (SameText(t, "True")) {
            return true;
        }
        if (SameText(t, "False") || t.empty()) {
            return false;
        }
        throw EConvertError("'" + t + "' is not a valid boolean value");
    }
    if (const auto* d = std::get_if<double>(&v)) {
        return *d != 0.0;
    }
    return false;
}

// ---- TSQLDataSet --------------------------------------------------------------------------

TSQLDataSet::TSQLDataSet(std::vector<TFieldDef> defs, std::vector<TFieldRow> rows)
    : defs_(std::move(defs)), rows_(std::move(rows)) {
    fields_.reserve(defs_.size());
    for (std::size_t i = 0; i < defs_.size(); ++i) {
        fields_.emplace_back(*this, static_cast<int>(i));
    }
    First();
}

const TFieldDef& TSQLDataSet::FieldDef(int index) const {
    if (index < 0 || index >= FieldCount()) {
        throw EDatabaseError("Field index out of range: " + IntToStr(index));
    }
    return defs_[static_cast<std::size_t>(index)];
}

const TSQLField& TSQLDataSet::Fields(int index) const {
    (void)FieldDef(index);
    return fields_[static_cast<std::size_t>(index)];
}

const TSQLField* TSQLDataSet::FindField(std::string_view name) const {
    for (std::size_t i = 0; i < defs_.size(); ++i) {
        if (SameText(defs_[i].name, name)) {
            return &fields_[i];
        }
    }
    return nullptr;
}

const TSQLField& TSQLDataSet::FieldByName(std::string_view name) const {
    if (const TSQLField* f = FindField(name)) {
        return *f;
    }
    throw EDatabaseError("Field '" + std::string(name) + "' not found");
}

std::vector<std::string> TSQLDataSet::FieldNames() const {
    std::vector<std::string> names;
    names.reserve(defs_.size());
    for (const TFieldDef& d : defs_) {
        names.push_back(d.name);
    }
    return names;
}

int TSQLDataSet::RecNo() const {
    return rows_.empty() ? 0 : static_cast<int>(current_) + 1;
}

void TSQLDataSet::First() {
    current_ = 0;
    bof_ = true;
    eof_ = rows_.empty();
}

void TSQLDataSet::Next() {
    if (rows_.empty() || current_ + 1 >= rows_.size()) {
        eof_ = true;
        return;
    }
    ++current_;
    bof_ = false;
}

void TSQLDataSet::Prior() {
    if (rows_.empty() || current_ == 0) {
        bof_ = true;
        return;
    }
    --current_;
    eof_ = false;
}

void TSQLDataSet::Last() {
    current_ = rows_.empty() ? 0 : rows_.size() - 1;
    eof_ = true;
    bof_ = rows_.empty();
}

bool TSQLDataSet::Eof() const {
    return eof_;
}
bool TSQLDataSet::Bof() const {
    return bof_;
}

bool TSQLDataSet::Locate(std::string_view name, std::string_view value) {
    const TSQLField& field = FieldByName(name);
    std::size_t keep = current_;
    bool keepBof = bof_, keepEof = eof_;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        current_ = i;
        if (!field.IsNull() && field.AsString() == value) {
            bof_ = i == 0;
            eof_ = false;
            return true;
        }
    }
    current_ = keep;
    bof_ = keepBof;
    eof_ = keepEof;
    return false;
}

bool TSQLDataSet::Locate(std::string_view name, std::int64_t value) {
    return Locate(name, IntToStr(value));
}

void TSQLDataSet::Close() {
    rows_.clear();
    active_ = false;
    First();
}

const TFieldValue& TSQLDataSet::CurrentValue(int index) const {
    (void)FieldDef(index);
    if (rows_.empty()) {
        return NullValue();
    }
    return rows_[current_][static_cast<std::size_t>(index)];
}

} // namespace zelt
