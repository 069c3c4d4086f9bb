// A fiscal printer as the point of sale drives it: the maker's plug-in loaded by file name in
// front of the maker's emulated library, whose state, paper tape and call journal live in a
// folder of the shop, so that one step after another (separate runs) meets the same printer.
#pragma once

#include "hosts/zelt/Package.h"
#include "hosts/zelt/Shop.h"

#include <string>
#include <vector>

namespace zelt::host {

struct Payment {
    std::string forma; // "Dinheiro", "Cartao"
    double valor = 0;
};

struct Consumer {
    std::string nome, cpf, endereco;
};

class FiscalPrinter {
public:
    // `printer` is "daruma" or "epson"; the emulator's files go to `folder`. Raises
    // std::runtime_error for an unknown printer or a plug-in that cannot be loaded.
    FiscalPrinter(const std::string& printer, const std::string& packagesDir,
                  const std::string& folder);
    ~FiscalPrinter();
    FiscalPrinter(const FiscalPrinter&) = delete;
    FiscalPrinter& operator=(const FiscalPrinter&) = delete;

    // Every operation raises std::runtime_error, with the operator messages the plug-in
    // showed, when the printer refuses.
    void Start();
    // The whole coupon; answers its COO.
    int32_t Coupon(const std::vector<SaleItem>& items, const std::vector<Payment>& payments,
                   const Consumer& consumer, const std::string& message);
    void LinkedReceipt(const Payment& payment, int32_t coo, const std::string& text);
    void ReadingX();
    void ReductionZ();
    std::string Status();

    std::string TapePath() const { return folder_ + "bobina.txt"; }
    std::string JournalPath() const { return folder_ + "journal.txt"; }
    // The operator messages shown since the last call that succeeded.
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    [[noreturn]] void Refused(const std::string& what);
    void Check(bool ok, const std::string& what);

    std::string printer_;
    std::string folder_;
    Package plugin_;
    std::vector<std::string> messages_;
};

std::string MoneyText(double value); // "12,34"

} // namespace zelt::host
