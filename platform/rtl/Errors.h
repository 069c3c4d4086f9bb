// The platform's error classes. Several messages of the system print "class name: message", so
// every class reports the name the shops know from the original runtime.
#pragma once

#include "platform/rtl/Export.h"

#include <exception>
#include <string>

namespace zelt {

class ZELT_EXPORT Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    ~Exception() override;
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    virtual const char* ClassName() const noexcept { return "Exception"; }
    // "ClassName: Message", the form the system's failure reports use.
    std::string ClassAndMessage() const;

private:
    std::string message_;
};

#define ZELT_DECLARE_ERROR(Name, Base)                                                             \
    class ZELT_EXPORT Name : public Base {                                                         \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const noexcept override { return #Name; }                          \
    }

// A failed file operation; ErrorCode is the operating system's errno.
class ZELT_EXPORT EInOutError : public Exception {
public:
    EInOutError(std::string message, int errorCode)
        : Exception(std::move(message)), errorCode_(errorCode) {}
    const char* ClassName() const noexcept override { return "EInOutError"; }
    int ErrorCode() const noexcept { return errorCode_; }
    // Builds the error for `what` failing on `path` with errno `code`: "<what> '<path>': <text>".
    static EInOutError FromErrno(const std::string& what, const std::string& path, int code);

private:
    int errorCode_;
};

// An operating-system call other than file I/O failed.
class ZELT_EXPORT EOSError : public Exception {
public:
    EOSError(std::string message, int errorCode)
        : Exception(std::move(message)), errorCode_(errorCode) {}
    const char* ClassName() const noexcept override { return "EOSError"; }
    int ErrorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

ZELT_DECLARE_ERROR(EConvertError, Exception);
ZELT_DECLARE_ERROR(EListError, Exception);
ZELT_DECLARE_ERROR(EStringListError, Exception);
ZELT_DECLARE_ERROR(EDatabaseError, Exception);
ZELT_DECLARE_ERROR(EStreamError, Exception);
ZELT_DECLARE_ERROR(EFOpenError, EStreamError);
ZELT_DECLARE_ERROR(EFCreateError, EStreamError);
ZELT_DECLARE_ERROR(EInvalidOperation, Exception);
ZELT_DECLARE_ERROR(EArgumentError, Exception);
// Floating-point faults: a value that fits no integer (Round, Trunc), a division by zero.
ZELT_DECLARE_ERROR(EMathError, Exception);
ZELT_DECLARE_ERROR(EInvalidOp, EMathError);
ZELT_DECLARE_ERROR(EZeroDivide, EMathError);
ZELT_DECLARE_ERROR(EOverflow, EMathError);

} // namespace zelt
