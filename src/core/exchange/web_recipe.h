#pragma once

#include <functional>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "core/recipes/cook_item.h"

// What the web import registers: the reviewed fields of the dialog.
struct TWebRecipe {
    QString Title;
    QString Amount;
    QStringList Ingredients;
    QStringList Steps;
    QByteArray PhotoJpeg;  // empty: no photo
};

// Dialog results of one run of the web import.
inline constexpr int WebImportRegister = 1;
inline constexpr int WebImportCancel = 2;
inline constexpr int WebImportRegisterNext = 6;

// Writes the recipe folder named by the title: "材料.txt", "方法.txt", the
// photo, and "Status.txt" with Amount and Date. Throws TSaporiaError (nothing
// written) for a refused or existing name or a failed write.
TCookItem RegisterWebRecipe(const QString& dataRoot, const TWebRecipe& recipe, const QString& today);

// Runs `runDialog` until it answers WebImportRegister (then `reload` once) or
// anything but WebImportRegisterNext. Returns how many runs there were.
int RunWebImportLoop(const std::function<int()>& runDialog, const std::function<void()>& reload);

// The photo's address found in a page, made absolute against the page's
// address; empty unless http or https.
QUrl PhotoAddress(const QString& found, const QUrl& page);

// A downloaded picture as the photo's JPEG bytes: a JPEG is kept as it is
// (after checking it decodes), another picture format is converted. Throws
// TSaporiaError for bytes that are no picture.
QByteArray PhotoJpegOf(const QByteArray& bytes, QImage* decoded = nullptr);
