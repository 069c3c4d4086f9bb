// One command at a time per emulated printer, across processes as well as threads: a host and a
// test tool may drive the same printer (the same state file), as two programs share one serial
// port on the shop's machine.
#pragma once

#include <string>

namespace zelt::printers {

class TPrinterLock {
public:
    // Blocks until the lock file (created when missing) is held; never raises: a lock that
    // cannot be taken leaves the call unguarded rather than failing it.
    explicit TPrinterLock(const std::string& lockFileName);
    ~TPrinterLock();
    TPrinterLock(const TPrinterLock&) = delete;
    TPrinterLock& operator=(const TPrinterLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace zelt::printers
