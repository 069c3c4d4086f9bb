// The plug-in in front of the stand-in library of FakeInterfaceEpson.cpp: the test sets what the
// "printer" answers and reads back the calls it received and the operator messages shown.
#pragma once

#include "platform/rtl/OperatorMessages.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {

std::string BinDir();

class EpsonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The library folder the plug-in loads from on its next call.
    void UseLibraryFolder(const std::string& folder);

    void Return(const char* function, int code);
    void ReturnOnce(const char* function, int code);
    void Answer(const char* key, const std::string& text);
    // The status query's four answers.
    void PrinterState(const std::string& impressora, const std::string& fiscal = "0000000000000000",
                      const std::string& retorno = "0000", const std::string& mensagem = "");

    std::vector<std::string> Journal() const;
    // The journal lines of one function ("name(args)").
    std::vector<std::string> Calls(const std::string& function) const;
    void ClearJournal();

    // The plug-in's own message boxes, in order.
    std::vector<std::string> Boxes();
    std::vector<RecordingPresenter::Record> Messages() { return rec_->Records(); }

private:
    ScopedRecordingPresenter rec_;
};

} // namespace zelt
