// Process-wide regional settings. They default to the Brazilian settings the shops run with.
#pragma once

#include "platform/rtl/Export.h"

#include <array>
#include <string>

namespace zelt {

struct ZELT_EXPORT TFormatSettings {
    char DecimalSeparator = ',';
    char ThousandSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, d' de 'mmmm' de 'yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "";
    std::string TimePMString = "";
    std::string CurrencyString = "R$";
    std::array<std::string, 12> ShortMonthNames{};
    std::array<std::string, 12> LongMonthNames{};
    std::array<std::string, 7> ShortDayNames{}; // Sunday first
    std::array<std::string, 7> LongDayNames{};
    // Two-digit years within this many years after the current year's century window belong to
    // the current century (the original runtime's TwoDigitYearCenturyWindow).
    int TwoDigitYearCenturyWindow = 50;

    static TFormatSettings Brazilian();
    // Point as decimal separator, comma for thousands, ISO dates (yyyy-mm-dd with '-'), English
    // names and AM/PM; for statements and files that must not follow the workstation.
    static TFormatSettings Invariant();
};

// The settings every formatting and parsing routine uses unless given others: one object for the
// whole process, Brazilian at start. Changing it is not synchronised with other threads.
ZELT_EXPORT TFormatSettings& FormatSettings();

} // namespace zelt
