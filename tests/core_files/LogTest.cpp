#include "core/files/UArqLogManager.h"
#include "core/files/ULigLog.h"
#include "platform/rtl/Errors.h"
#include "tests/core_files/FilesFixture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace zelt {
namespace {

using testing::FilesFixture;

TDateTime At(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
    return EncodeDateTime(year, month, day, hour, minute, second, ms);
}

// --- TArqLogManager -------------------------------------------------------------------------

struct ManagerCase {
    const char* what;
    void (*write)(const std::string&, const std::string&, const std::string&);
    const char* folder; // below the test folder
    const char* name;
    const char* file; // below the test folder
};

class LogManager : public FilesFixture, public ::testing::WithParamInterface<ManagerCase> {};

TEST_P(LogManager, AppendsOneStampedLinePerCall) {
    const ManagerCase& c = GetParam();
    FixClock(At(2024, 3, 5, 7, 8, 9, 45));
    c.write(Pasta() + c.folder, c.name, "primeira");
    FixClock(At(2024, 3, 5, 7, 59, 0, 7));
    c.write(Pasta() + c.folder, c.name, "segunda;com ponto e virgula");
    EXPECT_EQ(ReadBytes(Pasta() + c.file),
              "05/03/2024 07:08:09.045;primeira\r\n"
              "05/03/2024 07:59:00.007;segunda;com ponto e virgula\r\n");
}

// The folder must end in the delimiter: none is added, so a folder without it runs into the next
// part of the name.
INSTANTIATE_TEST_SUITE_P(
    Files, LogManager,
    ::testing::Values(ManagerCase{"Hourly", &TArqLogManager::EscrevaLogHoraAtual, "Log/Vendas/",
                                  "Vendas", "Log/Vendas/Vendas 2024-03-05-07.txt"},
                      ManagerCase{"HourlyEmptyName", &TArqLogManager::EscrevaLogHoraAtual, "Log/",
                                  "", "Log/2024-03-05-07.txt"},
                      ManagerCase{"HourlyNoDelimiter", &TArqLogManager::EscrevaLogHoraAtual, "Log",
                                  "Vendas", "LogVendas 2024-03-05-07.txt"},
                      ManagerCase{"Daily", &TArqLogManager::EscrevaLogHoraAtualNoDia, "Log/",
                                  "Vendas", "Log/2024/03/05/Vendas 2024-03-05-07.txt"},
                      ManagerCase{"DailyNoDelimiter", &TArqLogManager::EscrevaLogHoraAtualNoDia,
                                  "Log", "Vendas", "Log2024/03/05/Vendas 2024-03-05-07.txt"}),
    [](const auto& info) { return info.param.what; });

class LogManagerFiles : public FilesFixture {};

TEST_F(LogManagerFiles, TheLineFollowsTheRegionalSeparators) {
    FormatSettings().DateSeparator = '-';
    FormatSettings().TimeSeparator = '.';
    FixClock(At(2024, 3, 5, 7, 8, 9, 45));
    TArqLogManager::EscrevaLogHoraAtualNoDia(Pasta(), "Vendas", "x");
    EXPECT_EQ(ReadBytes(Pasta() + "2024/03/05/Vendas 2024-03-05-07.txt"),
              "05-03-2024 07.08.09.045;x\r\n");
}

TEST_F(LogManagerFiles, AFolderThatCannotBeMadeRaises) {
    WriteBytes(Pasta() + "plain", "x");
    FixClock(At(2024, 3, 5, 7, 8, 9));
    EXPECT_THROW(TArqLogManager::EscrevaLogHoraAtualNoDia(Pasta() + "plain/", "Vendas", "x"),
                 EInOutError);
}

// --- TLigLog --------------------------------------------------------------------------------

// The test program's own name, as the run log reduces it.
const std::string kPrograma = "core_files_tests";

class RunLog : public FilesFixture {
protected:
    std::string Base() const { return Pasta() + "Zelt/"; }
    std::string Month(const char* yyyymm) const { return Base() + "Log/Lig/" + yyyymm + "/"; }
    std::string RunFile(const char* yyyymm, const char* day) const {
        return Month(yyyymm) + "Log Lig " + day + " " + kPrograma + ".txt";
    }
    std::string ErrFile(const char* yyyymm, const char* kind, const char* day) const {
        return Month(yyyymm) + "Log Lig Err " + kind + " " + day + " " + kPrograma + ".txt";
    }
    // A whole run of the program: opened at one moment, closed at another.
    void Run(TDateTime opened, TDateTime closed) {
        FixClock(opened);
        auto log = std::make_unique<TLigLog>(Base(), true);
        FixClock(closed);
        log.reset();
    }
    void OpenOnly(TDateTime opened) {
        FixClock(opened);
        TLigLog(Base(), false).EscrevaAbriu();
    }
    void CloseOnly(TDateTime closed) {
        FixClock(closed);
        TLigLog(Base(), false).EscrevaFechando();
    }
};

TEST_F(RunLog, FillsItsFieldsFromTheBaseFolderAndTheProgram) {
    TLigLog log(Pasta() + "Zelt", false);
    EXPECT_FALSE(log.GetInativo());
    EXPECT_FALSE(log.GetAutomatico());
    EXPECT_EQ(log.GetPastaBase(), Base());
    EXPECT_EQ(log.GetPastaLog(), Base() + "Log/Lig/");
    EXPECT_EQ(log.GetNomePrograma(), kPrograma);
    EXPECT_FALSE(Exists(Base())); // nothing written without automatico
}

TEST_F(RunLog, NamesItsFilesAndStamps) {
    TLigLog log(Base(), false);
    const TDateTime dia = At(2024, 3, 5, 0, 0, 0);
    EXPECT_EQ(log.GetPastaDoDia(dia), Month("2024/03"));
    EXPECT_EQ(log.GetArqDoDia(dia), "Log Lig 2024-03-05 " + kPrograma + ".txt");
    EXPECT_EQ(log.GetArqErrDoDia("Abr", dia), "Log Lig Err Abr 2024-03-05 " + kPrograma + ".txt");
    EXPECT_EQ(log.GetAgoraStr(At(2024, 3, 5, 7, 8, 9, 45)), "05/03/2024 07:08:09,045");

    FixClock(At(2024, 12, 31, 23, 59, 59, 999));
    EXPECT_EQ(log.GetAgoraStr(), "31/12/2024 23:59:59,999");
    EXPECT_EQ(log.GetPastaDoDia(), Month("2024/12"));
    EXPECT_EQ(log.GetArqDoDia(), "Log Lig 2024-12-31 " + kPrograma + ".txt");
    EXPECT_EQ(log.GetArqErrDoDia("Fec"), "Log Lig Err Fec 2024-12-31 " + kPrograma + ".txt");
}

// The stamp follows the workstation; the folders and names never do.
TEST_F(RunLog, OnlyTheStampFollowsTheRegionalSeparators) {
    FormatSettings().DateSeparator = '-';
    FormatSettings().TimeSeparator = '.';
    TLigLog log(Base(), false);
    const TDateTime momento = At(2024, 3, 5, 7, 8, 9, 45);
    EXPECT_EQ(log.GetAgoraStr(momento), "05-03-2024 07.08.09,045");
    EXPECT_EQ(log.GetPastaDoDia(momento), Month("2024/03"));
    EXPECT_EQ(log.GetArqDoDia(momento), "Log Lig 2024-03-05 " + kPrograma + ".txt");
}

TEST_F(RunLog, FirstStartOfTheDayCreatesTheFileWithTheOpeningAlone) {
    FixClock(At(2024, 3, 5, 7, 8, 9, 45));
    TLigLog log(Base(), true);
    EXPECT_EQ(ReadBytes(RunFile("2024/03", "2024-03-05")), "05/03/2024 07:08:09,045");
    EXPECT_FALSE(Exists(ErrFile("2024/03", "Abr", "2024-03-05")));
}

TEST_F(RunLog, NormalRunsShareTheDaysFileOneLineEach) {
    Run(At(2024, 3, 5, 7, 0, 0), At(2024, 3, 5, 7, 30, 0, 5));
    Run(At(2024, 3, 5, 8, 0, 0), At(2024, 3, 5, 9, 0, 0));
    EXPECT_EQ(ReadBytes(RunFile("2024/03", "2024-03-05")),
              "05/03/2024 07:00:00,000;05/03/2024 07:30:00,005\r\n"
              "05/03/2024 08:00:00,000;05/03/2024 09:00:00,000");
    EXPECT_FALSE(Exists(ErrFile("2024/03", "Abr", "2024-03-05")));
    EXPECT_FALSE(Exists(ErrFile("2024/03", "Fec", "2024-03-05")));
}

TEST_F(RunLog, AStartAfterACrashIsRecordedAndGetsANewLine) {
    OpenOnly(At(2024, 3, 5, 8, 0, 0));
    Run(At(2024, 3, 5, 9, 0, 0, 1), At(2024, 3, 5, 10, 0, 0));
    EXPECT_EQ(ReadBytes(RunFile("2024/03", "2024-03-05")),
              "05/03/2024 08:00:00,000\r\n"
              "05/03/2024 09:00:00,001;05/03/2024 10:00:00,000");
    EXPECT_EQ(ReadBytes(ErrFile("2024/03", "Abr", "2024-03-05")),
              "05/03/2024 09:00:00,001;na linha acima nao tinha fech;" +
                  RunFile("2024/03", "2024-03-05") + "\r\n");
    EXPECT_FALSE(Exists(ErrFile("2024/03", "Fec", "2024-03-05")));
}

TEST_F(RunLog, TwoCrashesInARowAddTwoErrorLines) {
    OpenOnly(At(2024, 3, 5, 8, 0, 0));
    OpenOnly(At(2024, 3, 5, 8, 1, 0));
    OpenOnly(At(2024, 3, 5, 8, 2, 0));
    const std::string run = RunFile("2024/03", "2024-03-05");
    EXPECT_EQ(ReadBytes(run), "05/03/2024 08:00:00,000\r\n05/03/2024 08:01:00,000\r\n"
                              "05/03/2024 08:02:00,000");
    EXPECT_EQ(ReadBytes(ErrFile("2024/03", "Abr", "2024-03-05")),
              "05/03/2024 08:01:00,000;na linha acima nao tinha fech;" + run + "\r\n" +
                  "05/03/2024 08:02:00,000;na linha acima nao tinha fech;" + run + "\r\n");
}

// Opened before midnight, closed after it, across a month: the closing goes to the next day's
// file, in the next month's folder, which did not exist.
TEST_F(RunLog, AClosingAfterMidnightStartsTheNextDaysFile) {
    Run(At(2024, 3, 31, 23, 59, 0), At(2024, 4, 1, 0, 1, 0, 250));
    EXPECT_EQ(ReadBytes(RunFile("2024/03", "2024-03-31")), "31/03/2024 23:59:00,000");
    const std::string next = RunFile("2024/04", "2024-04-01");
    EXPECT_EQ(ReadBytes(next), ";01/04/2024 00:01:00,250");
    EXPECT_EQ(ReadBytes(ErrFile("2024/04", "Fec", "2024-04-01")),
              "01/04/2024 00:01:00,250;nao existia arquivo;" + next + "\r\n");
    EXPECT_FALSE(Exists(ErrFile("2024/03", "Fec", "2024-03-31")));
}

TEST_F(RunLog, ASecondClosingIsALineOfItsOwnWithAnEmptyOpening) {
    Run(At(2024, 3, 5, 7, 0, 0), At(2024, 3, 5, 8, 0, 0));
    CloseOnly(At(2024, 3, 5, 9, 0, 0));
    const std::string run = RunFile("2024/03", "2024-03-05");
    EXPECT_EQ(ReadBytes(run), "05/03/2024 07:00:00,000;05/03/2024 08:00:00,000\r\n"
                              ";05/03/2024 09:00:00,000");
    EXPECT_EQ(ReadBytes(ErrFile("2024/03", "Fec", "2024-03-05")),
              "05/03/2024 09:00:00,000;tinha ja fech e nao abertura;" + run + "\r\n");
    // The next start sees a closed last line: no complaint.
    OpenOnly(At(2024, 3, 5, 10, 0, 0));
    EXPECT_FALSE(Exists(ErrFile("2024/03", "Abr", "2024-03-05")));
}

TEST_F(RunLog, UnderTheDevelopmentEnvironmentNothingIsWritten) {
    ::setenv("ZELT_DEV", "1", 1);
    FixClock(At(2024, 3, 5, 7, 0, 0));
    {
        TLigLog log(Base(), true);
        EXPECT_TRUE(log.GetInativo());
        EXPECT_EQ(log.GetPastaBase(), "");
        EXPECT_EQ(log.GetPastaLog(), "");
        EXPECT_EQ(log.GetNomePrograma(), "");
        log.EscrevaAbriu();
        log.EscrevaFechando();
    }
    EXPECT_FALSE(Exists(Base()));
}

TEST_F(RunLog, FileErrorsReachTheCaller) {
    WriteBytes(Pasta() + "plain", "x");
    FixClock(At(2024, 3, 5, 7, 0, 0));
    EXPECT_THROW(TLigLog(Pasta() + "plain", true), EInOutError);
    TLigLog manual(Pasta() + "plain", false);
    EXPECT_THROW(manual.EscrevaFechando(), EInOutError);
}

} // namespace
} // namespace zelt
