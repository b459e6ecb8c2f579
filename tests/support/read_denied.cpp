#include "support/read_denied.h"

#include <cerrno>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>

namespace {

constexpr quint32 DacCaps = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// Raises or lowers the two capabilities in this thread's effective set; they
// stay in the permitted set, so they can come back.
bool SetDacCaps(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    data[0].effective = on ? data[0].effective | DacCaps : data[0].effective & ~DacCaps;
    return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

TReadDenied::TReadDenied(const QString& path) : Path(path) {
    const QByteArray native = QFile::encodeName(Path);
    if (::chmod(native.constData(), 0) != 0)
        return;
    if (::geteuid() == 0)
        CapsDropped = SetDacCaps(false);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    IsDenied = fd < 0 && errno == EACCES;
    if (fd >= 0)
        ::close(fd);
}

TReadDenied::~TReadDenied() {
    if (CapsDropped)
        SetDacCaps(true);
    ::chmod(QFile::encodeName(Path).constData(), 0600);
}
