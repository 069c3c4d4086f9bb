#include "platform/printers/daruma/DarumaReports.h"

#include "platform/printers/daruma/DarumaNumbers.h"

namespace zelt::printers::daruma {

namespace {

// Printed text never holds control characters other than line ends, so a record starts
// unambiguously with this one.
constexpr char kRecordMark = '\x1E';

} // namespace

std::string MfdRecords(const std::vector<Printed>& printed) {
    std::string out;
    for (const Printed& p : printed) {
        out += kRecordMark;
        out += ZeroPad(p.coo, 6) + ";" + FormatMoment(p.when, "ddmmyyyy") + "\n";
        out += p.text;
    }
    return out;
}

std::string MfdFile(const std::string& memory, const MfdRange& range, const std::string& title,
                    const std::string& model) {
    std::string out = title + " DARUMA " + model + " ";
    if (range.byCoo)
        out += "COO " + ZeroPad(range.first, 6) + " A " + ZeroPad(range.last, 6) + "\n";
    else
        out += "DATA " + FormatMoment(range.first * SecondsPerDay, "dd/mm/yyyy") + " A " +
               FormatMoment(range.last * SecondsPerDay, "dd/mm/yyyy") + "\n";
    std::size_t at = memory.find(kRecordMark);
    while (at != std::string::npos) {
        const std::size_t next = memory.find(kRecordMark, at + 1);
        const std::string record =
            memory.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        at = next;
        const std::size_t eol = record.find('\n');
        const std::string head = record.substr(0, eol);
        if (eol == std::string::npos || head.size() != 15 || head[6] != ';')
            continue;
        std::int64_t coo = 0;
        if (ParseDigits(head.substr(0, 6), coo) != 1)
            continue;
        const auto day = ParseDdMmYyyy(head.substr(7));
        if (!day)
            continue;
        const std::int64_t key = range.byCoo ? coo : *day;
        if (key >= range.first && key <= range.last)
            out += record.substr(eol + 1);
    }
    return out;
}

} // namespace zelt::printers::daruma
