#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include "core/recipes/status_file.h"

// One recipe folder, read for the recipe panes and written back from them.
//
// Texts are held as the panes hold them: lines joined by "\n". Reading splits
// at CR LF, CR or LF; writing ends every line with CR LF (an empty text writes
// an empty file). A text equal to what was read is not written again, so an
// unedited file keeps its bytes exactly.

inline const QString FoodstuffFileName = QStringLiteral("材料.txt");
inline const QString HowFileName = QStringLiteral("方法.txt");
inline const QString CommentFileName = QStringLiteral("コメント.txt");
inline const QString PhotoFileName = QStringLiteral("写真.jpg");
inline const QString PhotoBaseName = QStringLiteral("写真");
inline const QString MemoFileName = QStringLiteral("手書きメモ.bmp");
inline const QString LinkPicFolderName = QStringLiteral("LinkPic");

// A recipe text larger than this is not put into its pane: laying out a
// huge text freezes the window for minutes.
inline constexpr qsizetype MaxRecipeTextBytes = 1024 * 1024;

// How one file of a recipe came out of the read.
enum class TFileRead : std::uint8_t {
    Missing,     // not there: the pane starts empty and a save may create it
    Read,        // read whole
    Unreadable,  // there, but reading or decoding it failed
    TooLarge,    // a text too large for its pane, left unread
};

// A file that is there but was not read: its pane is read-only and no save
// writes or removes it, so the user never saves over what was never shown.
inline bool IsProtected(TFileRead state) { return state == TFileRead::Unreadable || state == TFileRead::TooLarge; }

struct TRecipeFiles {
    TFileRead Foodstuff = TFileRead::Missing;  // "材料.txt"
    TFileRead How = TFileRead::Missing;        // "方法.txt"
    TFileRead Comment = TFileRead::Missing;    // "コメント.txt"
    TFileRead Photo = TFileRead::Missing;      // "写真.jpg"
    TFileRead Memo = TFileRead::Missing;       // "手書きメモ.bmp"
    TFileRead Status = TFileRead::Missing;     // "Status.txt"
};

struct TRecipeContent {
    // The three panes.
    QString Foodstuff;  // "材料.txt"
    QString How;        // "方法.txt"
    QString Comment;    // "コメント.txt"
    bool HasComment = false;

    // The main photo "写真.jpg": its bytes as stored (or, after an edit, the new
    // JPEG bytes) and the decoded picture. Empty/null when there is none.
    QByteArray Photo;
    QImage PhotoImage;
    // Set by the window when the user put in, replaced or removed the photo.
    // An unchanged photo is never written.
    bool PhotoChanged = false;

    // ".jpg" files of the folder (any letter case), sorted; with two or more,
    // "写真" comes first. Base names (for display) and the file names.
    QStringList PictureNames;
    QStringList PictureFiles;

    // The handwritten memo "手書きメモ.bmp"; null when there is none.
    QImage Memo;
    bool HasMemo = false;
    // Set by the window when the memo was drawn on; Save then writes it.
    bool MemoDirty = false;

    // Words that have a linked picture: "LinkPic/*.jpg" without the extension.
    QStringList LinkWords;

    // The attribute file and the eight lines of the attribute pane.
    bool HasStatus = false;
    TStatusFile Status;
    QStringList AttributeLines;

    // Empty after a complete read. Otherwise the message of every file that
    // could not be read (and of a missing "材料.txt" or "方法.txt"), one a line.
    QString LoadError;

    // How each file came out of the read; Save never writes a protected one.
    TRecipeFiles Files;

    // The texts as read (or last saved), so that an unchanged text is not
    // written again. Filled by the reader.
    bool FoodstuffLoaded = false;
    bool HowLoaded = false;
    bool CommentLoaded = false;
    QString LoadedFoodstuff;
    QString LoadedHow;
    QString LoadedComment;
};

// Reads the recipe folder `recipePath` (CurrentRecipePath form, with or
// without the final "/"), first completing a save that a crash cut off.
// Never throws for the folder's files: each is read on its own, so a missing
// "材料.txt" or "方法.txt", or a file that cannot be read, is noted in
// LoadError and Files and hides nothing else. A text over MaxRecipeTextBytes
// is not read.
TRecipeContent ReadRecipeFolder(const QString& recipePath);

// Writes the panes back into `recipePath`: the three texts (each only when it
// differs from what was read), the photo when PhotoChanged (removed when
// Photo is empty), the memo when MemoDirty. Every text and picture is encoded
// first, so a character CP932 cannot hold fails the save before any file
// changes. All files, and the attribute file when `status` is given, are
// written as one transaction (recipe_transaction.h): the recipe is wholly old
// or wholly new. A protected file (Files) is never written nor removed,
// whatever its pane holds; nor is a file that appeared since the read
// replaced by an empty pane. Refuses an empty path or a folder that does not
// exist. Throws TSaporiaError on failure; afterwards `content` describes the
// saved state (Loaded* fields and Photo flags updated).
void SaveRecipeFolder(const QString& recipePath, TRecipeContent& content, const TStatusFile* status = nullptr);

// The eight lines of the attribute pane from an attribute file.
QStringList AttributePaneLines(const TStatusFile& status);

// A picture file put into the photo pane: JPEG bytes and the decoded picture.
struct TPhotoFile {
    QByteArray Jpeg;
    QImage Image;
};

// ".bmp" is converted to JPEG, ".jpg" and ".jpeg" (any letter case) are taken
// as they are; any other extension gives std::nullopt (the pane stays as it
// is). A file that cannot be read or decoded throws TSaporiaError.
std::optional<TPhotoFile> ReadPictureFile(const QString& fileName);

// Quality used when a picture that is not a JPEG becomes the recipe photo.
inline constexpr int PhotoJpegQuality = 90;
