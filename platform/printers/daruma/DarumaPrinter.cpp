#include "platform/printers/daruma/DarumaPrinter.h"

#include "platform/printers/daruma/DarumaNumbers.h"
#include "platform/rtl/Text.h"

#include <algorithm>

namespace zelt::printers::daruma {

namespace {

constexpr std::size_t kMaxItems = 999;
constexpr std::size_t kMaxReports = 20;
constexpr std::size_t kMaxPaymentForms = 20;
constexpr std::size_t kMaxRates = 16;
constexpr std::size_t kTextPerCall = 619;
constexpr std::int64_t kMaxQuantityMilli = 9'999'999;             // 9999,999
constexpr std::int64_t kMaxPriceMilli = 9'999'999'999;            // 9.999.999,999
constexpr std::int64_t kMaxCouponCents = 1'000'000'000'000'000LL; // far beyond any sale
constexpr int kZForbiddenUntil = 2 * 3600;                        // 02:00

std::string Trimmed(std::string_view s) {
    return Trim(s);
}

bool SameName(std::string_view a, std::string_view b) {
    return AnsiSameText(a, b);
}

const std::string* FindName(const std::vector<std::string>& list, std::string_view name) {
    for (const std::string& entry : list)
        if (SameName(entry, name))
            return &entry;
    return nullptr;
}

std::string TaxLabel(const std::string& key) {
    // T1800 prints as T18,00; the letter codes print as they are.
    if (key.size() == 5 && (key[0] == 'T' || key[0] == 'S'))
        return key.substr(0, 3) + "," + key.substr(3);
    return key;
}

std::string PriceText(std::int64_t milli) {
    return milli % 10 == 0 ? FormatFixed(milli / 10, 2) : FormatFixed(milli, 3);
}

// Discount (D) or surcharge (A), as a value ($) or percentage (%), on `base` cents.
int Adjustment(std::string_view kind, std::string_view value, Cents base, Cents& discount,
               Cents& surcharge) {
    const std::string k = UpperCase(Trimmed(kind));
    if (k.size() != 2 || (k[0] != 'D' && k[0] != 'A') || (k[1] != '$' && k[1] != '%'))
        return 16;
    std::int64_t number = 0;
    if (int code = ParseDecimal(value, 2, number); code != 1)
        return code;
    Cents amount = number;
    if (k[1] == '%') {
        if (k[0] == 'D' && number >= 10000)
            return 24;
        if (number > 1'000'000)
            return 17;
        // Split so that a large base times a large percentage cannot overflow.
        amount = base / 10000 * number + (base % 10000 * number + 5000) / 10000;
    }
    discount = surcharge = 0;
    if (k[0] == 'D') {
        if (amount > 0 && amount >= base)
            return 24;
        discount = amount;
    } else {
        if (amount > 100'000'000'000LL)
            return 17;
        surcharge = amount;
    }
    return 1;
}

} // namespace

std::string PrintableText(std::string_view text, std::size_t limit) {
    std::string out(text.substr(0, limit));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n')
            c = ' ';
    return out;
}

int ParseTax(std::string_view text, const std::vector<std::string>& rates, std::string& key) {
    const std::string t = UpperCase(Trimmed(text));
    static const char* const kCodes[] = {"FF", "II", "NN", "F1", "I1", "N1", "SF", "SI", "SN"};
    for (const char* code : kCodes)
        if (t == code) {
            key = code;
            return 1;
        }
    if (t.size() < 2 || (t[0] != 'I' && t[0] != 'T' && t[0] != 'S'))
        return 16;
    const std::string_view rate = std::string_view(t).substr(1);
    std::int64_t hundredths = 0;
    if (rate.find(',') != std::string_view::npos) {
        if (ParseDecimal(rate, 2, hundredths) != 1)
            return 16;
    } else if (rate.size() != 4 || ParseDigits(rate, hundredths) != 1) {
        return 16;
    }
    if (hundredths <= 0 || hundredths > 9999)
        return 16;
    key = std::string(1, t[0] == 'S' ? 'S' : 'T') + ZeroPad(hundredths, 4);
    return FindName(rates, key) ? 1 : 18;
}

TPrinter::TPrinter(State state, Moment now, bool paperOut)
    : s_(std::move(state)), now_(now), paperOut_(paperOut) {}

bool TPrinter::ZPending() const {
    return s_.dayOpen && now_ >= (s_.dayDate + 1) * SecondsPerDay + kZForbiddenUntil;
}

bool TPrinter::ZDoneToday() const {
    return s_.lastZDay && *s_.lastZDay == DayOf(now_);
}

int TPrinter::CheckFiscalDay() const {
    if (ZDoneToday())
        return 22;
    if (ZPending())
        return 23;
    return 1;
}

int TPrinter::NextCoo() {
    s_.coo = s_.coo >= 999999 ? 1 : s_.coo + 1;
    s_.lastDocIsCoupon = false;
    return s_.coo;
}

void TPrinter::OpenDay() {
    if (!s_.dayOpen) {
        s_.dayOpen = true;
        s_.dayDate = DayOf(now_);
    }
}

void TPrinter::Emit(const TTapeDocument& doc, int coo) {
    out_.push_back({coo, now_, doc.Joined()});
}

TTapeDocument TPrinter::Heading(int coo) const {
    TTapeDocument doc;
    for (const std::string& line : s_.header)
        doc.Center(line);
    doc.Rule();
    doc.LeftRight(FormatMoment(now_, "dd/mm/yyyy hh:nn:ss"), "COO:" + ZeroPad(coo, 6));
    return doc;
}

void TPrinter::Footer(TTapeDocument& doc, int coo) const {
    doc.Rule();
    doc.LeftRight("DARUMA " + s_.model, "ECF-IF");
    doc.LeftRight("COO:" + ZeroPad(coo, 6), FormatMoment(now_, "dd/mm/yyyy hh:nn:ss"));
    doc.Rule('=');
    doc.Blank();
}

void TPrinter::Totals(TTapeDocument& doc, const DayTotals& day) const {
    doc.LeftRight("VENDA BRUTA DIARIA", FormatMoney(day.gross));
    doc.LeftRight("CANCELAMENTOS", FormatMoney(day.cancelled));
    doc.LeftRight("DESCONTOS", FormatMoney(day.discounts));
    doc.LeftRight("ACRESCIMOS", FormatMoney(day.surcharges));
    doc.LeftRight("VENDA LIQUIDA",
                  FormatMoney(day.gross - day.cancelled - day.discounts + day.surcharges));
    for (const auto& [tax, value] : day.taxes)
        doc.LeftRight("  " + TaxLabel(tax), FormatMoney(value));
    doc.LeftRight("SANGRIA", FormatMoney(day.withdrawals));
    doc.LeftRight("SUPRIMENTO", FormatMoney(day.supplies));
    doc.LeftRight("GRANDE TOTAL", FormatMoney(s_.grandTotal));
    doc.LeftRight("CONTADOR DE REDUCOES Z (CRZ)", ZeroPad(s_.crz, 4));
    doc.LeftRight("CONTADOR DE CUPONS FISCAIS (CCF)", ZeroPad(s_.ccf, 6));
    doc.LeftRight("CONTADOR GERAL NAO FISCAL (GNF)", ZeroPad(s_.gnf, 6));
}

int TPrinter::Register(std::string_view kind, std::string_view value) {
    const std::string k = UpperCase(Trimmed(kind));
    const std::string v = Trimmed(value);
    if (k != "RG" && k != "FPGTO" && k != "ALIQUOTA")
        return -1;
    if (s_.doc != DocKind::None)
        return 10;
    if (v.empty())
        return 45;
    if (v.find(';') != std::string::npos)
        return 16;
    if (k == "ALIQUOTA") {
        const std::string rate = UpperCase(v);
        std::int64_t hundredths = 0;
        if (rate.size() != 5 || (rate[0] != 'T' && rate[0] != 'S') ||
            ParseDigits(rate.substr(1), hundredths) != 1 || hundredths == 0)
            return 16;
        if (FindName(s_.rates, rate))
            return 37;
        if (s_.rates.size() >= kMaxRates)
            return 14;
        s_.rates.push_back(rate);
        return 1;
    }
    std::vector<std::string>& table = k == "RG" ? s_.reports : s_.paymentForms;
    const std::string name = PrintableText(v, k == "RG" ? 15 : 16);
    if (FindName(table, name))
        return 1;
    if (table.size() >= (k == "RG" ? kMaxReports : kMaxPaymentForms))
        return 14;
    table.push_back(name);
    return 1;
}

int TPrinter::OpenCoupon(std::string_view document, std::string_view name,
                         std::string_view address) {
    if (s_.doc != DocKind::None)
        return 10;
    if (int code = CheckFiscalDay(); code != 1)
        return code;
    const int coo = NextCoo();
    ++s_.ccf;
    OpenDay();
    s_.doc = DocKind::Coupon;
    s_.docCoo = coo;
    s_.phase = CouponPhase::Items;
    s_.items.clear();
    s_.payments.clear();
    s_.subtotalDiscount = s_.subtotalSurcharge = 0;

    TTapeDocument doc = Heading(coo);
    doc.LeftRight("CCF:" + ZeroPad(s_.ccf, 6), "");
    const std::string d = PrintableText(Trimmed(document), 20);
    const std::string n = PrintableText(Trimmed(name), 30);
    const std::string a = PrintableText(Trimmed(address), 79);
    if (!d.empty())
        doc.Text("CPF/CNPJ consumidor: " + d);
    if (!n.empty())
        doc.Text("NOME: " + n);
    if (!a.empty())
        doc.Text("ENDEREÇO: " + a);
    doc.Rule();
    doc.Center("CUPOM FISCAL");
    doc.Text("ITEM CÓDIGO         DESCRIÇÃO");
    doc.LeftRight("QTD.UN. VL UNIT(R$) ST", "VL ITEM(R$)");
    doc.Rule();
    Emit(doc, coo);
    return 1;
}

int TPrinter::Identify(std::string_view name, std::string_view address, std::string_view document) {
    if (s_.doc != DocKind::Coupon)
        return 11;
    if (ZPending())
        return 23;
    if (s_.phase == CouponPhase::Items)
        return 39;
    const std::string n = PrintableText(Trimmed(name), 48);
    const std::string a = PrintableText(Trimmed(address), 48);
    const std::string d = PrintableText(Trimmed(document), 42);
    if (n.empty() && a.empty() && d.empty())
        return 45;
    TTapeDocument doc;
    doc.Rule();
    doc.Text("CONSUMIDOR");
    if (!n.empty())
        doc.Text("NOME: " + n);
    if (!a.empty())
        doc.Text("ENDEREÇO: " + a);
    if (!d.empty())
        doc.Text("CPF/CNPJ: " + d);
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::Sell(std::string_view tax, std::string_view quantity, std::string_view price,
                   std::string_view adjustKind, std::string_view adjustValue, std::string_view code,
                   std::string_view unit, std::string_view description) {
    if (s_.doc != DocKind::Coupon)
        return 11;
    if (ZPending())
        return 23;
    if (s_.phase != CouponPhase::Items)
        return 39;
    if (s_.items.size() >= kMaxItems)
        return 14;
    Item item;
    if (int c = ParseTax(tax, s_.rates, item.tax); c != 1)
        return c;
    if (int c = ParseDecimal(quantity, 3, item.quantityMilli); c != 1)
        return c;
    if (item.quantityMilli == 0)
        return 28;
    if (item.quantityMilli > kMaxQuantityMilli)
        return 17;
    if (int c = ParseDecimal(price, 3, item.priceMilli); c != 1)
        return c;
    if (item.priceMilli == 0)
        return 28;
    if (item.priceMilli > kMaxPriceMilli)
        return 17;
    item.description = PrintableText(Trimmed(description), 233);
    if (item.description.empty())
        return 45;
    item.code = PrintableText(Trimmed(code), 14);
    item.unit = PrintableText(Trimmed(unit), 3);
    // Quantity and price carry three decimals each: their product counts millionths of a real.
    const std::int64_t millionths = item.quantityMilli * item.priceMilli;
    item.gross = s_.truncates ? millionths / 10000 : (millionths + 5000) / 10000;
    if (item.gross == 0)
        return 28;
    if (s_.Subtotal() + item.gross > kMaxCouponCents)
        return 17;
    if (int c = Adjustment(adjustKind, adjustValue, item.gross, item.discount, item.surcharge);
        c != 1)
        return c;
    item.number = static_cast<int>(s_.items.size()) + 1;

    TTapeDocument doc;
    doc.Text(ZeroPad(item.number, 3) + " " + item.code + " " + item.description);
    doc.LeftRight(FormatFixed(item.quantityMilli, 3) + " " + item.unit + " X " +
                      PriceText(item.priceMilli) + " " + TaxLabel(item.tax),
                  FormatMoney(item.gross));
    if (item.discount > 0)
        doc.LeftRight("  desconto item", "-" + FormatMoney(item.discount));
    if (item.surcharge > 0)
        doc.LeftRight("  acréscimo item", "+" + FormatMoney(item.surcharge));
    s_.items.push_back(std::move(item));
    Emit(doc, s_.docCoo);
    return 1;
}

Item* TPrinter::FindItem(std::string_view number, int& code) {
    std::int64_t n = 0;
    code = ParseDigits(number, n);
    if (code != 1)
        return nullptr;
    if (n < 1 || n > static_cast<std::int64_t>(s_.items.size()) ||
        s_.items[static_cast<std::size_t>(n - 1)].cancelled) {
        code = 15;
        return nullptr;
    }
    return &s_.items[static_cast<std::size_t>(n - 1)];
}

int TPrinter::AdjustItem(std::string_view number, std::string_view kind, std::string_view value) {
    if (s_.doc != DocKind::Coupon)
        return 11;
    if (ZPending())
        return 23;
    if (s_.phase != CouponPhase::Items)
        return 39;
    int code = 1;
    Item* item = FindItem(number, code);
    if (!item)
        return code;
    if (item->adjusted || item->discount > 0 || item->surcharge > 0)
        return 26;
    Cents discount = 0, surcharge = 0;
    if (int c = Adjustment(kind, value, item->gross, discount, surcharge); c != 1)
        return c;
    item->discount = discount;
    item->surcharge = surcharge;
    item->adjusted = true;
    TTapeDocument doc;
    if (discount > 0)
        doc.LeftRight("desconto item " + ZeroPad(item->number, 3), "-" + FormatMoney(discount));
    else
        doc.LeftRight("acréscimo item " + ZeroPad(item->number, 3), "+" + FormatMoney(surcharge));
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::CancelItem(std::string_view number) {
    if (s_.doc != DocKind::Coupon)
        return 11;
    if (ZPending())
        return 23;
    if (s_.phase != CouponPhase::Items)
        return 39;
    int code = 1;
    Item* item = FindItem(number, code);
    if (!item)
        return code;
    item->cancelled = true;
    TTapeDocument doc;
    doc.LeftRight("cancelado item " + ZeroPad(item->number, 3) + " " + item->description,
                  "-" + FormatMoney(item->Net()));
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::Totalise(std::string_view kind, std::string_view value) {
    if (s_.doc != DocKind::Coupon)
        return 11;
    if (ZPending())
        return 23;
    if (s_.phase != CouponPhase::Items)
        return 39;
    const Cents subtotal = s_.Subtotal();
    if (subtotal <= 0)
        return 26;
    Cents discount = 0, surcharge = 0;
    if (int c = Adjustment(kind, value, subtotal, discount, surcharge); c != 1)
        return c;
    s_.subtotalDiscount = discount;
    s_.subtotalSurcharge = surcharge;
    s_.phase = CouponPhase::Totalised;
    TTapeDocument doc;
    doc.Rule();
    doc.LeftRight("SUBTOTAL R$", FormatMoney(subtotal));
    if (discount > 0)
        doc.LeftRight("desconto subtotal", "-" + FormatMoney(discount));
    if (surcharge > 0)
        doc.LeftRight("acréscimo subtotal", "+" + FormatMoney(surcharge));
    doc.LeftRight("TOTAL R$", FormatMoney(s_.Total()));
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::Pay(std::string_view form, std::string_view value, std::string_view message) {
    if (s_.doc != DocKind::Coupon)
        return 11;
    if (ZPending())
        return 23;
    if (s_.phase == CouponPhase::Items || s_.phase == CouponPhase::Paid)
        return 39;
    const std::string* name = FindName(s_.paymentForms, Trimmed(form));
    if (!name)
        return 49;
    std::int64_t cents = 0;
    if (int c = ParseDecimal(value, 2, cents); c != 1)
        return c;
    if (cents == 0)
        return 28;
    s_.payments.push_back({*name, cents, 0});
    s_.phase = s_.Paid() >= s_.Total() ? CouponPhase::Paid : CouponPhase::Paying;
    TTapeDocument doc;
    doc.LeftRight(*name, FormatMoney(cents));
    const std::string note = PrintableText(Trimmed(message), 48);
    if (!note.empty())
        doc.Text(note);
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::CloseCoupon(std::string_view additional, std::string_view message) {
    if (s_.doc != DocKind::Coupon)
        return 11;
    if (ZPending())
        return 23;
    if (s_.phase != CouponPhase::Paid)
        return 39;
    const std::string extra = Trimmed(additional);
    if (extra == "1")
        return 32;
    if (!extra.empty() && extra != "0")
        return 16;
    TTapeDocument doc;
    if (const Cents change = s_.Paid() - s_.Total(); change > 0)
        doc.LeftRight("TROCO R$", FormatMoney(change));
    const std::string text = PrintableText(message, 384);
    if (!text.empty()) {
        doc.Rule();
        doc.Text(text);
    }
    Footer(doc, s_.docCoo);

    for (const Item& item : s_.items) {
        if (item.cancelled)
            continue;
        s_.day.gross += item.gross;
        s_.day.discounts += item.discount;
        s_.day.surcharges += item.surcharge;
        s_.day.taxes[item.tax] += item.Net();
        s_.grandTotal += item.gross;
    }
    s_.day.discounts += s_.subtotalDiscount;
    s_.day.surcharges += s_.subtotalSurcharge;
    s_.lastDocIsCoupon = true;
    s_.lastCouponCoo = s_.docCoo;
    s_.lastCouponTotal = s_.Total();
    s_.lastCouponPayments = s_.payments;
    s_.doc = DocKind::None;
    s_.phase = CouponPhase::Closed;
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::CancelCoupon() {
    if (s_.doc == DocKind::Coupon) {
        // Sold items reach the day's gross sales and the grand total as they would have on the
        // printer's totalisers; the cancellation totaliser takes the coupon back out.
        for (const Item& item : s_.items)
            if (!item.cancelled) {
                s_.day.gross += item.gross;
                s_.grandTotal += item.gross;
                s_.day.discounts += item.discount;
                s_.day.surcharges += item.surcharge;
            }
        const Cents total = s_.Subtotal();
        s_.day.cancelled += total;
        ++s_.cancelledCoupons;
        TTapeDocument doc;
        doc.Rule();
        doc.Center("CUPOM FISCAL CANCELADO");
        doc.LeftRight("CANCELAMENTO R$", FormatMoney(total));
        Footer(doc, s_.docCoo);
        s_.doc = DocKind::None;
        s_.phase = CouponPhase::Closed;
        s_.items.clear();
        s_.payments.clear();
        s_.lastDocIsCoupon = false;
        s_.lastCouponPayments.clear();
        Emit(doc, s_.docCoo);
        return 1;
    }
    if (s_.doc != DocKind::None)
        return 10;
    if (!s_.lastDocIsCoupon)
        return 12;
    if (ZPending())
        return 23;
    const int cancelled = s_.lastCouponCoo;
    const Cents total = s_.lastCouponTotal;
    const int coo = NextCoo();
    s_.day.cancelled += total;
    ++s_.cancelledCoupons;
    s_.lastCouponPayments.clear();
    TTapeDocument doc = Heading(coo);
    doc.Center("CUPOM FISCAL");
    doc.Center("CANCELAMENTO");
    doc.LeftRight("COO DO CUPOM CANCELADO:", ZeroPad(cancelled, 6));
    doc.LeftRight("VALOR DA OPERAÇÃO CANCELADA R$", FormatMoney(total));
    Footer(doc, coo);
    Emit(doc, coo);
    return 1;
}

int TPrinter::CloseOpenReceipts() {
    if (s_.doc == DocKind::LinkedReceipt || s_.doc == DocKind::Report) {
        if (paperOut_)
            return 50;
        return s_.doc == DocKind::Report ? CloseReport() : CloseLinkedReceipt();
    }
    return 1;
}

int TPrinter::NonFiscalOpen(DocKind kind) {
    if (s_.doc != DocKind::None)
        return 10;
    if (int code = CheckFiscalDay(); code != 1)
        return code;
    const int coo = NextCoo();
    ++s_.gnf;
    OpenDay();
    s_.doc = kind;
    s_.docCoo = coo;
    return 1;
}

int TPrinter::CashMovement(bool withdrawal, std::string_view value, std::string_view message) {
    std::int64_t cents = 0;
    if (int c = ParseDecimal(value, 2, cents); c != 1)
        return c;
    if (cents == 0)
        return 28;
    if (int c = NonFiscalOpen(DocKind::None); c != 1)
        return c;
    (withdrawal ? s_.day.withdrawals : s_.day.supplies) += cents;
    TTapeDocument doc = Heading(s_.coo);
    doc.LeftRight("GNF:" + ZeroPad(s_.gnf, 6), "");
    doc.Center("COMPROVANTE NÃO-FISCAL");
    doc.LeftRight(withdrawal ? "SANGRIA" : "SUPRIMENTO", FormatMoney(cents));
    const std::string note = PrintableText(Trimmed(message), 48);
    if (!note.empty())
        doc.Text(note);
    Footer(doc, s_.coo);
    Emit(doc, s_.coo);
    return 1;
}

int TPrinter::OpenLinkedReceipt(std::string_view form, std::string_view instalments,
                                std::string_view coo, std::string_view value) {
    std::int64_t parts = 0, couponCoo = 0, cents = 0;
    if (int c = ParseDigits(instalments, parts); c != 1)
        return c;
    if (parts < 1 || parts > 99)
        return 16;
    if (int c = ParseDigits(coo, couponCoo); c != 1)
        return c;
    if (int c = ParseDecimal(value, 2, cents); c != 1)
        return c;
    if (cents == 0)
        return 28;
    if (s_.doc != DocKind::None)
        return 10;
    if (int c = CheckFiscalDay(); c != 1)
        return c;
    if (s_.lastCouponCoo == 0 || couponCoo != s_.lastCouponCoo)
        return 43;
    Payment* payment = nullptr;
    for (Payment& p : s_.lastCouponPayments)
        if (SameName(p.form, Trimmed(form)) && p.value - p.linked >= cents) {
            payment = &p;
            break;
        }
    if (!payment)
        return 43;
    payment->linked += cents;
    const std::string formName = payment->form;
    NonFiscalOpen(DocKind::LinkedReceipt);
    ++s_.cdc;
    TTapeDocument doc = Heading(s_.docCoo);
    doc.LeftRight("GNF:" + ZeroPad(s_.gnf, 6), "CDC:" + ZeroPad(s_.cdc, 4));
    doc.Center("COMPROVANTE CRÉDITO OU DÉBITO");
    doc.LeftRight("COO DO DOCUMENTO VINCULADO:", ZeroPad(couponCoo, 6));
    doc.LeftRight(formName, FormatMoney(cents));
    doc.LeftRight("PARCELAS", std::to_string(parts));
    doc.Rule();
    Emit(doc, s_.docCoo);
    return 1;
}

// Text lines and the closing of the open non-fiscal document; `refusal` is the code for a call
// that finds another document (or none) open.
int TPrinter::PrintIn(DocKind kind, int refusal, std::string_view text) {
    if (s_.doc != kind)
        return refusal;
    TTapeDocument doc;
    doc.Text(PrintableText(text, kTextPerCall));
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::CloseNonFiscal(DocKind kind, int refusal) {
    if (s_.doc != kind)
        return refusal;
    TTapeDocument doc;
    Footer(doc, s_.docCoo);
    s_.doc = DocKind::None;
    if (kind == DocKind::Report)
        s_.reportName.clear();
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::PrintLinkedReceipt(std::string_view text) {
    return PrintIn(DocKind::LinkedReceipt, 11, text);
}

int TPrinter::CloseLinkedReceipt() {
    return CloseNonFiscal(DocKind::LinkedReceipt, 11);
}

int TPrinter::OpenReport(std::string_view name) {
    const std::string wanted = Trimmed(name);
    const std::string* report = wanted.empty()
                                    ? (s_.reports.empty() ? nullptr : &s_.reports.front())
                                    : FindName(s_.reports, wanted);
    if (s_.doc != DocKind::None)
        return 10;
    if (int c = CheckFiscalDay(); c != 1)
        return c;
    if (!report)
        return 30;
    const std::string reportName = *report;
    NonFiscalOpen(DocKind::Report);
    ++s_.grg;
    s_.reportName = reportName;
    TTapeDocument doc = Heading(s_.docCoo);
    doc.LeftRight("GNF:" + ZeroPad(s_.gnf, 6), "GRG:" + ZeroPad(s_.grg, 6));
    doc.Center("RELATÓRIO GERENCIAL");
    doc.Center(reportName);
    doc.Rule();
    Emit(doc, s_.docCoo);
    return 1;
}

int TPrinter::PrintReport(std::string_view text) {
    return PrintIn(DocKind::Report, 8, text);
}

int TPrinter::CloseReport() {
    return CloseNonFiscal(DocKind::Report, 8);
}

int TPrinter::ReadingX() {
    if (s_.doc != DocKind::None)
        return 10;
    if (ZDoneToday())
        return 22;
    const int coo = NextCoo();
    TTapeDocument doc = Heading(coo);
    doc.Center("LEITURA X");
    doc.Rule();
    Totals(doc, s_.day);
    Footer(doc, coo);
    Emit(doc, coo);
    return 1;
}

int TPrinter::ReductionZ() {
    if (s_.doc != DocKind::None)
        return 10;
    if (SecondOfDay(now_) < kZForbiddenUntil)
        return 181;
    const std::int64_t movementDay = s_.dayOpen ? s_.dayDate : DayOf(now_);
    if (s_.lastZDay && *s_.lastZDay == movementDay)
        return 22;
    const int coo = NextCoo();
    ++s_.crz;
    ZRecord z;
    z.crz = s_.crz;
    z.coo = coo;
    z.movementDay = movementDay;
    z.when = now_;
    z.grandTotal = s_.grandTotal;
    z.gross = s_.day.gross;
    z.cancelled = s_.day.cancelled;
    z.discounts = s_.day.discounts;
    z.surcharges = s_.day.surcharges;
    z.withdrawals = s_.day.withdrawals;
    z.supplies = s_.day.supplies;
    z.taxes = s_.day.taxes;

    TTapeDocument doc = Heading(coo);
    doc.Center("REDUÇÃO Z");
    doc.LeftRight("MOVIMENTO DO DIA:", FormatMoment(movementDay * SecondsPerDay, "dd/mm/yyyy"));
    doc.Rule();
    Totals(doc, s_.day);
    Footer(doc, coo);

    s_.fiscalMemory.push_back(std::move(z));
    s_.day = DayTotals{};
    s_.dayOpen = false;
    s_.lastZDay = movementDay;
    s_.lastZMoment = now_;
    s_.lastCouponPayments.clear();
    Emit(doc, coo);
    return 1;
}

int TPrinter::FiscalMemory(const FiscalMemoryRange& range, bool complete, bool print,
                           std::string& text) {
    if (print && s_.doc != DocKind::None)
        return 10;
    TTapeDocument doc;
    doc.Center(complete ? "LEITURA DA MEMÓRIA FISCAL COMPLETA" : "LEITURA DA MEMÓRIA FISCAL");
    doc.Center(complete ? "" : "SIMPLIFICADA");
    if (range.byDate)
        doc.LeftRight("PERÍODO:", FormatMoment(range.first * SecondsPerDay, "dd/mm/yyyy") + " A " +
                                      FormatMoment(range.last * SecondsPerDay, "dd/mm/yyyy"));
    else
        doc.LeftRight("CRZ:", ZeroPad(range.first, 4) + " A " + ZeroPad(range.last, 4));
    doc.Rule();
    Cents total = 0;
    for (const ZRecord& z : s_.fiscalMemory) {
        const std::int64_t key = range.byDate ? z.movementDay : z.crz;
        if (key < range.first || key > range.last)
            continue;
        total += z.gross;
        doc.LeftRight("CRZ:" + ZeroPad(z.crz, 4) + " COO:" + ZeroPad(z.coo, 6),
                      FormatMoment(z.movementDay * SecondsPerDay, "dd/mm/yyyy"));
        doc.LeftRight("  VENDA BRUTA", FormatMoney(z.gross));
        if (!complete)
            continue;
        doc.LeftRight("  CANCELAMENTOS", FormatMoney(z.cancelled));
        doc.LeftRight("  DESCONTOS", FormatMoney(z.discounts));
        doc.LeftRight("  ACRESCIMOS", FormatMoney(z.surcharges));
        for (const auto& [tax, value] : z.taxes)
            doc.LeftRight("  " + TaxLabel(tax), FormatMoney(value));
        doc.LeftRight("  GRANDE TOTAL", FormatMoney(z.grandTotal));
    }
    doc.Rule();
    doc.LeftRight("TOTAL DO PERÍODO", FormatMoney(total));
    if (print) {
        const int coo = NextCoo();
        TTapeDocument paper = Heading(coo);
        for (const std::string& line : doc.Lines())
            paper.Text(line);
        Footer(paper, coo);
        Emit(paper, coo);
    }
    text = doc.Joined();
    return 1;
}

} // namespace zelt::printers::daruma
