#include "platform/printers/epson/EpsonState.h"

#include <charconv>

namespace zelt::printers::epson {

namespace {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(';', start);
        std::string piece = text.substr(start, end == std::string::npos ? end : end - start);
        if (!piece.empty())
            out.push_back(std::move(piece));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return out;
}

std::string JoinList(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : ";") + item;
    return out;
}

std::string MomentText(Moment m) {
    return FormatMoment(m, "dd/mm/yyyy hh:nn:ss");
}

Moment ReadMoment(const TKeyValueDoc& doc, std::string_view section, std::string_view key) {
    const std::string* text = doc.Find(section, key);
    return text ? ParseMoment(*text).value_or(0) : 0;
}

std::int64_t ReadDay(const TKeyValueDoc& doc, std::string_view section, std::string_view key) {
    return DayOf(ReadMoment(doc, section, key));
}

std::string DayText(std::int64_t day) {
    return FormatMoment(day * SecondsPerDay, "dd/mm/yyyy");
}

int Int(const TKeyValueDoc& doc, std::string_view section, std::string_view key, int fallback) {
    return static_cast<int>(doc.GetInt(section, key, fallback));
}

// "T1800:1234;FF:50": names never hold ':' or ';' (the printer's tables forbid them).
std::string AmountsText(const std::map<std::string, Cents>& amounts) {
    std::string out;
    for (const auto& [name, value] : amounts)
        out += (out.empty() ? "" : ";") + name + ":" + std::to_string(value);
    return out;
}

std::map<std::string, Cents> ParseAmounts(const std::string& text) {
    std::map<std::string, Cents> out;
    for (const std::string& piece : SplitList(text)) {
        const std::size_t colon = piece.rfind(':');
        if (colon == std::string::npos)
            continue;
        Cents value = 0;
        std::from_chars(piece.data() + colon + 1, piece.data() + piece.size(), value);
        out[piece.substr(0, colon)] = value;
    }
    return out;
}

void ReadTotals(const TKeyValueDoc& doc, const std::string& s, DayTotals& t) {
    t.gross = doc.GetInt(s, "Bruta", 0);
    t.cancelled = doc.GetInt(s, "Cancelamentos", 0);
    t.discounts = doc.GetInt(s, "Descontos", 0);
    t.surcharges = doc.GetInt(s, "Acrescimos", 0);
    t.withdrawals = doc.GetInt(s, "Sangrias", 0);
    t.supplies = doc.GetInt(s, "Suprimentos", 0);
    t.taxes = ParseAmounts(doc.Get(s, "Tributos"));
    t.payments = ParseAmounts(doc.Get(s, "Pagamentos"));
}

void WriteTotals(TKeyValueDoc& doc, const std::string& s, const DayTotals& t) {
    doc.SetInt(s, "Bruta", t.gross);
    doc.SetInt(s, "Cancelamentos", t.cancelled);
    doc.SetInt(s, "Descontos", t.discounts);
    doc.SetInt(s, "Acrescimos", t.surcharges);
    doc.SetInt(s, "Sangrias", t.withdrawals);
    doc.SetInt(s, "Suprimentos", t.supplies);
    doc.Set(s, "Tributos", AmountsText(t.taxes));
    doc.Set(s, "Pagamentos", AmountsText(t.payments));
}

std::string Numbered(std::string_view prefix, std::size_t index) {
    return std::string(prefix) + "." + std::to_string(index + 1);
}

void ReadPayments(const TKeyValueDoc& doc, std::string_view prefix, std::vector<Payment>& out) {
    for (std::size_t i = 0; doc.HasSection(Numbered(prefix, i)); ++i) {
        const std::string s = Numbered(prefix, i);
        out.push_back(
            {doc.Get(s, "Forma"), doc.GetInt(s, "Valor", 0), doc.GetInt(s, "Vinculado", 0)});
    }
}

void WritePayments(TKeyValueDoc& doc, std::string_view prefix, const std::vector<Payment>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string s = Numbered(prefix, i);
        doc.Set(s, "Forma", list[i].form);
        doc.SetInt(s, "Valor", list[i].value);
        doc.SetInt(s, "Vinculado", list[i].linked);
    }
}

void ReadItems(const TKeyValueDoc& doc, std::vector<Item>& items) {
    for (std::size_t i = 0; doc.HasSection(Numbered("Item", i)); ++i) {
        const std::string s = Numbered("Item", i);
        Item item;
        item.code = doc.Get(s, "Codigo");
        item.description = doc.Get(s, "Descricao");
        item.tax = doc.Get(s, "Aliquota");
        item.unit = doc.Get(s, "Unidade");
        item.quantityMilli = doc.GetInt(s, "QuantidadeMilesimos", 0);
        item.priceMilli = doc.GetInt(s, "PrecoMilesimos", 0);
        item.gross = doc.GetInt(s, "Bruto", 0);
        item.discount = doc.GetInt(s, "Desconto", 0);
        item.surcharge = doc.GetInt(s, "Acrescimo", 0);
        item.cancelled = doc.GetInt(s, "Cancelado", 0) != 0;
        item.adjusted = doc.GetInt(s, "Ajustado", 0) != 0;
        items.push_back(std::move(item));
    }
}

void WriteItems(TKeyValueDoc& doc, const std::vector<Item>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string s = Numbered("Item", i);
        const Item& item = items[i];
        doc.Set(s, "Codigo", item.code);
        doc.Set(s, "Descricao", item.description);
        doc.Set(s, "Aliquota", item.tax);
        doc.Set(s, "Unidade", item.unit);
        doc.SetInt(s, "QuantidadeMilesimos", item.quantityMilli);
        doc.SetInt(s, "PrecoMilesimos", item.priceMilli);
        doc.SetInt(s, "Bruto", item.gross);
        doc.SetInt(s, "Desconto", item.discount);
        doc.SetInt(s, "Acrescimo", item.surcharge);
        doc.SetInt(s, "Cancelado", item.cancelled);
        doc.SetInt(s, "Ajustado", item.adjusted);
    }
}

template <class E> E EnumIn(long long value, E last) {
    return value >= 0 && value <= static_cast<long long>(last) ? static_cast<E>(value) : E{};
}

void ReadLastZ(const TKeyValueDoc& doc, State& s) {
    const std::string z = "UltimaRZ";
    if (!doc.HasSection(z))
        return;
    LastZ last;
    last.crz = Int(doc, z, "CRZ", 0);
    last.coo = Int(doc, z, "COO", 0);
    last.cro = Int(doc, z, "CRO", 0);
    last.when = ReadMoment(doc, z, "Momento");
    last.movementDay = ReadDay(doc, z, "Movimento");
    last.grandTotal = doc.GetInt(z, "GT", 0);
    ReadTotals(doc, z, last.totals);
    s.lastZ = std::move(last);
}

void WriteLastZ(TKeyValueDoc& doc, const LastZ& last) {
    const std::string z = "UltimaRZ";
    doc.SetInt(z, "CRZ", last.crz);
    doc.SetInt(z, "COO", last.coo);
    doc.SetInt(z, "CRO", last.cro);
    doc.Set(z, "Momento", MomentText(last.when));
    doc.Set(z, "Movimento", DayText(last.movementDay));
    doc.SetInt(z, "GT", last.grandTotal);
    WriteTotals(doc, z, last.totals);
}

} // namespace

Cents State::Subtotal() const {
    Cents sum = 0;
    for (const Item& item : items)
        if (!item.cancelled)
            sum += item.Net();
    return sum;
}

Cents State::Paid() const {
    Cents sum = 0;
    for (const Payment& p : payments)
        sum += p.value;
    return sum;
}

State StateFromDoc(const TKeyValueDoc& doc) {
    State s;
    const std::string prog = "Programacao";
    s.truncates = doc.GetInt(prog, "Truncamento", 0) != 0;
    if (doc.Find(prog, "Aliquotas"))
        s.rates = SplitList(doc.Get(prog, "Aliquotas"));
    if (doc.Find(prog, "FormasPagamento"))
        s.paymentForms = SplitList(doc.Get(prog, "FormasPagamento"));
    if (doc.Find(prog, "Relatorios"))
        s.reports = SplitList(doc.Get(prog, "Relatorios"));
    // A hand-written programming larger than the printer's tables is cut as the printer would
    // store it, so that what a sale accepts and what the tables show never disagree.
    if (s.rates.size() > kMaxRates)
        s.rates.resize(kMaxRates);
    if (s.paymentForms.size() > kMaxPaymentForms)
        s.paymentForms.resize(kMaxPaymentForms);
    for (std::string& form : s.paymentForms)
        if (form.size() > kPaymentNameWidth)
            form.resize(kPaymentNameWidth);

    const std::string cnt = "Contadores";
    s.coo = Int(doc, cnt, "COO", 0);
    s.ccf = Int(doc, cnt, "CCF", 0);
    s.gnf = Int(doc, cnt, "GNF", 0);
    s.grg = Int(doc, cnt, "GRG", 0);
    s.cdc = Int(doc, cnt, "CDC", 0);
    s.crz = Int(doc, cnt, "CRZ", 0);
    s.cro = Int(doc, cnt, "CRO", 1);
    s.cfc = Int(doc, cnt, "CFC", 0);
    s.grandTotal = doc.GetInt(cnt, "GT", 0);

    s.dayOpen = doc.GetInt("Jornada", "Aberta", 0) != 0;
    s.dayDate = ReadDay(doc, "Jornada", "Data");
    s.dayOpenedAt = ReadMoment(doc, "Jornada", "AbertaEm");
    s.dayFirstCoo = Int(doc, "Jornada", "COOAbertura", 0);
    ReadTotals(doc, "Jornada", s.day);
    if (doc.Find("Jornada", "UltimaRZData"))
        s.lastZDay = ReadDay(doc, "Jornada", "UltimaRZData");
    ReadLastZ(doc, s);

    const std::string d = "Documento";
    s.doc = EnumIn(doc.GetInt(d, "Tipo", 0), DocKind::Report);
    s.docCoo = Int(doc, d, "COO", 0);
    s.phase = EnumIn(doc.GetInt(d, "Fase", 0), CouponPhase::Paid);
    s.consumerDoc = doc.Get(d, "ConsumidorDoc");
    s.consumerName = doc.Get(d, "ConsumidorNome");
    s.consumerAddress1 = doc.Get(d, "ConsumidorEndereco1");
    s.consumerAddress2 = doc.Get(d, "ConsumidorEndereco2");
    s.message = doc.Get(d, "Mensagem");
    ReadItems(doc, s.items);
    ReadPayments(doc, "Pagamento", s.payments);

    const std::string u = "UltimoCupom";
    s.lastDocIsCoupon = doc.GetInt(u, "UltimoDocumento", 0) != 0;
    s.lastCouponCoo = Int(doc, u, "COO", 0);
    s.lastCouponCancelled = doc.GetInt(u, "Cancelado", 0) != 0;
    s.lastCouponTotal = doc.GetInt(u, "Total", 0);
    ReadPayments(doc, "UltimoCupomPagamento", s.lastCouponPayments);

    s.drawerClosesAt = ReadMoment(doc, "Gaveta", "FechaEm");
    s.lastError = Int(doc, "UltimoComando", "Erro", 0);
    return s;
}

TKeyValueDoc StateToDoc(const State& s) {
    TKeyValueDoc doc;
    const std::string prog = "Programacao";
    doc.SetInt(prog, "Truncamento", s.truncates);
    doc.Set(prog, "Aliquotas", JoinList(s.rates));
    doc.Set(prog, "FormasPagamento", JoinList(s.paymentForms));
    doc.Set(prog, "Relatorios", JoinList(s.reports));

    const std::string cnt = "Contadores";
    doc.SetInt(cnt, "COO", s.coo);
    doc.SetInt(cnt, "CCF", s.ccf);
    doc.SetInt(cnt, "GNF", s.gnf);
    doc.SetInt(cnt, "GRG", s.grg);
    doc.SetInt(cnt, "CDC", s.cdc);
    doc.SetInt(cnt, "CRZ", s.crz);
    doc.SetInt(cnt, "CRO", s.cro);
    doc.SetInt(cnt, "CFC", s.cfc);
    doc.SetInt(cnt, "GT", s.grandTotal);

    doc.SetInt("Jornada", "Aberta", s.dayOpen);
    doc.Set("Jornada", "Data", DayText(s.dayDate));
    doc.Set("Jornada", "AbertaEm", MomentText(s.dayOpenedAt));
    doc.SetInt("Jornada", "COOAbertura", s.dayFirstCoo);
    WriteTotals(doc, "Jornada", s.day);
    if (s.lastZDay)
        doc.Set("Jornada", "UltimaRZData", DayText(*s.lastZDay));
    if (s.lastZ)
        WriteLastZ(doc, *s.lastZ);

    const std::string d = "Documento";
    doc.SetInt(d, "Tipo", static_cast<int>(s.doc));
    doc.SetInt(d, "COO", s.docCoo);
    doc.SetInt(d, "Fase", static_cast<int>(s.phase));
    doc.Set(d, "ConsumidorDoc", s.consumerDoc);
    doc.Set(d, "ConsumidorNome", s.consumerName);
    doc.Set(d, "ConsumidorEndereco1", s.consumerAddress1);
    doc.Set(d, "ConsumidorEndereco2", s.consumerAddress2);
    doc.Set(d, "Mensagem", s.message);
    WriteItems(doc, s.items);
    WritePayments(doc, "Pagamento", s.payments);

    const std::string u = "UltimoCupom";
    doc.SetInt(u, "UltimoDocumento", s.lastDocIsCoupon);
    doc.SetInt(u, "COO", s.lastCouponCoo);
    doc.SetInt(u, "Cancelado", s.lastCouponCancelled);
    doc.SetInt(u, "Total", s.lastCouponTotal);
    WritePayments(doc, "UltimoCupomPagamento", s.lastCouponPayments);

    doc.Set("Gaveta", "FechaEm", MomentText(s.drawerClosesAt));
    doc.SetInt("UltimoComando", "Erro", s.lastError);
    return doc;
}

} // namespace zelt::printers::epson
