// A fresh folder for every test, a clock the test sets, the Brazilian regional settings, and the
// development-environment switch off, all restored afterwards.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::testing {

class FilesFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The test's folder, ending in '/'.
    const std::string& Pasta() const { return pasta_; }

    // Every reading of the clock gives this moment until the next call.
    void FixClock(TDateTime moment);
    // Each reading of the clock takes the next moment of the list (the last one repeats).
    void ClockSequence(std::vector<TDateTime> moments);
    int ClockReadings() const { return *readings_; }

    static std::string ReadBytes(const std::string& name);
    static void WriteBytes(const std::string& name, std::string_view bytes);
    static bool Exists(const std::string& name);
    static bool IsDirectory(const std::string& name);
    // Descriptors the process holds, to show that nothing leaks.
    static int OpenDescriptors();

private:
    std::string pasta_;
    std::optional<std::string> savedDev_;
    TFormatSettings savedSettings_;
    std::shared_ptr<int> readings_ = std::make_shared<int>(0);
};

} // namespace zelt::testing
