#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QWidget>

#include "ui/platform/single_instance.h"

namespace {

// Leaves a socket file behind as a killed copy would: bound, then closed
// without anyone removing the file.
void LeaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof(address.sun_path));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

}  // namespace

TEST(SingleInstanceTest, SocketLeftByAKilledCopyDoesNotBlockAStart) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("instance"));
    LeaveStaleSocket(name);
    TSingleInstance copy(name);
    EXPECT_TRUE(copy.Start());
    TSingleInstance later(name);
    EXPECT_FALSE(later.Start());  // and the new copy is found by the next start
}

TEST(SingleInstanceTest, RestoreKeepsANormalWindowNormal) {
    QWidget window;
    window.setWindowState(Qt::WindowMinimized);
    TSingleInstance::RestoreAndRaise(&window);
    EXPECT_EQ(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), Qt::WindowNoState);
}
