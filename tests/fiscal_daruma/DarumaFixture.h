// The plug-in in front of the stand-in library of FakeDarumaFramework.cpp: the test sets what
// the "printer" answers and reads back the calls it received and the operator messages shown.
#pragma once

#include "platform/rtl/OperatorMessages.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {

std::string BinDir();
// A fresh folder under the system's temporary folder, ending with '/'.
std::string NewTempFolder();

class DarumaTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The library folder the plug-in loads from on its next call.
    void UseLibraryFolder(const std::string& folder);

    void Return(const char* function, int code);
    void ReturnOnce(const char* function, int code);
    void Answer(const char* key, const std::string& text);
    void Int(const char* key, int value);
    void PaperOut() { Int("rConsultaStatusImpressoraInt_ECF_Daruma.8", 1); }

    std::vector<std::string> Journal() const;
    // The journal lines of one function ("name(args)").
    std::vector<std::string> Calls(const std::string& function) const;
    // Keeps the answers and codes set; only the record of calls starts again.
    void ClearJournal();

    // The plug-in's own boxes and the messages package's messages, in order.
    std::vector<std::string> Boxes();
    std::vector<std::string> Mens();
    std::vector<RecordingPresenter::Record> Messages() { return rec_->Records(); }

    std::string temp_;

private:
    ScopedRecordingPresenter rec_;
};

} // namespace zelt
