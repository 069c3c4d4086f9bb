#include "platform/printers/common/EmuLock.h"

#include "platform/rtl/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zelt::printers {

TPrinterLock::TPrinterLock(const std::string& lockFileName) {
    const std::string disk = ToDiskPath(lockFileName);
    fd_ = ::open(disk.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return;
    int rc = 0;
    do
        rc = ::flock(fd_, LOCK_EX);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

TPrinterLock::~TPrinterLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing releases the lock
}

} // namespace zelt::printers
