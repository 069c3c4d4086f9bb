#include "outside/dataline/FirebirdApi.h"

#include "platform/rtl/Errors.h"

#include <clocale>
#include <cstring>
#include <vector>

namespace zelt::fb {

using namespace Firebird;

IMaster* Master() {
    static IMaster* const master = fb_get_master_interface();
    return master;
}

IUtil* Util() {
    static IUtil* const util = Master()->getUtilInterface();
    return util;
}

namespace {

// The dispatcher routes a database text to the embedded engine or to the remote provider. One per
// process is enough; it lives until the process ends.
IProvider* Dispatcher() {
    static IProvider* const dispatcher = Master()->getDispatcher();
    return dispatcher;
}

// Firebird hands a file name to the operating system after converting it to the process's
// character type locale. A program still under the C locale (no setlocale call: tests, console
// tools) would then refuse every name with an accent, so such a process adopts UTF-8, the
// encoding of the system's names on disk. A locale chosen by the program is left alone.
void AdoptUtf8FileNames() {
    static const bool done = [] {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        if (current == nullptr || std::strcmp(current, "C") == 0 ||
            std::strcmp(current, "POSIX") == 0) {
            std::setlocale(LC_CTYPE, "C.UTF-8");
        }
        return true;
    }();
    (void)done;
}

// Ending calls on a handle's destruction must never throw; their failures only mean the object
// has to be released by hand.
template <typename Interface, typename End> void EndOrRelease(Interface* p, End end) noexcept {
    if (p == nullptr) {
        return;
    }
    IStatus* raw = Master()->getStatus();
    CheckStatusWrapper status(raw);
    end(p, &status);
    if (status.getState() & IStatus::STATE_ERRORS) {
        p->release();
    }
    raw->dispose();
}

} // namespace

Status::Status() : status_(Master()->getStatus()), wrapper_(status_) {}

Status::~Status() {
    status_->dispose();
}

std::string FormatStatus(IStatus* status) {
    std::vector<char> buffer(2048);
    unsigned length =
        Util()->formatStatus(buffer.data(), static_cast<unsigned>(buffer.size()), status);
    std::string text(buffer.data(), std::min<std::size_t>(length, buffer.size()));
    // Firebird separates the lines of one error with "\n-"; the system's texts use CR LF.
    std::string result;
    for (char c : text) {
        if (c == '\n') {
            result += "\r\n";
        } else {
            result += c;
        }
    }
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) {
        result.pop_back();
    }
    return result;
}

void RaiseFromException(const FbException& e) {
    throw EDatabaseError(FormatStatus(e.getStatus()));
}

void DetachAttachment::operator()(IAttachment* p) const noexcept {
    EndOrRelease(p, [](IAttachment* a, CheckStatusWrapper* s) { a->detach(s); });
}
void RollbackTransaction::operator()(ITransaction* p) const noexcept {
    EndOrRelease(p, [](ITransaction* t, CheckStatusWrapper* s) { t->rollback(s); });
}
void FreeStatement::operator()(IStatement* p) const noexcept {
    EndOrRelease(p, [](IStatement* t, CheckStatusWrapper* s) { t->free(s); });
}
void CloseResultSet::operator()(IResultSet* p) const noexcept {
    EndOrRelease(p, [](IResultSet* r, CheckStatusWrapper* s) { r->close(s); });
}
void CloseBlob::operator()(IBlob* p) const noexcept {
    EndOrRelease(p, [](IBlob* b, CheckStatusWrapper* s) { b->close(s); });
}
void ReleaseMetadata::operator()(IMessageMetadata* p) const noexcept {
    if (p != nullptr) {
        p->release();
    }
}
void DisposeBuilder::operator()(IXpbBuilder* p) const noexcept {
    if (p != nullptr) {
        p->dispose();
    }
}

void Commit(Transaction& transaction) {
    Status status;
    Guard([&] { transaction->commit(status.Get()); });
    (void)transaction.release();
}

void Rollback(Transaction& transaction) {
    Status status;
    Guard([&] { transaction->rollback(status.Get()); });
    (void)transaction.release();
}

void Detach(Attachment& attachment) {
    Status status;
    Guard([&] { attachment->detach(status.Get()); });
    (void)attachment.release();
}

Attachment Attach(const std::string& database, const Login& login, bool embedded) {
    AdoptUtf8FileNames();
    Status status;
    return Guard([&] {
        Builder dpb(Util()->getXpbBuilder(status.Get(), IXpbBuilder::DPB, nullptr, 0));
        dpb->insertString(status.Get(), isc_dpb_lc_ctype, "WIN1252");
        // The file name comes as the disk knows it (UTF-8), not in the connection's character
        // set, so that a folder with accents is found whatever the process's locale.
        dpb->insertTag(status.Get(), isc_dpb_utf8_filename);
        if (embedded) {
            // Without this the dispatcher falls back to a server on this machine when the engine
            // cannot open the file, which mixes the server's view (its user, its rights) into a
            // failure that is the file's, and makes every such failure slow.
            dpb->insertString(status.Get(), isc_dpb_config, "Providers=Engine12");
        }
        if (!login.user.empty()) {
            dpb->insertString(status.Get(), isc_dpb_user_name, login.user.c_str());
        }
        if (!login.password.empty()) {
            dpb->insertString(status.Get(), isc_dpb_password, login.password.c_str());
        }
        return Attachment(Dispatcher()->attachDatabase(status.Get(), database.c_str(),
                                                       dpb->getBufferLength(status.Get()),
                                                       dpb->getBuffer(status.Get())));
    });
}

Transaction StartTransaction(IAttachment* attachment) {
    static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                        isc_tpb_rec_version, isc_tpb_wait};
    Status status;
    return Guard(
        [&] { return Transaction(attachment->startTransaction(status.Get(), sizeof tpb, tpb)); });
}

} // namespace zelt::fb
