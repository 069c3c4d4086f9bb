// The dataset a select gives back: every row is fetched when it opens, so it stays readable after
// the statement, its transaction and even the connection are gone, and the caller owns it
// outright. Reading follows the platform's dataset: a current row moved by First/Next, fields by
// position or by name, and typed readers that convert between kinds as the platform's fields do.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/Numbers.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelt {

enum class TFieldType {
    Unknown,
    String,   // CHAR (blank padded, as stored) and VARCHAR
    Smallint, // SMALLINT, INTEGER and BIGINT without decimals
    Integer,
    Largeint,
    BCD,   // NUMERIC/DECIMAL with decimals: an exact integer and a scale
    Float, // FLOAT and DOUBLE PRECISION
    Date,
    Time,
    DateTime, // TIMESTAMP
    Boolean,
    Memo, // text BLOB
    Blob, // binary BLOB
};

struct ZELT_EXPORT TFieldDef {
    std::string name; // the column's label (its alias when the select gives one)
    TFieldType type = TFieldType::Unknown;
    int scale = 0; // negative: decimals of a BCD column (-4 for NUMERIC(15,4))
    int size = 0;  // characters of a text column
};

// One cell: null, an integer (BCD: the unscaled integer; Boolean 0/1), a real (dates and times
// as TDateTime too) or bytes.
using TFieldValue = std::variant<std::monostate, std::int64_t, double, std::string>;
using TFieldRow = std::vector<TFieldValue>;

class TSQLDataSet;

// A column seen through the current row. In an empty (or closed) dataset every field reads as
// null: empty text and zero. As on the platform, Next on the last row sets Eof and leaves that row
// current, so its fields stay readable.
class ZELT_EXPORT TSQLField {
public:
    TSQLField(const TSQLDataSet& dataSet, int index) : dataSet_(&dataSet), index_(index) {}

    const std::string& FieldName() const;
    TFieldType DataType() const;
    int Index() const { return index_; }
    bool IsNull() const;

    // Text as the platform shows it: numbers with the regional decimal separator (BCD without
    // trailing zeros), dates in the regional format, CHAR columns with their padding.
    std::string AsString() const;
    // Integers narrower than the value raise EConvertError; BCD truncates, reals round; text is
    // read with StrToInt.
    int AsInteger() const;
    std::int64_t AsLargeInt() const;
    double AsFloat() const;
    // Exact for BCD and integers: the decimal value never passes through binary floating point.
    Currency AsCurrency() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;

private:
    const TFieldValue& Value() const;
    const TFieldDef& Def() const;

    const TSQLDataSet* dataSet_;
    int index_;
};

class ZELT_EXPORT TSQLDataSet {
public:
    TSQLDataSet(std::vector<TFieldDef> defs, std::vector<TFieldRow> rows);
    TSQLDataSet(const TSQLDataSet&) = delete;
    TSQLDataSet& operator=(const TSQLDataSet&) = delete;

    int FieldCount() const { return static_cast<int>(defs_.size()); }
    const TFieldDef& FieldDef(int index) const;
    // Raises EDatabaseError for a position out of range.
    const TSQLField& Fields(int index) const;
    // Letter case ignored; a missing name raises EDatabaseError "Field '<name>' not found".
    const TSQLField& FieldByName(std::string_view name) const;
    // nullptr when missing.
    const TSQLField* FindField(std::string_view name) const;
    std::vector<std::string> FieldNames() const;

    int RecordCount() const { return static_cast<int>(rows_.size()); }
    bool IsEmpty() const { return rows_.empty(); }
    // 1-based number of the current row, 0 in an empty dataset.
    int RecNo() const;
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const;
    bool Bof() const;
    // Moves to the first row whose field `name` shows `value` (AsString, exact); stays put and
    // returns false when none does.
    bool Locate(std::string_view name, std::string_view value);
    bool Locate(std::string_view name, std::int64_t value);

    // Empties the dataset; it then reads as having no rows.
    void Close();
    bool Active() const { return active_; }

private:
    friend class TSQLField;
    const TFieldValue& CurrentValue(int index) const;

    std::vector<TFieldDef> defs_;
    std::vector<TFieldRow> rows_;
    std::vector<TSQLField> fields_;
    std::size_t current_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    bool active_ = true;
};

} // namespace zelt
