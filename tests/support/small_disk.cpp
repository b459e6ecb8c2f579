#include "support/small_disk.h"

#include <sys/mount.h>

#include <QByteArray>
#include <QFile>

TSmallDisk::TSmallDisk(int kilobytes) {
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    Mounted = mount("tmpfs", QFile::encodeName(Dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

TSmallDisk::~TSmallDisk() {
    if (Mounted)
        umount2(QFile::encodeName(Dir.path()).constData(), MNT_DETACH);
}

bool TSmallDisk::MakeReadOnly() {
    return mount("tmpfs", QFile::encodeName(Dir.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void TSmallDisk::Fill() {
    QFile filler(Root() + QStringLiteral("filler"));
    if (!filler.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}
