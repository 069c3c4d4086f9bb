// The fiscal rules of the emulated Epson printer, over its State, and the fixed-width answers of
// its queries. A TPrinter works on its own copy of the state; the caller keeps the copy (and what
// was printed) only when a command succeeds, so that a refused command never leaves a trace.
#pragma once

#include "platform/printers/common/EmuClock.h"
#include "platform/printers/common/EmuTape.h"
#include "platform/printers/epson/EpsonState.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelt::printers::epson {

// Return codes of the library (see InterfaceEpson.h).
namespace code {
inline constexpr int Ok = 0;
inline constexpr int NoAnswer = 1;
inline constexpr int BadCall = 2;
inline constexpr int OwnFiles = 3;
inline constexpr int DocumentOpen = 10;
inline constexpr int NoCoupon = 11;
inline constexpr int WrongStep = 12;
inline constexpr int Malformed = 13;
inline constexpr int NoRoom = 14;
inline constexpr int NoItem = 15;
inline constexpr int BadParameter = 16;
inline constexpr int Overflow = 17;
inline constexpr int RateNotProgrammed = 18;
inline constexpr int Zero = 19;
inline constexpr int DayNotOpen = 20;
inline constexpr int ZDoneToday = 21;
inline constexpr int ZPending = 22;
inline constexpr int UnknownPayment = 23;
inline constexpr int BadAdjustment = 24;
inline constexpr int NothingToCancel = 25;
inline constexpr int NoLinkedReceipt = 26;
inline constexpr int NoNonFiscal = 27;
inline constexpr int UnknownReport = 28;
inline constexpr int NoZYet = 29;
inline constexpr int PaperOut = 30;
} // namespace code

// The error message the status query gives for a code ("" for 0).
std::string ErrorText(int code);

// A digit string with `decimals` decimals, scaled to `scale` decimals: ("1250", 2, 3) -> 12500.
// BadCall when decimals is not 0..scale; BadParameter when empty; Malformed for a character
// that is not a digit; Overflow beyond 14 digits.
int ParseScaled(std::string_view digits, int decimals, int scale, std::int64_t& value);

// Zero-padded decimal of the given width; a longer number keeps its last `width` digits, so
// that a fixed-width field never grows.
std::string Field(std::int64_t value, int width);

struct PrinterSignals {
    bool paperOut = false;
    bool paperLow = false;
};

class TPrinter {
public:
    TPrinter(State state, Moment now, PrinterSignals signals);

    State& Current() { return s_; }
    const State& Current() const { return s_; }
    Moment Now() const { return now_; }
    // Text printed by the command, and report files it produced (name, content).
    const std::string& Printed() const { return printed_; }
    const std::vector<std::pair<std::string, std::string>>& Files() const { return files_; }

    bool ZPending() const;
    bool ZDoneToday() const;
    bool DrawerOpen() const { return now_ < s_.drawerClosesAt; }

    int OpenDay();
    int ReadingX();
    int ReductionZ(std::string& crz);

    int OpenCoupon(std::string_view document, std::string_view name, std::string_view address1,
                   std::string_view address2, int mode);
    int Sell(std::string_view itemCode, std::string_view description, std::string_view quantity,
             int quantityDecimals, std::string_view unit, std::string_view price, int priceDecimals,
             std::string_view tax, int calculation);
    int AdjustItem(std::string_view value, int decimals, int discount, int percentage);
    int CancelItem(std::string_view item);
    int CancelCoupon();
    int Pay(std::string_view form, std::string_view value, int decimals, std::string_view line1,
            std::string_view line2);
    int Message(std::string_view text);
    int CloseCoupon(int cut, int openDrawer, int drawerSeconds);

    int CashMovement(bool withdrawal, std::string_view value, int decimals);
    int OpenLinkedReceipt(std::string_view form, std::string_view value, int decimals,
                          std::string_view instalments);
    int PrintLine(std::string_view text);
    int CloseLinkedReceipt(int cut);
    int OpenReport(std::string_view number);
    int CloseReport(int cut);
    void OpenDrawer(int seconds) { s_.drawerClosesAt = now_ + seconds; }

    // Fixed-width answers, laid out as InterfaceEpson.h documents them.
    std::string PrinterStateText() const;  // 16
    std::string FiscalStateText() const;   // 16
    std::string CommandReturnText() const; // 4
    std::string ClockText() const;         // 14
    std::string CountersText() const;      // 101
    std::string DayDataText() const;       // 72
    std::string LastZText() const;         // 1168, only when there is a last Z
    std::string RatesText() const;         // 23 per rate
    std::string PaymentsText() const;      // 882

private:
    int CheckDay() const;
    int CheckCouponStep(CouponPhase wanted) const;
    int NextCoo(bool keepsLastCoupon = false);
    void Emit(const TTapeDocument& doc);
    TTapeDocument Heading(int coo) const;
    void Footer(TTapeDocument& doc, int coo) const;
    void Totals(TTapeDocument& doc, const DayTotals& day) const;
    void ResetCoupon();

    State s_;
    Moment now_;
    PrinterSignals signals_;
    std::string printed_;
    std::vector<std::pair<std::string, std::string>> files_;
};

// "T1800" for 1800 / T1800 / S0500 and the letter codes; BadParameter when the text is no tax,
// RateNotProgrammed when the rate is not in the table.
int ParseTax(std::string_view text, const std::vector<std::string>& rates, std::string& key);

// Printable text: control characters become blanks (line ends are kept), cut to `limit`.
std::string PrintableText(std::string_view text, std::size_t limit);

} // namespace zelt::printers::epson
