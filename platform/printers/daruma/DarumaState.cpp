#include "platform/printers/daruma/DarumaState.h"

#include <charconv>

namespace zelt::printers::daruma {

namespace {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        std::size_t end = text.find(';', start);
        std::string piece = text.substr(start, end - start);
        if (!piece.empty())
            out.push_back(piece);
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

std::string DayText(std::int64_t day) {
    return FormatMoment(day * SecondsPerDay, "dd/mm/yyyy");
}

std::int64_t ReadDay(const TKeyValueDoc& doc, std::string_view section, std::string_view key,
                     std::int64_t fallback) {
    const std::string* text = doc.Find(section, key);
    if (!text)
        return fallback;
    auto m = ParseMoment(*text);
    return m ? DayOf(*m) : fallback;
}

Moment ReadMoment(const TKeyValueDoc& doc, std::string_view section, std::string_view key) {
    const std::string* text = doc.Find(section, key);
    if (!text)
        return 0;
    return ParseMoment(*text).value_or(0);
}

std::string MomentText(Moment m) {
    return FormatMoment(m, "dd/mm/yyyy hh:nn:ss");
}

// "T1800:1234;FF:50"
std::string TaxesText(const std::map<std::string, Cents>& taxes) {
    std::string out;
    for (const auto& [tax, value] : taxes)
        out += (out.empty() ? "" : ";") + tax + ":" + std::to_string(value);
    return out;
}

std::map<std::string, Cents> ParseTaxes(const std::string& text) {
    std::map<std::string, Cents> out;
    for (const std::string& piece : SplitList(text)) {
        std::size_t colon = piece.find(':');
        if (colon == std::string::npos)
            continue;
        Cents value = 0;
        const std::string digits = piece.substr(colon + 1);
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        out[piece.substr(0, colon)] = value;
    }
    return out;
}

int Int(const TKeyValueDoc& doc, std::string_view section, std::string_view key, int fallback) {
    return static_cast<int>(doc.GetInt(section, key, fallback));
}

std::string Numbered(std::string_view prefix, std::size_t index) {
    return std::string(prefix) + "." + std::to_string(index + 1);
}

void ReadPayments(const TKeyValueDoc& doc, std::string_view prefix, std::vector<Payment>& out) {
    for (std::size_t i = 0; doc.HasSection(Numbered(prefix, i)); ++i) {
        const std::string section = Numbered(prefix, i);
        out.push_back({doc.Get(section, "Forma"), doc.GetInt(section, "Valor", 0),
                       doc.GetInt(section, "Vinculado", 0)});
    }
}

void WritePayments(TKeyValueDoc& doc, std::string_view prefix, const std::vector<Payment>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string section = Numbered(prefix, i);
        doc.Set(section, "Forma", list[i].form);
        doc.SetInt(section, "Valor", list[i].value);
        doc.SetInt(section, "Vinculado", list[i].linked);
    }
}

void ReadDayTotals(const TKeyValueDoc& doc, DayTotals& day) {
    day.gross = doc.GetInt("Dia", "Bruta", 0);
    day.cancelled = doc.GetInt("Dia", "Cancelamentos", 0);
    day.discounts = doc.GetInt("Dia", "Descontos", 0);
    day.surcharges = doc.GetInt("Dia", "Acrescimos", 0);
    day.withdrawals = doc.GetInt("Dia", "Sangrias", 0);
    day.supplies = doc.GetInt("Dia", "Suprimentos", 0);
    day.taxes = ParseTaxes(doc.Get("Dia", "Tributos"));
}

void WriteDayTotals(TKeyValueDoc& doc, const DayTotals& day) {
    doc.SetInt("Dia", "Bruta", day.gross);
    doc.SetInt("Dia", "Cancelamentos", day.cancelled);
    doc.SetInt("Dia", "Descontos", day.discounts);
    doc.SetInt("Dia", "Acrescimos", day.surcharges);
    doc.SetInt("Dia", "Sangrias", day.withdrawals);
    doc.SetInt("Dia", "Suprimentos", day.supplies);
    doc.Set("Dia", "Tributos", TaxesText(day.taxes));
}

void ReadItems(const TKeyValueDoc& doc, std::vector<Item>& items) {
    for (std::size_t i = 0; doc.HasSection(Numbered("Item", i)); ++i) {
        const std::string s = Numbered("Item", i);
        Item item;
        item.number = static_cast<int>(i + 1);
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

void ReadFiscalMemory(const TKeyValueDoc& doc, std::vector<ZRecord>& memory) {
    for (std::size_t i = 0; doc.HasSection(Numbered("MemoriaFiscal", i)); ++i) {
        const std::string s = Numbered("MemoriaFiscal", i);
        ZRecord z;
        z.crz = Int(doc, s, "CRZ", 0);
        z.coo = Int(doc, s, "COO", 0);
        z.movementDay = ReadDay(doc, s, "Movimento", 0);
        z.when = ReadMoment(doc, s, "Momento");
        z.grandTotal = doc.GetInt(s, "GT", 0);
        z.gross = doc.GetInt(s, "Bruta", 0);
        z.cancelled = doc.GetInt(s, "Cancelamentos", 0);
        z.discounts = doc.GetInt(s, "Descontos", 0);
        z.surcharges = doc.GetInt(s, "Acrescimos", 0);
        z.withdrawals = doc.GetInt(s, "Sangrias", 0);
        z.supplies = doc.GetInt(s, "Suprimentos", 0);
        z.taxes = ParseTaxes(doc.Get(s, "Tributos"));
        memory.push_back(std::move(z));
    }
}

void WriteFiscalMemory(TKeyValueDoc& doc, const std::vector<ZRecord>& memory) {
    for (std::size_t i = 0; i < memory.size(); ++i) {
        const std::string s = Numbered("MemoriaFiscal", i);
        const ZRecord& z = memory[i];
        doc.SetInt(s, "CRZ", z.crz);
        doc.SetInt(s, "COO", z.coo);
        doc.Set(s, "Movimento", DayText(z.movementDay));
        doc.Set(s, "Momento", MomentText(z.when));
        doc.SetInt(s, "GT", z.grandTotal);
        doc.SetInt(s, "Bruta", z.gross);
        doc.SetInt(s, "Cancelamentos", z.cancelled);
        doc.SetInt(s, "Descontos", z.discounts);
        doc.SetInt(s, "Acrescimos", z.surcharges);
        doc.SetInt(s, "Sangrias", z.withdrawals);
        doc.SetInt(s, "Suprimentos", z.supplies);
        doc.Set(s, "Tributos", TaxesText(z.taxes));
    }
}

template <class E> E EnumIn(long long value, E last) {
    return value >= 0 && value <= static_cast<long long>(last) ? static_cast<E>(value) : E{};
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
    s.model = doc.Get(prog, "Modelo", s.model);
    s.truncates = doc.GetInt(prog, "Truncamento", s.truncates) != 0;
    if (doc.Find(prog, "Cabecalho")) {
        s.header.clear();
        std::string text = doc.Get(prog, "Cabecalho");
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            s.header.push_back(text.substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    if (doc.Find(prog, "Aliquotas"))
        s.rates = SplitList(doc.Get(prog, "Aliquotas"));
    if (doc.Find(prog, "FormasPagamento"))
        s.paymentForms = SplitList(doc.Get(prog, "FormasPagamento"));
    if (doc.Find(prog, "Relatorios"))
        s.reports = SplitList(doc.Get(prog, "Relatorios"));
    if (const auto* registry = doc.Section("Registro"))
        for (const auto& [key, value] : *registry)
            s.registry[key] = value;

    const std::string cnt = "Contadores";
    s.coo = Int(doc, cnt, "COO", 0);
    s.ccf = Int(doc, cnt, "CCF", 0);
    s.gnf = Int(doc, cnt, "GNF", 0);
    s.grg = Int(doc, cnt, "GRG", 0);
    s.cdc = Int(doc, cnt, "CDC", 0);
    s.crz = Int(doc, cnt, "CRZ", 0);
    s.cro = Int(doc, cnt, "CRO", 1);
    s.cancelledCoupons = Int(doc, cnt, "CCC", 0);
    s.grandTotal = doc.GetInt(cnt, "GT", 0);

    s.dayOpen = doc.GetInt("Dia", "Aberto", 0) != 0;
    s.dayDate = ReadDay(doc, "Dia", "Data", 0);
    ReadDayTotals(doc, s.day);
    if (doc.Find("Dia", "UltimaReducaoZ"))
        s.lastZDay = ReadDay(doc, "Dia", "UltimaReducaoZ", 0);
    s.lastZMoment = ReadMoment(doc, "Dia", "UltimaReducaoZMomento");

    const std::string d = "Documento";
    s.doc = EnumIn(doc.GetInt(d, "Tipo", 0), DocKind::Report);
    s.docCoo = Int(doc, d, "COO", 0);
    s.phase = EnumIn(doc.GetInt(d, "Fase", 0), CouponPhase::Paid);
    s.subtotalDiscount = doc.GetInt(d, "DescontoSubtotal", 0);
    s.subtotalSurcharge = doc.GetInt(d, "AcrescimoSubtotal", 0);
    s.reportName = doc.Get(d, "Relatorio");
    ReadItems(doc, s.items);
    ReadPayments(doc, "Pagamento", s.payments);

    s.lastDocIsCoupon = doc.GetInt("UltimoCupom", "UltimoDocumento", 0) != 0;
    s.lastCouponCoo = Int(doc, "UltimoCupom", "COO", 0);
    s.lastCouponTotal = doc.GetInt("UltimoCupom", "Total", 0);
    ReadPayments(doc, "UltimoCupomPagamento", s.lastCouponPayments);

    s.drawerClosesAt = ReadMoment(doc, "Gaveta", "FechaEm");
    s.lastError = Int(doc, "UltimoComando", "Erro", 0);
    ReadFiscalMemory(doc, s.fiscalMemory);
    return s;
}

TKeyValueDoc StateToDoc(const State& s) {
    TKeyValueDoc doc;
    const std::string prog = "Programacao";
    doc.Set(prog, "Modelo", s.model);
    doc.SetInt(prog, "Truncamento", s.truncates);
    std::string header;
    for (const std::string& line : s.header)
        header += (header.empty() ? "" : "\n") + line;
    doc.Set(prog, "Cabecalho", header);
    doc.Set(prog, "Aliquotas", JoinList(s.rates));
    doc.Set(prog, "FormasPagamento", JoinList(s.paymentForms));
    doc.Set(prog, "Relatorios", JoinList(s.reports));
    for (const auto& [key, value] : s.registry)
        doc.Set("Registro", key, value);

    const std::string cnt = "Contadores";
    doc.SetInt(cnt, "COO", s.coo);
    doc.SetInt(cnt, "CCF", s.ccf);
    doc.SetInt(cnt, "GNF", s.gnf);
    doc.SetInt(cnt, "GRG", s.grg);
    doc.SetInt(cnt, "CDC", s.cdc);
    doc.SetInt(cnt, "CRZ", s.crz);
    doc.SetInt(cnt, "CRO", s.cro);
    doc.SetInt(cnt, "CCC", s.cancelledCoupons);
    doc.SetInt(cnt, "GT", s.grandTotal);

    doc.SetInt("Dia", "Aberto", s.dayOpen);
    doc.Set("Dia", "Data", DayText(s.dayDate));
    WriteDayTotals(doc, s.day);
    if (s.lastZDay)
        doc.Set("Dia", "UltimaReducaoZ", DayText(*s.lastZDay));
    doc.Set("Dia", "UltimaReducaoZMomento", MomentText(s.lastZMoment));

    const std::string d = "Documento";
    doc.SetInt(d, "Tipo", static_cast<int>(s.doc));
    doc.SetInt(d, "COO", s.docCoo);
    doc.SetInt(d, "Fase", static_cast<int>(s.phase));
    doc.SetInt(d, "DescontoSubtotal", s.subtotalDiscount);
    doc.SetInt(d, "AcrescimoSubtotal", s.subtotalSurcharge);
    doc.Set(d, "Relatorio", s.reportName);
    WriteItems(doc, s.items);
    WritePayments(doc, "Pagamento", s.payments);

    doc.SetInt("UltimoCupom", "UltimoDocumento", s.lastDocIsCoupon);
    doc.SetInt("UltimoCupom", "COO", s.lastCouponCoo);
    doc.SetInt("UltimoCupom", "Total", s.lastCouponTotal);
    WritePayments(doc, "UltimoCupomPagamento", s.lastCouponPayments);

    doc.Set("Gaveta", "FechaEm", MomentText(s.drawerClosesAt));
    doc.SetInt("UltimoComando", "Erro", s.lastError);
    WriteFiscalMemory(doc, s.fiscalMemory);
    return doc;
}

} // namespace zelt::printers::daruma
