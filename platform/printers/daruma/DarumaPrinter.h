// The fiscal rules of the emulated Daruma printer, over its State. A TPrinter works on its own
// copy of the state; the caller keeps the copy (and what was printed) only when a command
// succeeds, so that a refused command never leaves a trace.
#pragma once

#include "platform/printers/common/EmuClock.h"
#include "platform/printers/common/EmuTape.h"
#include "platform/printers/daruma/DarumaState.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelt::printers::daruma {

// A stretch of paper printed by one command, with the document it belongs to.
struct Printed {
    int coo = 0;
    Moment when = 0;
    std::string text;
};

struct FiscalMemoryRange {
    bool byDate = true;
    std::int64_t first = 0, last = 0; // day numbers or CRZ numbers
};

class TPrinter {
public:
    TPrinter(State state, Moment now, bool paperOut);

    State& Current() { return s_; }
    const std::vector<Printed>& Output() const { return out_; }
    Moment Now() const { return now_; }

    bool ZPending() const;
    bool ZDoneToday() const;
    bool DrawerOpen() const { return now_ < s_.drawerClosesAt; }

    int Register(std::string_view kind, std::string_view value);

    int OpenCoupon(std::string_view document, std::string_view name, std::string_view address);
    int Identify(std::string_view name, std::string_view address, std::string_view document);
    int Sell(std::string_view tax, std::string_view quantity, std::string_view price,
             std::string_view adjustKind, std::string_view adjustValue, std::string_view code,
             std::string_view unit, std::string_view description);
    int AdjustItem(std::string_view item, std::string_view kind, std::string_view value);
    int CancelItem(std::string_view item);
    int Totalise(std::string_view kind, std::string_view value);
    int Pay(std::string_view form, std::string_view value, std::string_view message);
    int CloseCoupon(std::string_view additional, std::string_view message);
    int CancelCoupon();

    int CloseOpenReceipts();
    int CashMovement(bool withdrawal, std::string_view value, std::string_view message);
    void OpenDrawer(int seconds) { s_.drawerClosesAt = now_ + seconds; }

    int OpenLinkedReceipt(std::string_view form, std::string_view instalments, std::string_view coo,
                          std::string_view value);
    int PrintLinkedReceipt(std::string_view text);
    int CloseLinkedReceipt();
    int OpenReport(std::string_view name);
    int PrintReport(std::string_view text);
    int CloseReport();

    int ReadingX();
    int ReductionZ();
    // The fiscal memory reading as text; printed on paper when `print`.
    int FiscalMemory(const FiscalMemoryRange& range, bool complete, bool print, std::string& text);

private:
    int PrintIn(DocKind kind, int refusal, std::string_view text);
    int CloseNonFiscal(DocKind kind, int refusal);
    int CheckFiscalDay() const;
    int NextCoo();
    void OpenDay();
    void Emit(const TTapeDocument& doc, int coo);
    TTapeDocument Heading(int coo) const;
    void Footer(TTapeDocument& doc, int coo) const;
    void Totals(TTapeDocument& doc, const DayTotals& day) const;
    int NonFiscalOpen(DocKind kind);
    Item* FindItem(std::string_view number, int& code);

    State s_;
    Moment now_;
    bool paperOut_;
    std::vector<Printed> out_;
};

// "T1800" for I18,00 / T18,00 / T1800 / S05,00 ... and FF, II, NN (F1, I1, N1, SF, SI, SN);
// 16 when the text is no tax at all, 18 when the rate is not programmed.
int ParseTax(std::string_view text, const std::vector<std::string>& rates, std::string& key);

// Printable text: control characters become blanks (line ends are kept), cut to `limit`.
std::string PrintableText(std::string_view text, std::size_t limit);

} // namespace zelt::printers::daruma
