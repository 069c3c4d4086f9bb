#include "platform/rtl/Errors.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace zelt {
namespace {

TEST(Errors, ClassAndMessageUsesTheMostDerivedClassName) {
    struct Case {
        const Exception& error;
        const char* expected;
    };
    const Exception base("plain");
    const EConvertError convert("'x' is not a valid integer value");
    const EFOpenError open("cannot open");
    const EInvalidOp invalid("Invalid floating point operation");
    const EOSError os("spawn failed", ENOENT);
    const Case cases[] = {
        {base, "Exception: plain"},
        {convert, "EConvertError: 'x' is not a valid integer value"},
        {open, "EFOpenError: cannot open"},
        {invalid, "EInvalidOp: Invalid floating point operation"},
        {os, "EOSError: spawn failed"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error.ClassAndMessage(), c.expected);
        EXPECT_STREQ(c.error.what(), c.error.Message().c_str());
    }
}

TEST(Errors, HierarchyLetsCallersCatchTheBase) {
    try {
        throw EFCreateError("disk full");
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.ClassName(), "EFCreateError");
    }
    try {
        throw EZeroDivide("Floating point division by zero");
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.ClassName(), "EZeroDivide");
    }
}

TEST(Errors, InOutErrorFromErrnoCarriesCodeAndSystemText) {
    const EInOutError e = EInOutError::FromErrno("Cannot open file", "/no/such/file.txt", ENOENT);
    EXPECT_EQ(e.ErrorCode(), ENOENT);
    EXPECT_EQ(e.Message(),
              std::string("Cannot open file '/no/such/file.txt': ") + std::strerror(ENOENT));
    EXPECT_EQ(e.ClassAndMessage().rfind("EInOutError: Cannot open file '", 0), 0u);
}

} // namespace
} // namespace zelt
