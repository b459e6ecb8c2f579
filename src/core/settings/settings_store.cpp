#include "core/settings/settings_store.h"

#include <utility>

#include "core/platform/ini_file.h"

TSettingsStore::TSettingsStore(QString path, QObject* parent) : QObject(parent), FilePath(std::move(path)) {}

void TSettingsStore::LoadSettings() {
    Values = LoadSettingsFile(FilePath);
    HasSettings = true;
}

void TSettingsStore::SetSettings(const TSettings& settings) {
    Values = settings;
    emit SettingsChanged();
}

void TSettingsStore::WriteSettings() {
    if (HasSettings)
        SaveSettingsFile(Values, FilePath);
}

void TSettingsStore::LoadLayout() {
    WindowLayout = LoadWindowLayout(TIniFile(FilePath));
    HasLayout = true;
}

void TSettingsStore::WriteLayout() {
    if (!HasLayout)
        return;
    TIniFile ini(FilePath);
    SaveWindowLayout(WindowLayout, ini);
    ini.UpdateFile();
}
