#pragma once

#include <QObject>
#include <QString>

#include "core/settings/settings.h"
#include "core/settings/window_layout.h"

// The settings file's one reader and writer: the option settings and the
// main window's layout, created once at start-up and handed to every window
// that reads them. Each half is read once and written once; a half is written
// back only when this run read it (or took its defaults), so a run that could
// not read the file does not overwrite it.
class TSettingsStore final : public QObject {
    Q_OBJECT
public:
    explicit TSettingsStore(QString path, QObject* parent = nullptr);

    const QString& Path() const { return FilePath; }

    // Reads the option keys; never fails. A file that cannot be read (or is
    // too large to read) gives the defaults and is not written back.
    void LoadSettings();
    const TSettings& Settings() const { return Values; }
    // Takes new settings (the options window's OK) and emits SettingsChanged.
    void SetSettings(const TSettings& settings);
    // Writes the option keys when they were loaded; throws TSaporiaError
    // "<path> に書き込めません" when the file cannot be written.
    void WriteSettings();

    // Reads the layout keys; never fails, as LoadSettings.
    void LoadLayout();
    bool LayoutLoaded() const { return HasLayout; }
    const TWindowLayout& Layout() const { return WindowLayout; }
    void SetLayout(const TWindowLayout& layout) { WindowLayout = layout; }
    // Writes the layout keys when they were loaded.
    void WriteLayout();

    // Why the last load could not read the file, empty when it could (or the
    // file is missing).
    const QString& LoadError() const { return Error; }

signals:
    void SettingsChanged();

private:
    QString FilePath;
    TSettings Values;
    TWindowLayout WindowLayout;
    bool HasSettings = false;
    bool HasLayout = false;
    QString Error;
};
