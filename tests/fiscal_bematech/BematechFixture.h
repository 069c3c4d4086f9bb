// The package in front of the library emulator (or of no library at all), with a pseudo-terminal
// standing for the printer's port where the drawer bytes must arrive.
#pragma once

#include "platform/rtl/OperatorMessages.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {

using Bytes = std::vector<unsigned char>;
using Lines = std::vector<std::string>;

std::string BinDir();
// A fresh folder under the system's temporary folder, ending with '/'.
std::string NewTempFolder();
std::string ReadAll(const std::string& path);
Lines ReadLines(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

// A pseudo-terminal in raw mode: the package writes to SlavePath() as to a serial port, the test
// reads what arrived from the master side. The slave side is held open too, so that what was
// written stays readable after the writer closed its end.
class TPseudoTerminal {
public:
    TPseudoTerminal();
    ~TPseudoTerminal();
    TPseudoTerminal(const TPseudoTerminal&) = delete;
    TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    // Everything that arrives until `expected` bytes are in, then whatever follows within a
    // short grace period (so that extra bytes show up), or until two seconds pass.
    Bytes Read(std::size_t expected);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// Hexadecimal pairs separated by blanks, for readable failures.
std::string Hex(const Bytes& bytes);
Bytes BytesOf(const std::string& text);

class BematechTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // ecfplugtexto.ini in the folder the package reads it from.
    void WriteIni(const std::string& content);
    // The library folder the package loads from on its next call.
    void UseLibraryFolder(const std::string& folder);
    void WriteFaults(const std::string& content);
    void WriteState(const std::string& content);

    Lines Journal() const { return ReadLines(temp_ + "journal.txt"); }
    std::string Tape() const { return ReadAll(temp_ + "bobina.txt"); }
    std::string State() const { return ReadAll(temp_ + "state.ini"); }
    std::vector<std::string> Boxes() { return rec_->Texts(MessageKind::Error); }
    std::vector<RecordingPresenter::Record> Messages() { return rec_->Records(); }
    static std::string LastError();

    std::string temp_;

private:
    ScopedRecordingPresenter rec_;
};

} // namespace zelt
