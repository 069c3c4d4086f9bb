// Our thin layer over Firebird's object interface: every interface object we obtain is held by a
// handle that gives it back to the library on every path (detach, rollback, free, close or plain
// release when those fail), and every failure becomes an EDatabaseError carrying Firebird's own
// text. Nothing outside this package sees Firebird's types.
#pragma once

#include <firebird/Interface.h>
#include <memory>
#include <string>
#include <string_view>

namespace zelt::fb {

Firebird::IMaster* Master();
Firebird::IUtil* Util();

// One status vector for one sequence of calls; FbException thrown through it is turned into
// EDatabaseError by Raise().
class Status {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    Firebird::ThrowStatusWrapper* Get() { return &wrapper_; }

private:
    Firebird::IStatus* status_;
    Firebird::ThrowStatusWrapper wrapper_;
};

// The text Firebird gives for the errors of a status, lines joined with CR LF.
std::string FormatStatus(Firebird::IStatus* status);

[[noreturn]] void RaiseFromException(const Firebird::FbException& e);

// Runs `body`; a Firebird failure inside becomes EDatabaseError with Firebird's text.
template <typename Body> auto Guard(Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const Firebird::FbException& e) {
        RaiseFromException(e);
    }
}

struct DetachAttachment {
    void operator()(Firebird::IAttachment* p) const noexcept;
};
struct RollbackTransaction {
    void operator()(Firebird::ITransaction* p) const noexcept;
};
struct FreeStatement {
    void operator()(Firebird::IStatement* p) const noexcept;
};
struct CloseResultSet {
    void operator()(Firebird::IResultSet* p) const noexcept;
};
struct CloseBlob {
    void operator()(Firebird::IBlob* p) const noexcept;
};
struct ReleaseMetadata {
    void operator()(Firebird::IMessageMetadata* p) const noexcept;
};
struct DisposeBuilder {
    void operator()(Firebird::IXpbBuilder* p) const noexcept;
};

using Attachment = std::unique_ptr<Firebird::IAttachment, DetachAttachment>;
using Transaction = std::unique_ptr<Firebird::ITransaction, RollbackTransaction>;
using Statement = std::unique_ptr<Firebird::IStatement, FreeStatement>;
using ResultSet = std::unique_ptr<Firebird::IResultSet, CloseResultSet>;
using Blob = std::unique_ptr<Firebird::IBlob, CloseBlob>;
using Metadata = std::unique_ptr<Firebird::IMessageMetadata, ReleaseMetadata>;
using Builder = std::unique_ptr<Firebird::IXpbBuilder, DisposeBuilder>;

// Ending calls that release the object on success: the handle lets go of it only then, so a
// failed commit still rolls back and a failed detach still releases.
void Commit(Transaction& transaction);
void Rollback(Transaction& transaction);
void Detach(Attachment& attachment);

struct Login {
    std::string user;
    std::string password;
};

// Attaches `database` (a path for embedded access, "host[/port]:path" for a server) with the
// connection character set WIN1252. `embedded` keeps a path to the engine in this process.
Attachment Attach(const std::string& database, const Login& login, bool embedded);
// Read committed, record version, waits for locks: what a register screen expects.
Transaction StartTransaction(Firebird::IAttachment* attachment);

} // namespace zelt::fb
