#pragma once

#include <QByteArray>
#include <QString>

// Qt spells every file name in UTF-8: a name with other bytes (a folder
// copied from Windows, a damaged name) turns into U+FFFD and no longer leads
// back to the file, or leads to another one. QtPathOf gives a path that Qt's
// file classes can use for any absolute native path.

// The path itself when its bytes are valid UTF-8; otherwise a symbolic link
// to it in a private folder of this process (made once per path, removed at
// exit). Throws TSaporiaError when the link cannot be made.
QString QtPathOf(const QByteArray& nativePath);
