// The detail tape memory (MFD): every stretch of paper the printer printed, kept with its COO
// and date, from which the MFD and TDM files of a date or COO range are written.
#pragma once

#include "platform/printers/daruma/DarumaPrinter.h"

#include <string>
#include <vector>

namespace zelt::printers::daruma {

// Bytes appended to the memory file for what one command printed.
std::string MfdRecords(const std::vector<Printed>& printed);

struct MfdRange {
    bool byCoo = false;
    std::int64_t first = 0, last = 0; // day numbers or COO numbers
};

// The file for `title` ("MFD", "TDM") of every document in range, in printing order.
std::string MfdFile(const std::string& memory, const MfdRange& range, const std::string& title,
                    const std::string& model);

} // namespace zelt::printers::daruma
