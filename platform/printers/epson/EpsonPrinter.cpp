#include "platform/printers/epson/EpsonPrinter.h"

#include "platform/rtl/Text.h"

#include <algorithm>
#include <cstdio>

namespace zelt::printers::epson {

namespace {

constexpr int kColumns = 56;
constexpr std::size_t kMaxItems = 500;
constexpr std::size_t kMessageLimit = 448;
constexpr std::size_t kLineTextLimit = 4096;
constexpr std::int64_t kMaxQuantityMilli = 99'999'999;     // 99999,999
constexpr std::int64_t kMaxPriceMilli = 99'999'999'990;    // 99999999,99
constexpr Cents kMaxCouponCents = 1'000'000'000'000'000LL; // far beyond any sale

// Products of quantities and prices go past 64 bits before they are scaled down to cents.
__extension__ typedef __int128 Wide;

const std::vector<std::string> kHeader = {"ZELT COMERCIO DE TESTE LTDA",
                                          "RUA DAS FLORES, 100 - CENTRO",
                                          "CNPJ:00.000.000/0001-91 IE:000.000.000.000"};

std::string MoneyText(Cents cents) {
    const bool negative = cents < 0;
    const std::uint64_t v =
        negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    std::string whole = std::to_string(v / 100);
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
        whole.insert(static_cast<std::size_t>(i), ".");
    char frac[4];
    std::snprintf(frac, sizeof frac, "%02d", static_cast<int>(v % 100));
    return (negative ? "-" : "") + whole + "," + frac;
}

std::string FixedText(std::int64_t milli) {
    char text[40];
    std::snprintf(text, sizeof text, "%lld,%03lld", static_cast<long long>(milli / 1000),
                  static_cast<long long>(milli % 1000));
    return text;
}

const std::string* FindName(const std::vector<std::string>& list, std::string_view name) {
    for (const std::string& entry : list)
        if (AnsiSameText(entry, name))
            return &entry;
    return nullptr;
}

Payment* FindPayment(std::vector<Payment>& list, std::string_view form) {
    for (Payment& p : list)
        if (AnsiSameText(p.form, form))
            return &p;
    return nullptr;
}

std::string Padded(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string TaxLabel(const std::string& key) {
    // T1800 prints as T18,00; the letter codes print as they are.
    if (key.size() == 5 && (key[0] == 'T' || key[0] == 'S'))
        return key.substr(0, 3) + "," + key.substr(3);
    return key;
}

// One rate as the tables give it: type letter, then four digits of hundredths.
std::pair<char, std::string> RateParts(const std::string& rate) {
    const char type = rate.empty() ? ' ' : rate[0];
    std::string digits = rate.size() > 1 ? rate.substr(1, 4) : std::string();
    digits.insert(0, 4 - digits.size(), '0');
    return {type, digits};
}

bool Flag(int value) {
    return value == 0 || value == 1;
}

} // namespace

std::string ErrorText(int c) {
    switch (c) {
    case code::Ok:
        return "";
    case code::NoAnswer:
        return "Impressora nao responde";
    case code::BadCall:
        return "Parametro de chamada invalido";
    case code::OwnFiles:
        return "Erro nos arquivos do emulador";
    case code::DocumentOpen:
        return "Outro documento esta aberto";
    case code::NoCoupon:
        return "Cupom fiscal nao aberto";
    case code::WrongStep:
        return "Comando fora da sequencia do cupom";
    case code::Malformed:
        return "Numero mal formado";
    case code::NoRoom:
        return "Nao ha mais espaco";
    case code::NoItem:
        return "Item inexistente ou ja cancelado";
    case code::BadParameter:
        return "Parametro invalido";
    case code::Overflow:
        return "Estouro numerico";
    case code::RateNotProgrammed:
        return "Aliquota nao programada";
    case code::Zero:
        return "Valor zerado";
    case code::DayNotOpen:
        return "Jornada fiscal nao aberta";
    case code::ZDoneToday:
        return "Reducao Z ja emitida hoje";
    case code::ZPending:
        return "Reducao Z pendente";
    case code::UnknownPayment:
        return "Forma de pagamento nao programada";
    case code::BadAdjustment:
        return "Desconto ou acrescimo invalido";
    case code::NothingToCancel:
        return "Nada a cancelar";
    case code::NoLinkedReceipt:
        return "Comprovante vinculado nao permitido";
    case code::NoNonFiscal:
        return "Documento nao fiscal nao aberto";
    case code::UnknownReport:
        return "Relatorio gerencial nao programado";
    case code::NoZYet:
        return "Nenhuma reducao Z emitida";
    case code::PaperOut:
        return "Sem papel";
    default:
        return "Erro " + std::to_string(c);
    }
}

int ParseScaled(std::string_view digits, int decimals, int scale, std::int64_t& value) {
    if (decimals < 0 || decimals > scale)
        return code::BadCall;
    if (digits.empty())
        return code::BadParameter;
    if (digits.size() > 14)
        return code::Overflow;
    std::int64_t v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return code::Malformed;
        v = v * 10 + (c - '0');
    }
    for (int i = decimals; i < scale; ++i)
        v *= 10;
    value = v;
    return code::Ok;
}

std::string Field(std::int64_t value, int width) {
    std::string text = std::to_string(value < 0 ? 0 : value);
    const auto w = static_cast<std::size_t>(width);
    if (text.size() > w)
        return text.substr(text.size() - w);
    return std::string(w - text.size(), '0') + text;
}

std::string PrintableText(std::string_view text, std::size_t limit) {
    std::string out(text.substr(0, limit));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n')
            c = ' ';
    return out;
}

int ParseTax(std::string_view text, const std::vector<std::string>& rates, std::string& key) {
    const std::string t = UpperCase(Trim(text));
    static const char* const kCodes[] = {"F", "F1", "FF", "I",  "I1", "II",
                                         "N", "N1", "NN", "SF", "SI", "SN"};
    for (const char* c : kCodes)
        if (t == c) {
            key = c;
            return code::Ok;
        }
    std::string_view digits = t;
    char type = 'T';
    if (!digits.empty() && (digits[0] == 'T' || digits[0] == 'S')) {
        type = digits[0];
        digits.remove_prefix(1);
    }
    if (digits.size() != 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return code::BadParameter;
    key = std::string(1, type) + std::string(digits);
    return FindName(rates, key) ? code::Ok : code::RateNotProgrammed;
}

TPrinter::TPrinter(State state, Moment now, PrinterSignals signals)
    : s_(std::move(state)), now_(now), signals_(signals) {}

bool TPrinter::ZPending() const {
    return s_.dayOpen && DayOf(now_) > s_.dayDate;
}

bool TPrinter::ZDoneToday() const {
    return s_.lastZDay && *s_.lastZDay == DayOf(now_);
}

int TPrinter::CheckDay() const {
    if (ZPending())
        return code::ZPending;
    if (!s_.dayOpen)
        return ZDoneToday() ? code::ZDoneToday : code::DayNotOpen;
    return code::Ok;
}

// A step of the open coupon: a coupon left open from a day now pending reduction takes
// nothing but its cancellation, so that the reduction can follow it.
int TPrinter::CheckCouponStep(CouponPhase wanted) const {
    if (s_.doc != DocKind::Coupon)
        return code::NoCoupon;
    if (ZPending())
        return code::ZPending;
    if (wanted == CouponPhase::Items && s_.phase != CouponPhase::Items)
        return code::WrongStep;
    return code::Ok;
}

int TPrinter::NextCoo(bool keepsLastCoupon) {
    s_.coo = s_.coo >= 999999 ? 1 : s_.coo + 1;
    if (!keepsLastCoupon)
        s_.lastDocIsCoupon = false;
    return s_.coo;
}

void TPrinter::Emit(const TTapeDocument& doc) {
    printed_ += doc.Joined();
}

TTapeDocument TPrinter::Heading(int coo) const {
    TTapeDocument doc(kColumns);
    for (const std::string& line : kHeader)
        doc.Center(line);
    doc.Rule();
    doc.LeftRight(FormatMoment(now_, "dd/mm/yyyy hh:nn:ss"), "COO:" + Field(coo, 6));
    return doc;
}

void TPrinter::Footer(TTapeDocument& doc, int coo) const {
    doc.Rule();
    doc.LeftRight("EPSON TM-T81 FBIII  ECF:001", "COO:" + Field(coo, 6));
    doc.LeftRight("FAB:EP000000000000001", FormatMoment(now_, "dd/mm/yyyy hh:nn:ss"));
    doc.Blank();
}

void TPrinter::Totals(TTapeDocument& doc, const DayTotals& day) const {
    doc.LeftRight("VENDA BRUTA", MoneyText(day.gross));
    doc.LeftRight("CANCELAMENTOS", MoneyText(day.cancelled));
    doc.LeftRight("DESCONTOS", MoneyText(day.discounts));
    doc.LeftRight("ACRESCIMOS", MoneyText(day.surcharges));
    doc.LeftRight("SANGRIAS", MoneyText(day.withdrawals));
    doc.LeftRight("SUPRIMENTOS", MoneyText(day.supplies));
    for (const auto& [tax, value] : day.taxes)
        doc.LeftRight(TaxLabel(tax), MoneyText(value));
    doc.LeftRight("GRANDE TOTAL", MoneyText(s_.grandTotal));
    doc.LeftRight("CONTADORES", "CRZ:" + Field(s_.crz, 6) + " CCF:" + Field(s_.ccf, 6));
}

void TPrinter::ResetCoupon() {
    s_.doc = DocKind::None;
    s_.docCoo = 0;
    s_.phase = CouponPhase::Closed;
    s_.consumerDoc.clear();
    s_.consumerName.clear();
    s_.consumerAddress1.clear();
    s_.consumerAddress2.clear();
    s_.items.clear();
    s_.payments.clear();
    s_.message.clear();
}

// ---- fiscal day ------------------------------------------------------------------------------

int TPrinter::OpenDay() {
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    if (s_.dayOpen)
        return ZPending() ? code::ZPending : code::Ok;
    if (ZDoneToday())
        return code::ZDoneToday;
    const int coo = NextCoo();
    s_.dayOpen = true;
    s_.dayDate = DayOf(now_);
    s_.dayOpenedAt = now_;
    s_.dayFirstCoo = coo;
    s_.day = DayTotals{};
    TTapeDocument doc = Heading(coo);
    doc.Center("ABERTURA DE JORNADA FISCAL");
    doc.LeftRight("DATA DO MOVIMENTO", FormatMoment(now_, "dd/mm/yyyy"));
    Footer(doc, coo);
    Emit(doc);
    return code::Ok;
}

int TPrinter::ReadingX() {
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    const int coo = NextCoo();
    TTapeDocument doc = Heading(coo);
    doc.Center("LEITURA X");
    Totals(doc, s_.day);
    Footer(doc, coo);
    Emit(doc);
    return code::Ok;
}

int TPrinter::ReductionZ(std::string& crz) {
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    // A pending day is reduced on a later date: its movement date is the day's own, and today
    // may still be opened afterwards.
    const std::int64_t movement = s_.dayOpen ? s_.dayDate : DayOf(now_);
    if (s_.lastZDay && *s_.lastZDay == movement)
        return code::ZDoneToday;
    const int coo = NextCoo();
    s_.crz += 1;
    LastZ z;
    z.crz = s_.crz;
    z.coo = coo;
    z.cro = s_.cro;
    z.when = now_;
    z.movementDay = movement;
    z.grandTotal = s_.grandTotal;
    z.totals = s_.day;
    TTapeDocument doc = Heading(coo);
    doc.Center("REDUCAO Z");
    doc.LeftRight("MOVIMENTO DO DIA", FormatMoment(movement * SecondsPerDay, "dd/mm/yyyy"));
    Totals(doc, s_.day);
    Footer(doc, coo);
    Emit(doc);
    files_.emplace_back("RZ_" + Field(s_.crz, 6) + ".TXT", doc.Joined());
    s_.lastZ = std::move(z);
    s_.lastZDay = movement;
    s_.dayOpen = false;
    s_.day = DayTotals{};
    crz = Field(s_.crz, 6);
    return code::Ok;
}

// ---- fiscal coupon ---------------------------------------------------------------------------

int TPrinter::OpenCoupon(std::string_view document, std::string_view name,
                         std::string_view address1, std::string_view address2, int mode) {
    if (mode != 1 && mode != 3)
        return code::BadParameter;
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    if (int c = CheckDay(); c != code::Ok)
        return c;
    const int coo = NextCoo();
    s_.ccf += 1;
    ResetCoupon();
    s_.doc = DocKind::Coupon;
    s_.docCoo = coo;
    s_.phase = CouponPhase::Items;
    TTapeDocument doc = Heading(coo);
    if (mode == 3) {
        s_.consumerDoc = PrintableText(Trim(document), 20);
        s_.consumerName = PrintableText(Trim(name), 30);
        s_.consumerAddress1 = PrintableText(Trim(address1), 40);
        s_.consumerAddress2 = PrintableText(Trim(address2), 40);
        doc.Text("CPF/CNPJ consumidor: " + s_.consumerDoc);
        if (!s_.consumerName.empty())
            doc.Text("Nome: " + s_.consumerName);
        if (!s_.consumerAddress1.empty())
            doc.Text("Endereco: " + s_.consumerAddress1);
        if (!s_.consumerAddress2.empty())
            doc.Text(s_.consumerAddress2);
        doc.Rule();
    }
    doc.LeftRight("CCF:" + Field(s_.ccf, 6), "");
    doc.Center("CUPOM FISCAL");
    doc.Text("ITEM CODIGO DESCRICAO QTD UN VL UNIT VL ITEM");
    Emit(doc);
    return code::Ok;
}

int TPrinter::Sell(std::string_view itemCode, std::string_view description,
                   std::string_view quantity, int quantityDecimals, std::string_view unit,
                   std::string_view price, int priceDecimals, std::string_view tax,
                   int calculation) {
    if (int c = CheckCouponStep(CouponPhase::Items); c != code::Ok)
        return c;
    Item item;
    if (int c = ParseScaled(quantity, quantityDecimals, 3, item.quantityMilli); c != code::Ok)
        return c;
    if (int c = ParseScaled(price, priceDecimals, 3, item.priceMilli); c != code::Ok)
        return c;
    if (calculation != 1)
        return code::BadParameter;
    if (item.quantityMilli == 0 || item.priceMilli == 0)
        return code::Zero;
    if (item.quantityMilli > kMaxQuantityMilli || item.priceMilli > kMaxPriceMilli)
        return code::Overflow;
    item.description = PrintableText(Trim(description), 200);
    if (item.description.empty())
        return code::BadParameter;
    if (int c = ParseTax(tax, s_.rates, item.tax); c != code::Ok)
        return c;
    if (s_.items.size() >= kMaxItems)
        return code::NoRoom;
    // Milli times milli is millionths of a unit, i.e. ten-thousandths of a cent.
    const Wide product = static_cast<Wide>(item.quantityMilli) * item.priceMilli;
    item.gross = static_cast<Cents>(s_.truncates ? product / 10000 : (product + 5000) / 10000);
    if (s_.Subtotal() + item.gross > kMaxCouponCents)
        return code::Overflow;
    item.code = PrintableText(Trim(itemCode), 14);
    item.unit = PrintableText(Trim(unit), 3);
    s_.items.push_back(item);
    TTapeDocument doc(kColumns);
    doc.Text(Field(static_cast<std::int64_t>(s_.items.size()), 3) + " " + item.code + " " +
             item.description);
    doc.LeftRight("    " + FixedText(item.quantityMilli) + " " + item.unit + " X " +
                      FixedText(item.priceMilli) + " " + TaxLabel(item.tax),
                  MoneyText(item.gross));
    Emit(doc);
    return code::Ok;
}

int TPrinter::AdjustItem(std::string_view value, int decimals, int discount, int percentage) {
    if (!Flag(discount) || !Flag(percentage))
        return code::BadCall;
    if (int c = CheckCouponStep(CouponPhase::Items); c != code::Ok)
        return c;
    std::int64_t amount = 0;
    if (int c = ParseScaled(value, decimals, 2, amount); c != code::Ok)
        return c;
    if (amount == 0)
        return code::Zero;
    if (s_.items.empty() || s_.items.back().cancelled)
        return code::NoItem;
    Item& item = s_.items.back();
    if (item.adjusted)
        return code::BadAdjustment;
    if (percentage) {
        if (amount > 100'00 * 100)
            return code::BadAdjustment;
        const Wide part = static_cast<Wide>(item.gross) * amount;
        amount = static_cast<std::int64_t>((part + 5000) / 10000);
    }
    if (discount) {
        if (amount >= item.gross)
            return code::BadAdjustment;
        item.discount = amount;
    } else {
        if (s_.Subtotal() + amount > kMaxCouponCents)
            return code::Overflow;
        item.surcharge = amount;
    }
    item.adjusted = true;
    TTapeDocument doc(kColumns);
    doc.LeftRight(discount ? "    desconto item" : "    acrescimo item",
                  (discount ? "-" : "+") + MoneyText(amount));
    Emit(doc);
    return code::Ok;
}

int TPrinter::CancelItem(std::string_view item) {
    if (int c = CheckCouponStep(CouponPhase::Items); c != code::Ok)
        return c;
    std::int64_t number = 0;
    const std::string text = Trim(item);
    if (int c = ParseScaled(text, 0, 0, number); c != code::Ok)
        return c == code::BadParameter ? code::NoItem : c;
    if (number < 1 || static_cast<std::size_t>(number) > s_.items.size() ||
        s_.items[static_cast<std::size_t>(number - 1)].cancelled)
        return code::NoItem;
    Item& it = s_.items[static_cast<std::size_t>(number - 1)];
    it.cancelled = true;
    TTapeDocument doc(kColumns);
    doc.LeftRight("cancelado item " + Field(number, 3), "-" + MoneyText(it.Net()));
    Emit(doc);
    return code::Ok;
}

int TPrinter::CancelCoupon() {
    if (s_.doc == DocKind::Coupon) {
        TTapeDocument doc(kColumns);
        doc.Center("CUPOM FISCAL CANCELADO");
        Footer(doc, s_.docCoo);
        Emit(doc);
        s_.cfc += 1;
        s_.lastDocIsCoupon = true;
        s_.lastCouponCoo = s_.docCoo;
        s_.lastCouponCancelled = true;
        s_.lastCouponTotal = 0;
        s_.lastCouponPayments.clear();
        ResetCoupon();
        return code::Ok;
    }
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    if (!s_.lastDocIsCoupon || s_.lastCouponCancelled)
        return code::NothingToCancel;
    const int cancelled = s_.lastCouponCoo;
    const Cents total = s_.lastCouponTotal;
    const int coo = NextCoo();
    s_.cfc += 1;
    s_.day.cancelled += total;
    s_.lastCouponCancelled = true;
    TTapeDocument doc = Heading(coo);
    doc.Center("CANCELAMENTO DE CUPOM FISCAL");
    doc.LeftRight("COO DO CUPOM CANCELADO", Field(cancelled, 6));
    doc.LeftRight("VALOR CANCELADO", MoneyText(total));
    Footer(doc, coo);
    Emit(doc);
    return code::Ok;
}

int TPrinter::Pay(std::string_view form, std::string_view value, int decimals,
                  std::string_view line1, std::string_view line2) {
    if (int c = CheckCouponStep(CouponPhase::Paying); c != code::Ok)
        return c;
    if (s_.phase == CouponPhase::Paid)
        return code::WrongStep;
    if (s_.phase == CouponPhase::Items &&
        std::none_of(s_.items.begin(), s_.items.end(), [](const Item& i) { return !i.cancelled; }))
        return code::WrongStep;
    const std::string* name = FindName(s_.paymentForms, Trim(form));
    if (!name)
        return code::UnknownPayment;
    std::int64_t amount = 0;
    if (int c = ParseScaled(value, decimals, 2, amount); c != code::Ok)
        return c;
    if (amount == 0)
        return code::Zero;
    if (amount > kMaxCouponCents)
        return code::Overflow;
    TTapeDocument doc(kColumns);
    if (s_.phase == CouponPhase::Items) {
        doc.Rule();
        doc.LeftRight("TOTAL R$", MoneyText(s_.Subtotal()));
    }
    if (Payment* p = FindPayment(s_.payments, *name))
        p->value += amount;
    else
        s_.payments.push_back({*name, amount, 0});
    s_.phase = s_.Paid() >= s_.Subtotal() ? CouponPhase::Paid : CouponPhase::Paying;
    doc.LeftRight(*name, MoneyText(amount));
    for (std::string_view line : {line1, line2})
        if (!Trim(line).empty())
            doc.Text(PrintableText(line, kColumns));
    Emit(doc);
    return code::Ok;
}

int TPrinter::Message(std::string_view text) {
    if (int c = CheckCouponStep(CouponPhase::Paying); c != code::Ok)
        return c;
    if (s_.phase == CouponPhase::Items)
        return code::WrongStep;
    s_.message = PrintableText(s_.message + std::string(text), kMessageLimit);
    return code::Ok;
}

int TPrinter::CloseCoupon(int cut, int openDrawer, int drawerSeconds) {
    if (!Flag(cut) || !Flag(openDrawer))
        return code::BadCall;
    if (int c = CheckCouponStep(CouponPhase::Paid); c != code::Ok)
        return c;
    if (s_.phase != CouponPhase::Paid)
        return code::WrongStep;
    const Cents total = s_.Subtotal();
    TTapeDocument doc(kColumns);
    doc.LeftRight("TROCO R$", MoneyText(s_.Paid() - total));
    if (!s_.message.empty()) {
        doc.Rule();
        doc.Text(s_.message);
    }
    Footer(doc, s_.docCoo);
    Emit(doc);
    for (const Item& item : s_.items) {
        if (item.cancelled) {
            s_.day.cancelled += item.Net();
            continue;
        }
        s_.day.taxes[item.tax] += item.Net();
        s_.day.discounts += item.discount;
        s_.day.surcharges += item.surcharge;
    }
    s_.day.gross += total;
    s_.grandTotal += total;
    for (const Payment& p : s_.payments)
        s_.day.payments[p.form] += p.value;
    s_.lastDocIsCoupon = true;
    s_.lastCouponCoo = s_.docCoo;
    s_.lastCouponCancelled = false;
    s_.lastCouponTotal = total;
    s_.lastCouponPayments = s_.payments;
    ResetCoupon();
    if (openDrawer)
        OpenDrawer(drawerSeconds);
    return code::Ok;
}

// ---- non-fiscal documents --------------------------------------------------------------------

int TPrinter::CashMovement(bool withdrawal, std::string_view value, int decimals) {
    std::int64_t amount = 0;
    if (int c = ParseScaled(value, decimals, 2, amount); c != code::Ok)
        return c;
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    if (int c = CheckDay(); c != code::Ok)
        return c;
    if (amount == 0)
        return code::Zero;
    const int coo = NextCoo();
    s_.gnf += 1;
    (withdrawal ? s_.day.withdrawals : s_.day.supplies) += amount;
    TTapeDocument doc = Heading(coo);
    doc.Center("COMPROVANTE NAO FISCAL");
    doc.LeftRight(withdrawal ? "SANGRIA" : "FUNDO DE TROCO", MoneyText(amount));
    Footer(doc, coo);
    Emit(doc);
    return code::Ok;
}

int TPrinter::OpenLinkedReceipt(std::string_view form, std::string_view value, int decimals,
                                std::string_view instalments) {
    std::int64_t amount = 0;
    if (int c = ParseScaled(value, decimals, 2, amount); c != code::Ok)
        return c;
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    if (ZPending())
        return code::ZPending;
    std::int64_t parts = 0;
    if (ParseScaled(Trim(instalments), 0, 0, parts) != code::Ok || parts < 1 || parts > 99)
        return code::NoLinkedReceipt;
    if (!s_.lastDocIsCoupon || s_.lastCouponCancelled)
        return code::NoLinkedReceipt;
    Payment* payment = FindPayment(s_.lastCouponPayments, Trim(form));
    const bool cash =
        !s_.paymentForms.empty() && payment && AnsiSameText(payment->form, s_.paymentForms.front());
    if (!payment || cash || amount <= 0 || amount > payment->value - payment->linked)
        return code::NoLinkedReceipt;
    payment->linked += amount;
    const int coo = NextCoo(true);
    s_.cdc += 1;
    s_.gnf += 1;
    s_.doc = DocKind::LinkedReceipt;
    s_.docCoo = coo;
    TTapeDocument doc = Heading(coo);
    doc.Center("COMPROVANTE DE CREDITO OU DEBITO");
    doc.LeftRight("COO DO CUPOM VINCULADO", Field(s_.lastCouponCoo, 6));
    doc.LeftRight(payment->form, MoneyText(amount));
    doc.LeftRight("PARCELAS", std::to_string(parts));
    doc.Rule();
    Emit(doc);
    return code::Ok;
}

int TPrinter::PrintLine(std::string_view text) {
    if (s_.doc != DocKind::LinkedReceipt && s_.doc != DocKind::Report)
        return code::NoNonFiscal;
    TTapeDocument doc(kColumns);
    doc.Text(PrintableText(text, kLineTextLimit));
    Emit(doc);
    return code::Ok;
}

int TPrinter::CloseLinkedReceipt(int cut) {
    if (!Flag(cut))
        return code::BadCall;
    if (s_.doc != DocKind::LinkedReceipt)
        return code::NoNonFiscal;
    TTapeDocument doc(kColumns);
    Footer(doc, s_.docCoo);
    Emit(doc);
    s_.doc = DocKind::None;
    s_.docCoo = 0;
    return code::Ok;
}

int TPrinter::OpenReport(std::string_view number) {
    if (s_.doc != DocKind::None)
        return code::DocumentOpen;
    if (ZPending())
        return code::ZPending;
    std::int64_t index = 0;
    if (ParseScaled(Trim(number), 0, 0, index) != code::Ok || index < 1 ||
        static_cast<std::size_t>(index) > s_.reports.size())
        return code::UnknownReport;
    const int coo = NextCoo();
    s_.grg += 1;
    s_.gnf += 1;
    s_.doc = DocKind::Report;
    s_.docCoo = coo;
    TTapeDocument doc = Heading(coo);
    doc.Center("RELATORIO GERENCIAL");
    doc.Center(s_.reports[static_cast<std::size_t>(index - 1)]);
    doc.Rule();
    Emit(doc);
    return code::Ok;
}

int TPrinter::CloseReport(int cut) {
    if (!Flag(cut))
        return code::BadCall;
    if (s_.doc != DocKind::Report)
        return code::NoNonFiscal;
    TTapeDocument doc(kColumns);
    Footer(doc, s_.docCoo);
    Emit(doc);
    s_.doc = DocKind::None;
    s_.docCoo = 0;
    return code::Ok;
}

// ---- answers ---------------------------------------------------------------------------------

std::string TPrinter::PrinterStateText() const {
    std::string bits(16, '0');
    bits[0] = '1';
    bits[3] = DrawerOpen() ? '1' : '0';
    bits[12] = signals_.paperLow ? '1' : '0';
    bits[14] = signals_.paperOut ? '1' : '0';
    return bits;
}

std::string TPrinter::FiscalStateText() const {
    std::string text;
    text += s_.dayOpen ? '1' : '0';
    text += ZPending() ? '1' : '0';
    text += ZDoneToday() ? '1' : '0';
    text += "00000";
    text += Field(static_cast<int>(s_.phase), 4);
    text += Field(static_cast<int>(s_.doc), 4);
    return text;
}

std::string TPrinter::CommandReturnText() const {
    if (s_.lastError < 0)
        return "9999";
    return Field(s_.lastError, 4);
}

std::string TPrinter::ClockText() const {
    return FormatMoment(now_, "ddmmyyyyhhnnss");
}

std::string TPrinter::CountersText() const {
    std::string text;
    for (int counter : {s_.coo, s_.gnf, s_.grg, s_.cdc, s_.crz, s_.cro, s_.cfc, s_.ccf})
        text += Field(counter, 6);
    text += std::string(101 - text.size(), '0');
    return text;
}

std::string TPrinter::DayDataText() const {
    std::string text;
    if (s_.dayOpenedAt != 0)
        text += FormatMoment(s_.dayOpenedAt, "ddmmyyyyhhnnss");
    else
        text += std::string(14, '0');
    text += Field(s_.crz, 6);
    text += Field(s_.dayFirstCoo, 6);
    text += Field(s_.day.gross, 14);
    text += std::string(24, '0');
    text += s_.dayOpen ? '1' : '0';
    text += ZPending() ? '1' : '0';
    text += ZDoneToday() ? '1' : '0';
    text += "00000";
    return text;
}

std::string TPrinter::LastZText() const {
    if (!s_.lastZ)
        return {};
    const LastZ& z = *s_.lastZ;
    std::string text = FormatMoment(z.when, "ddmmyyyyhhnnss");
    text += Field(z.crz, 6) + Field(z.coo, 6) + Field(z.cro, 6);
    text += FormatMoment(z.movementDay * SecondsPerDay, "ddmmyyyy");
    for (Cents v : {z.grandTotal, z.totals.gross, z.totals.cancelled, z.totals.discounts,
                    z.totals.surcharges})
        text += Field(v, 18);
    for (std::size_t i = 0; i < kMaxRates; ++i) {
        if (i >= s_.rates.size()) {
            text += std::string(22, ' ');
            continue;
        }
        const auto [type, digits] = RateParts(s_.rates[i]);
        auto it = z.totals.taxes.find(s_.rates[i]);
        text +=
            std::string(1, type) + digits + Field(it == z.totals.taxes.end() ? 0 : it->second, 17);
    }
    text.resize(1168, ' ');
    return text;
}

std::string TPrinter::RatesText() const {
    std::string text;
    for (std::size_t i = 0; i < s_.rates.size() && i < kMaxRates; ++i) {
        const auto [type, digits] = RateParts(s_.rates[i]);
        auto it = s_.day.taxes.find(s_.rates[i]);
        text += std::string(1, type) + " " + digits +
                Field(it == s_.day.taxes.end() ? 0 : it->second, 17);
    }
    return text;
}

std::string TPrinter::PaymentsText() const {
    const std::size_t count = std::min(s_.paymentForms.size(), kMaxPaymentForms);
    std::string text = Field(static_cast<std::int64_t>(count), 2);
    for (std::size_t i = 0; i < kMaxPaymentForms; ++i) {
        if (i >= count) {
            text += std::string(44, ' ');
            continue;
        }
        const std::string& name = s_.paymentForms[i];
        auto day = s_.day.payments.find(name);
        Cents last = 0;
        for (const Payment& p : s_.lastCouponPayments)
            if (p.form == name)
                last = p.value;
        text += Padded(name, kPaymentNameWidth);
        text += i == 0 ? 'N' : 'S';
        text += Field(day == s_.day.payments.end() ? 0 : day->second, 14);
        text += Field(last, 14);
    }
    return text;
}

} // namespace zelt::printers::epson
