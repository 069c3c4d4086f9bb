#include "platform/rtl/OperatorMessages.h"

#include "platform/rtl/Text.h"
#include "zelt/messages.h"

#include <cerrno>
#include <unistd.h>

namespace zelt {

namespace {

// The presenter slot. A host may install its presenter from another thread while a package
// shows a message, hence the mutex; the presenter itself is called outside it, so that a modal
// box does not block an install (or another message from a second thread).
struct PresenterSlot {
    std::mutex mutex;
    std::shared_ptr<MessagePresenter> fallback = std::make_shared<StderrPresenter>();
    std::shared_ptr<MessagePresenter> presenter = fallback;
};

// Never destroyed: packages unloaded at exit may still report from their finalisation, after
// the runtime's own static objects would otherwise be gone.
template <class T> union Immortal {
    Immortal() : value() {}
    ~Immortal() {}
    T value;
};

PresenterSlot& Slot() {
    static Immortal<PresenterSlot> slot;
    return slot.value;
}

std::shared_ptr<MessagePresenter> Current() {
    PresenterSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    return slot.presenter;
}

bool Show(MessageKind kind, const std::string& text, const std::string& caption) {
    return Current()->Present(kind, text, caption);
}

// Forwards to the function a host installed through the C export.
class HostPresenter : public MessagePresenter {
public:
    HostPresenter(ZeltMessagePresenterFn fn, void* context) : fn_(fn), context_(context) {}
    bool Present(MessageKind kind, const std::string& text, const std::string& caption) override {
        return fn_(context_, static_cast<int32_t>(kind), text.c_str(), caption.c_str());
    }

private:
    ZeltMessagePresenterFn fn_;
    void* context_;
};

} // namespace

MessagePresenter::~MessagePresenter() = default;

std::shared_ptr<MessagePresenter> InstallPresenter(std::shared_ptr<MessagePresenter> presenter) {
    PresenterSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    if (!presenter)
        presenter = slot.fallback;
    std::shared_ptr<MessagePresenter> previous = std::move(slot.presenter);
    slot.presenter = std::move(presenter);
    return previous;
}

void MessageError(const std::string& text, const std::string& caption) {
    Show(MessageKind::Error, text, caption);
}

void MessageInfo(const std::string& text, const std::string& caption) {
    Show(MessageKind::Information, text, caption);
}

bool MessageQuestion(const std::string& text, const std::string& caption) {
    return Show(MessageKind::Question, text, caption);
}

void MessageStatus(const std::string& text) {
    Show(MessageKind::Status, text, std::string());
}

bool StderrPresenter::Present(MessageKind kind, const std::string& text,
                              const std::string& caption) {
    // Clearing a status has nothing to show on a stream.
    if (kind == MessageKind::Status && text.empty())
        return false;
    std::string line = caption.empty() ? text : caption + ": " + text;
    line = Cp1252ToUtf8(line);
    line += '\n';
    // One write per message, so that messages of two threads do not interleave mid-line.
    std::string_view rest = line;
    while (!rest.empty()) {
        ssize_t n = ::write(STDERR_FILENO, rest.data(), rest.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    return false; // nobody at a stream to say yes
}

bool RecordingPresenter::Present(MessageKind kind, const std::string& text,
                                 const std::string& caption) {
    std::lock_guard lock(mutex_);
    records_.push_back({kind, text, caption});
    return kind == MessageKind::Question ? answer : false;
}

std::vector<RecordingPresenter::Record> RecordingPresenter::Records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<std::string> RecordingPresenter::Texts(MessageKind kind) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const Record& r : records_) {
        if (r.kind == kind)
            out.push_back(r.text);
    }
    return out;
}

void RecordingPresenter::Clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

ScopedRecordingPresenter::ScopedRecordingPresenter()
    : recorder_(std::make_shared<RecordingPresenter>()), previous_(InstallPresenter(recorder_)) {}

ScopedRecordingPresenter::~ScopedRecordingPresenter() {
    InstallPresenter(previous_);
}

} // namespace zelt

ZELT_C_EXPORT void zelt_set_message_presenter(ZeltMessagePresenterFn fn, void* context) {
    // No exception may reach the host; the only one possible here is running out of memory, in
    // which case the presenter stays as it was.
    try {
        if (fn == nullptr)
            zelt::InstallPresenter(nullptr);
        else
            zelt::InstallPresenter(std::make_shared<zelt::HostPresenter>(fn, context));
    } catch (...) {
    }
}
ZELT_QUALIFIED_ALIAS(void, zelt_set_message_presenter,
                     "OperatorMessages.zelt_set_message_presenter",
                     (ZeltMessagePresenterFn fn, void* context));
