// Fault settings of an emulated printer: a small INI file that tests (or a person) edit while
// the host runs. It is read afresh on every call, so a change takes effect at the next call.
//
//   [Printer]  Off=1  PaperOut=1  PaperLow=1
//   [Clock]    Fixed=dd/mm/yyyy hh:nn:ss (or yyyy-mm-dd hh:nn:ss)   Offset=<seconds>
//   [Refuse]   <function>=<code>     used once: the key is deleted when the call is refused
//   [Answers]  <key>=<text>  Garbage=<seed>
//   [Drawer]   OpenSeconds=<n>
#pragma once

#include "platform/printers/common/EmuClock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelt::printers {

class TEmuFaults {
public:
    // A missing file (or an empty name) means no faults at all.
    explicit TEmuFaults(std::string fileName);

    bool PrinterOff() const { return off_; }
    bool PaperOut() const { return paperOut_; }
    bool PaperLow() const { return paperLow_; }
    // The printer's clock: fixed, shifted, or local time.
    Moment Now() const;
    int DrawerOpenSeconds(int fallback) const;

    // The code to refuse the next call of `function` with, consuming it.
    std::optional<int> TakeRefusal(std::string_view function);

    // A replacement answer for a query, looked up by key.
    std::optional<std::string> Answer(std::string_view key) const;
    // Non-zero: queries answer pseudo-random bytes from this seed.
    std::uint64_t GarbageSeed() const { return garbageSeed_; }

private:
    std::string fileName_;
    bool present_ = false;
    bool off_ = false;
    bool paperOut_ = false;
    bool paperLow_ = false;
    std::optional<Moment> fixed_;
    std::int64_t offset_ = 0;
    std::uint64_t garbageSeed_ = 0;
};

} // namespace zelt::printers
