#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// User icons of the folder "Icon": 32 by 32 Windows bitmaps.

inline const QString IconOverwriteQuestion = QStringLiteral("同じファイル名が存在します。上書きしてもよろしいですか？");
inline const QString IconRestartNotice = QStringLiteral("Saporiaの再起動後にアイコン設定が有効になります。");

// Reads a picture for a new icon: ".bmp", ".ico", ".png", ".gif" and the rest
// of what Qt reads, ".jpg"/".jpeg" through libjpeg (extensions compared
// ignoring case), and stretches it to 32 by 32. Metafiles (".emf", ".wmf")
// and unreadable files throw TSaporiaError.
QImage IconPictureFromFile(const QString& path);

// The 32 by 32 picture as a 24-bit Windows bitmap file.
QByteArray IconBitmapBytes(const QImage& icon);

// The icon file a picture becomes: the picture's name with ".bmp".
QString IconFileNameFor(const QString& picturePath);

// Entries of the icon folder whose extension is ".bmp" (ASCII letters
// compared ignoring case), sorted, folders of such a name included so the
// list shows them as broken cells.
QStringList IconFolderEntries(const QString& iconFolder);

// The delete question: 「name」を削除してもよろしいですか？ with the name
// shown without its extension.
QString IconDeleteQuestion(const QString& fileName);
