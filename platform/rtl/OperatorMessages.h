// The one process-wide channel through which the system talks to the operator: modal error,
// information and question boxes, and the status text of long waits. The presenter is pluggable:
// standard error by default, a Qt box in a Qt application, a recorder in tests, or the host's own
// through the C export of include/zelt/messages.h.
#pragma once

#include "platform/rtl/Export.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zelt {

enum class MessageKind { Error = 0, Information = 1, Question = 2, Status = 3 };

class ZELT_EXPORT MessagePresenter {
public:
    virtual ~MessagePresenter();
    // Returns the answer to a question (true = yes); ignored for the other kinds. A Status text
    // replaces the shown status; an empty one clears it.
    virtual bool Present(MessageKind kind, const std::string& text, const std::string& caption) = 0;
};

// Installs a presenter and returns the previous one; nullptr restores the standard-error one.
ZELT_EXPORT std::shared_ptr<MessagePresenter>
InstallPresenter(std::shared_ptr<MessagePresenter> presenter);

ZELT_EXPORT void MessageError(const std::string& text, const std::string& caption = "Erro");
ZELT_EXPORT void MessageInfo(const std::string& text, const std::string& caption = "Informação");
ZELT_EXPORT bool MessageQuestion(const std::string& text,
                                 const std::string& caption = "Confirmação");
ZELT_EXPORT void MessageStatus(const std::string& text);

// Writes "<caption>: <text>" lines to standard error (converted to UTF-8); questions answer no.
class ZELT_EXPORT StderrPresenter : public MessagePresenter {
public:
    bool Present(MessageKind kind, const std::string& text, const std::string& caption) override;
};

// Keeps every message for tests to assert on; questions get `answer`.
class ZELT_EXPORT RecordingPresenter : public MessagePresenter {
public:
    struct Record {
        MessageKind kind;
        std::string text;
        std::string caption;
        bool operator==(const Record&) const = default;
    };
    bool Present(MessageKind kind, const std::string& text, const std::string& caption) override;
    std::vector<Record> Records() const;
    // Texts of one kind, in order.
    std::vector<std::string> Texts(MessageKind kind) const;
    void Clear();
    bool answer = true;

private:
    mutable std::mutex mutex_;
    std::vector<Record> records_;
};

// Installs a recorder for the lifetime of a scope and restores the previous presenter.
class ZELT_EXPORT ScopedRecordingPresenter {
public:
    ScopedRecordingPresenter();
    ~ScopedRecordingPresenter();
    ScopedRecordingPresenter(const ScopedRecordingPresenter&) = delete;
    ScopedRecordingPresenter& operator=(const ScopedRecordingPresenter&) = delete;
    RecordingPresenter& operator*() { return *recorder_; }
    RecordingPresenter* operator->() { return recorder_.get(); }

private:
    std::shared_ptr<RecordingPresenter> recorder_;
    std::shared_ptr<MessagePresenter> previous_;
};

} // namespace zelt
