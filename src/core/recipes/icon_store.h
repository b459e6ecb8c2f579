#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class TStatusFile;

// The recipe icons: 33 built-in pictures (indexes 0-32, always in this order),
// then the ".bmp" files of the folder "Icon" from 33 on, in the folder's
// sorted listing order. Each icon comes at 16 and 32 pixels; a user icon's
// pixel (0, 0) gives its transparent colour. Indexes hold for one run only;
// a recipe names a user icon by its file name.

inline constexpr int BuiltInIconCount = 33;
inline const QString IconFolderName = QStringLiteral("Icon");

// Built-in icon `index` (0-32) drawn at `size` pixels; null for other indexes.
QImage BuiltInIcon(int index, int size);

// Lookups over the user icons' parallel lists of file names and index texts.
// The index of the icon named `fileName` (letter case ignored); -1 when it is
// not listed or its index is not a number.
int UserIconIndex(const QStringList& fileNames, const QStringList& indexes, const QString& fileName);
// The file name of the icon whose index text is `indexText`; empty for none.
QString UserIconFileName(const QStringList& fileNames, const QStringList& indexes, const QString& indexText);

class TIconStore final {
public:
    // Only the built-in icons.
    TIconStore();

    // Adds the user icons of `appDir` + "Icon" (the folder is created when
    // missing). A file that cannot be read as a bitmap is skipped and named in
    // LoadFailures(); the others still load. Call once.
    void LoadUserIcons(const QString& appDir);

    int Count() const { return static_cast<int>(Icons32.size()); }
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
    // Null images for an index outside the store (-1, a stored 99, -7...).
    QImage Icon16(int index) const;
    QImage Icon32(int index) const;
    const QList<QImage>& AllIcons16() const { return Icons16; }
    const QList<QImage>& AllIcons32() const { return Icons32; }

    // File names of the user icons as listed (with ".bmp") and, parallel to
    // them, the index each one received, as decimal text.
    const QStringList& IconFileNames() const { return FileNames; }
    const QStringList& IconIndexes() const { return Indexes; }

    // Index of the user icon named `fileName` (ignoring case), or -1.
    int IndexOfFileName(const QString& fileName) const;
    // File name of user icon `index`; empty for a built-in icon or none.
    QString FileNameOfIndex(int index) const;

    // A recipe's icon from its attributes: through "ImageFileName" when it is
    // set (-1 when that file is not loaded), else "Icon"; -1 for an index
    // outside the store.
    int ResolveIcon(const TStatusFile& status) const;
    // The same from the two values already looked up.
    int ResolveIcon(const QString& imageFileName, const QString& icon) const;

    // One message per icon file that was skipped.
    const QStringList& LoadFailures() const { return Failures; }

private:
    QList<QImage> Icons16;
    QList<QImage> Icons32;
    QStringList FileNames;
    QStringList Indexes;
    QStringList Failures;
};

// The picture stretched to size×size with the colour of its pixel (0, 0) made transparent.
QImage MaskedIcon(const QImage& picture, int size);
