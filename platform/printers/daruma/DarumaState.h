// Everything the emulated Daruma printer remembers between calls, and its state-file layout.
#pragma once

#include "platform/printers/common/EmuClock.h"
#include "platform/printers/common/EmuStateFile.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelt::printers::daruma {

using Cents = std::int64_t;

enum class DocKind { None = 0, Coupon = 1, LinkedReceipt = 2, Report = 3 };
// The values rCFVerificarStatus_ECF_Daruma reports.
enum class CouponPhase { Closed = 0, Items = 1, Totalised = 2, Paying = 3, Paid = 4 };

struct Item {
    int number = 0;
    std::string code, description, tax, unit;
    std::int64_t quantityMilli = 0, priceMilli = 0;
    Cents gross = 0, discount = 0, surcharge = 0;
    bool cancelled = false;
    bool adjusted = false; // an item discount/surcharge was already given after the sale
    Cents Net() const { return gross - discount + surcharge; }
};

struct Payment {
    std::string form;
    Cents value = 0;
    Cents linked = 0; // already covered by linked receipts
};

// One Z reduction as the fiscal memory keeps it.
struct ZRecord {
    int crz = 0;
    int coo = 0;
    std::int64_t movementDay = 0;
    Moment when = 0;
    Cents grandTotal = 0, gross = 0, cancelled = 0, discounts = 0, surcharges = 0;
    Cents withdrawals = 0, supplies = 0;
    std::map<std::string, Cents> taxes;
};

struct DayTotals {
    Cents gross = 0, cancelled = 0, discounts = 0, surcharges = 0, withdrawals = 0, supplies = 0;
    std::map<std::string, Cents> taxes;
};

struct State {
    // Programming of the printer.
    std::string model = "FS700 L";
    bool truncates = false;
    std::vector<std::string> header = {"ZELT COMERCIO DE TESTE LTDA",
                                       "RUA DAS FLORES, 100 - CENTRO",
                                       "CNPJ:00.000.000/0001-91 IE:000.000.000.000"};
    std::vector<std::string> rates = {"T1800", "T1200", "T0700", "T2500", "S0500"};
    std::vector<std::string> paymentForms = {"Dinheiro", "Cheque", "Cartao"};
    std::vector<std::string> reports = {"Geral"};
    std::map<std::string, std::string> registry;

    // Counters.
    int coo = 0, ccf = 0, gnf = 0, grg = 0, cdc = 0, crz = 0, cro = 1, cancelledCoupons = 0;
    Cents grandTotal = 0;

    // Fiscal day.
    bool dayOpen = false;
    std::int64_t dayDate = 0;
    DayTotals day;
    std::optional<std::int64_t> lastZDay; // movement day of the last reduction
    Moment lastZMoment = 0;

    // The document being printed.
    DocKind doc = DocKind::None;
    int docCoo = 0;
    CouponPhase phase = CouponPhase::Closed;
    std::vector<Item> items;
    Cents subtotalDiscount = 0, subtotalSurcharge = 0;
    std::vector<Payment> payments;
    std::string reportName;

    // The last fiscal coupon, for its cancellation and its linked receipts.
    bool lastDocIsCoupon = false;
    int lastCouponCoo = 0;
    Cents lastCouponTotal = 0;
    std::vector<Payment> lastCouponPayments;

    Moment drawerClosesAt = 0;
    int lastError = 0;

    std::vector<ZRecord> fiscalMemory;

    Cents Subtotal() const;
    Cents Total() const { return Subtotal() - subtotalDiscount + subtotalSurcharge; }
    Cents Paid() const;
};

State StateFromDoc(const TKeyValueDoc& doc);
TKeyValueDoc StateToDoc(const State& state);

} // namespace zelt::printers::daruma
