// What a package's C boundary keeps for each calling thread: the texts it handed out and the
// text of the error that ended the last call. Each package holds its own instance
// (`thread_local zelt::ExportBoundary boundary;` in its exports unit), so every package answers
// its own "last error" export.
#pragma once

#include "platform/rtl/Errors.h"

#include <deque>
#include <exception>
#include <string>
#include <utility>

namespace zelt {

class ExportBoundary {
public:
    // A null text reads as empty.
    static std::string In(const char* text) { return text ? std::string(text) : std::string(); }

    // Texts handed out stay valid until the thread's next call into the package has finished.
    const char* Out(std::string text) {
        outs_.push_back(std::move(text));
        return outs_.back().c_str();
    }
    void OutTo(const char** target, std::string text) {
        if (target)
            *target = Out(std::move(text));
    }

    // "ClassName: message" of the error that ended the last call, empty after a call that ended
    // normally.
    const char* LastError() const { return lastError_.c_str(); }

    // Runs one operation; an exception becomes `failure` and the last error. The previous call's
    // texts live until this call is over, so a host may pass one of them back in.
    template <class F> auto Guard(decltype(std::declval<F>()()) failure, F&& operation) noexcept {
        Call call(*this);
        try {
            return operation();
        } catch (const std::exception& e) {
            Record(e);
        } catch (...) {
            lastError_ = "Exception: unknown error";
        }
        return failure;
    }

    template <class F> void GuardVoid(F&& operation) noexcept {
        Call call(*this);
        try {
            operation();
        } catch (const std::exception& e) {
            Record(e);
        } catch (...) {
            lastError_ = "Exception: unknown error";
        }
    }

private:
    // Keeps the previous call's texts alive for the length of one call.
    struct Call {
        explicit Call(ExportBoundary& b) {
            previous.swap(b.outs_);
            b.lastError_.clear();
        }
        std::deque<std::string> previous;
    };

    void Record(const std::exception& e) {
        if (const auto* z = dynamic_cast<const Exception*>(&e))
            lastError_ = z->ClassAndMessage();
        else
            lastError_ = std::string("Exception: ") + e.what();
    }

    std::deque<std::string> outs_;
    std::string lastError_;
};

} // namespace zelt
