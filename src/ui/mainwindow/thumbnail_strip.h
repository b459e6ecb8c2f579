#pragma once

#include <vector>

#include <QObject>
#include <QString>

#include "core/search/thumbnails.h"

class QLabel;
class QWidget;

// Puts the thumbnails on the main window's thumbnail pane: one picture and
// one name label per thumbnail ("MkImg" n, "MkLbl" n) on the scroll box's
// paint box, which it tiles with the window background picture, and the
// count in the header. A click on a picture reports the recipe's name.
class TThumbnailStrip final : public QObject {
    Q_OBJECT
public:
    TThumbnailStrip(QWidget* paintBox, QLabel* header, QObject* parent = nullptr);

    // Replaces the pictures; the header shows the new count.
    void SetThumbnails(const std::vector<TThumbnail>& thumbnails);
    // Destroys the pictures; the header keeps its last text.
    void FreeThumbnails();
    int ThumbnailCount() const { return Count; }

signals:
    void ThumbnailClicked(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* PaintBox1 = nullptr;
    QLabel* Panel6 = nullptr;
    std::vector<QWidget*> Pictures;  // MkImg n and MkLbl n, in pairs
    std::vector<QWidget*> Groups;    // their parents on the paint box
    int Count = 0;
};
