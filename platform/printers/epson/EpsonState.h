// Everything the emulated Epson printer remembers between calls, and its state-file layout.
#pragma once

#include "platform/printers/common/EmuClock.h"
#include "platform/printers/common/EmuStateFile.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelt::printers::epson {

using Cents = std::int64_t;

// Sizes of the printer's programming tables.
inline constexpr std::size_t kMaxRates = 24;
inline constexpr std::size_t kMaxPaymentForms = 20;
inline constexpr std::size_t kPaymentNameWidth = 15;

// The codes the status query reports in characters 13-16 of the fiscal state.
enum class DocKind { None = 0, Coupon = 1, LinkedReceipt = 2, Report = 3 };
// The codes of characters 9-12 of the fiscal state.
enum class CouponPhase { Closed = 0, Items = 1, Paying = 2, Paid = 3 };

struct Item {
    std::string code, description, tax, unit;
    std::int64_t quantityMilli = 0, priceMilli = 0;
    Cents gross = 0, discount = 0, surcharge = 0;
    bool cancelled = false;
    bool adjusted = false;
    Cents Net() const { return gross - discount + surcharge; }
};

struct Payment {
    std::string form;
    Cents value = 0;
    Cents linked = 0; // already covered by linked receipts
};

struct DayTotals {
    Cents gross = 0, cancelled = 0, discounts = 0, surcharges = 0, withdrawals = 0, supplies = 0;
    std::map<std::string, Cents> taxes;    // "T1800" -> cents sold at that rate
    std::map<std::string, Cents> payments; // form name -> cents paid with it
};

// The last Z reduction, as EPSON_Obter_Dados_Ultima_RZ reports it.
struct LastZ {
    int crz = 0, coo = 0, cro = 0;
    Moment when = 0;
    std::int64_t movementDay = 0;
    Cents grandTotal = 0;
    DayTotals totals;
};

struct State {
    // Programming of the printer.
    bool truncates = false;
    std::vector<std::string> rates = {"T1800", "T1200", "T0700", "T2500", "S0500"};
    std::vector<std::string> paymentForms = {"Dinheiro", "Cheque", "Cartao"};
    std::vector<std::string> reports = {"Geral"};

    // Counters.
    int coo = 0, ccf = 0, gnf = 0, grg = 0, cdc = 0, crz = 0, cro = 1, cfc = 0;
    Cents grandTotal = 0;

    // Fiscal day.
    bool dayOpen = false;
    std::int64_t dayDate = 0;
    Moment dayOpenedAt = 0;
    int dayFirstCoo = 0;
    DayTotals day;
    std::optional<std::int64_t> lastZDay; // printer date of the last reduction
    std::optional<LastZ> lastZ;

    // The document being printed.
    DocKind doc = DocKind::None;
    int docCoo = 0;
    CouponPhase phase = CouponPhase::Closed;
    std::string consumerDoc, consumerName, consumerAddress1, consumerAddress2;
    std::vector<Item> items;
    std::vector<Payment> payments;
    std::string message;

    // The last fiscal coupon, for its cancellation and its linked receipts.
    bool lastDocIsCoupon = false;
    int lastCouponCoo = 0;
    bool lastCouponCancelled = false;
    Cents lastCouponTotal = 0;
    std::vector<Payment> lastCouponPayments;

    Moment drawerClosesAt = 0;
    int lastError = 0;

    Cents Subtotal() const;
    Cents Paid() const;
};

State StateFromDoc(const TKeyValueDoc& doc);
TKeyValueDoc StateToDoc(const State& state);

} // namespace zelt::printers::epson
