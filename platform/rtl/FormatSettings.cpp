#include "platform/rtl/FormatSettings.h"

namespace zelt {

namespace {

// GCC 12 at -O3 raises a false -Wrestrict alarm when a literal is assigned to an empty
// std::string member (GCC bug 105329); filling from C strings and move-assigning temporaries
// keeps the build clean under -Werror.
template <std::size_t N>
void Fill(std::array<std::string, N>& target, const char* const (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        target[i].assign(names[i]);
    }
}

} // namespace

TFormatSettings TFormatSettings::Brazilian() {
    TFormatSettings s; // the member defaults are already the Brazilian separators and formats
    Fill(s.ShortMonthNames,
         {"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"});
    Fill(s.LongMonthNames, {"janeiro", "fevereiro", "março", "abril", "maio", "junho", "julho",
                            "agosto", "setembro", "outubro", "novembro", "dezembro"});
    Fill(s.ShortDayNames, {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"});
    Fill(s.LongDayNames, {"domingo", "segunda-feira", "terça-feira", "quarta-feira", "quinta-feira",
                          "sexta-feira", "sábado"});
    return s;
}

TFormatSettings TFormatSettings::Invariant() {
    TFormatSettings s;
    s.DecimalSeparator = '.';
    s.ThousandSeparator = ',';
    s.DateSeparator = '-';
    s.TimeSeparator = ':';
    s.ShortDateFormat = std::string("yyyy-mm-dd");
    s.LongDateFormat = std::string("dddd, mmmm d, yyyy");
    s.ShortTimeFormat = std::string("hh:nn");
    s.LongTimeFormat = std::string("hh:nn:ss");
    s.TimeAMString = std::string("AM");
    s.TimePMString = std::string("PM");
    s.CurrencyString = std::string("$");
    Fill(s.ShortMonthNames,
         {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
    Fill(s.LongMonthNames, {"January", "February", "March", "April", "May", "June", "July",
                            "August", "September", "October", "November", "December"});
    Fill(s.ShortDayNames, {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"});
    Fill(s.LongDayNames,
         {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
    return s;
}

TFormatSettings& FormatSettings() {
    // One object for the whole process: the runtime is a single shared library, so every package
    // that changes a separator changes it for all of them, as on the workstations.
    static TFormatSettings settings = TFormatSettings::Brazilian();
    return settings;
}

} // namespace zelt
