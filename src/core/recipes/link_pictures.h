#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Pictures linked to words of a recipe: the folder "LinkPic" of the recipe
// folder holds one JPEG per word, named after the word. There is no index
// file; the folder listing is the list of links. `recipePath` is the recipe
// folder and ends with "/".

struct TLinkPicture {
    QString Word;  // file name without ".jpg"
    QString Path;  // full path, with the name as it is on disk
};

// The word a pane selection links under: the selection trimmed of characters
// up to U+0020. Empty when the selection cannot be linked: nothing left after
// trimming, a reserved file-name character \ / : * ? " < > |, a line break
// (CR, LF, U+2028, U+2029) or any other control character.
QString LinkWordOfSelection(const QString& selection);

// "LinkPic" inside the recipe folder, reusing a folder of that name in
// another letter case.
QString LinkFolderPath(const QString& recipePath);

// The file a word links to (existing or not), reusing a file whose name
// differs only in letter case.
QString LinkPicturePath(const QString& recipePath, const QString& word);

// The linked pictures: "*.jpg" files of the folder, matched ignoring case,
// sorted by name; a file named just ".jpg" (empty word) is skipped.
QList<TLinkPicture> LinkedPictures(const QString& recipePath);

// Links a picture file to the word: the file is copied byte for byte over any
// picture the word had. Linking a file onto itself leaves it as it is. Throws
// TSaporiaError with the user's message when the folder cannot be made or the
// copy fails; a failed copy leaves the old picture whole and removes a link
// folder made for it.
void LinkPictureFromFile(const QString& recipePath, const QString& word, const QString& sourcePath);

// Links an image (from the clipboard) to the word, stored as JPEG.
void LinkPictureFromImage(const QString& recipePath, const QString& word, const QImage& image);

// Deletes one linked picture (a path from LinkedPictures); afterwards the
// folder is removed when no "*.jpg" is left in it. Failures are silent.
void DeleteLinkPicture(const QString& recipePath, const QString& path, bool deleteFile = true);

// Deletes every link: each entry of the folder, then the folder. Throws
// TSaporiaError when a picture could not be removed (a read-only disk).
void DeleteAllLinkPictures(const QString& recipePath);

// Deletes every file of a folder (never following a symbolic link out of
// it), then the folder itself when it is left empty. False when a file could
// not be removed.
bool DeleteFolderFiles(const QString& folder);
