#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QStringList>

class QMimeData;
class QWidget;

// Opens a web address with the desktop's browser. False when nothing could open it.
bool OpenUrl(const QString& url);
// Opens a file or folder with the desktop's program for it.
bool OpenFileWithDesktop(const QString& path);

// Local file paths carried by a drag (empty when it carries none).
QStringList DroppedFiles(const QMimeData* mime);

// Makes `target` accept files dropped from the desktop; each drop calls
// `onDrop` with the dropped paths. The filter belongs to `target`.
class TFileDropFilter final : public QObject {
    Q_OBJECT
public:
    TFileDropFilter(QWidget* target, std::function<void(const QStringList&)> onDrop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QStringList&)> OnDrop;
};
