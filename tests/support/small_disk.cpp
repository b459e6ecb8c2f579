#include "support/small_disk.h"

#include <sys/mount.h>

#include <algorithm>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

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

void TSmallDisk::Fill(qint64 keepFreeBytes) {
    const QString path = Root() + QStringLiteral("filler");
    {
        // Unbuffered: no block left behind to be written when the file closes.
        QFile filler(path);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
    if (keepFreeBytes > 0)
        QFile::resize(path, std::max<qint64>(0, QFileInfo(path).size() - keepFreeBytes));
}
