#include "core/platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool ClipboardHasPicture() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && mime->hasImage();
}

QImage ClipboardPicture() {
    if (!ClipboardHasPicture())
        return QImage();
    return qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
}
