#pragma once

#include <stdexcept>

#include <QMap>

#include "core/platform/system_info_panel.h"

// A machine with fixed facts for the system information panel and the about box.
class TFakeSystemInfo final : public TSystemInfoSources {
public:
    QList<TMountEntry> MountList;
    QMap<QString, qint64> Megabytes;  // volume sizes by mount point; others 1,234,567 MB
    bool FailDisplay = false;
    bool Removable = false;
    QStringList* VolumesAsked = nullptr;

    QString OsText() const override { return "Fake Linux 1.0"; }
    QString BrowserText() const override { return "FakeBrowser 2"; }
    void Memory(qint64& total, qint64& available) const override {
        total = 16'777'216LL * 1024;
        available = 1536;  // 1.5 KB rounds to 2
    }
    QList<TMountEntry> Mounts() const override { return MountList; }
    TVolumeStats Volume(const TMountEntry& mount) const override {
        if (VolumesAsked)
            *VolumesAsked << mount.MountPoint;
        if (mount.MountPoint == "/gone")
            return {};
        return {.Ok = true, .TotalBytes = Megabytes.value(mount.MountPoint, 1'234'567LL) * 1024 * 1024,
                .FreeBytes = 512LL * 1024 * 1024 + 1, .Name = "DATA", .Serial = 4'000'000'000ULL, .NameMax = 255};
    }
    bool IsRemovable(const QString&) const override { return Removable; }
    TDisplayInfo Display() const override {
        if (FailDisplay)
            throw std::runtime_error("no screen");
        return {1920, 1080, 96};
    }
};
