#include "core/settings/settings_store.h"

#include <utility>

#include "core/platform/ini_file.h"

TSettingsStore::TSettingsStore(QString path, QObject* parent) : QObject(parent), FilePath(std::move(path)) {}

void TSettingsStore::LoadSettings() {
    const TIniFile ini(FilePath);
    Values = ::LoadSettings(ini);
    Error = ini.LoadError();
    HasSettings = Error.isEmpty();
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
    const TIniFile ini(FilePath);
    WindowLayout = LoadWindowLayout(ini);
    Error = ini.LoadError();
    HasLayout = Error.isEmpty();
}

void TSettingsStore::WriteLayout() {
    if (!HasLayout)
        return;
    TIniFile ini(FilePath);
    SaveWindowLayout(WindowLayout, ini);
    ini.UpdateFile();
}
