#include "core/recipes/recipe_folder.h"

#include <algorithm>
#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/picture_codec.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/committed_folder.h"
#include "core/recipes/recipe_transaction.h"

namespace {

// Every file the panes and the attribute pane show; the save's listing
// wants none.
const QStringList& RecipeFileNames() {
    static const QStringList names = {FoodstuffFileName, HowFileName, PhotoFileName, CommentFileName, MemoFileName,
                                      StatusFileName};
    return names;
}

// A file of the committed state, read whole; fails as ReadFileBytes does.
QByteArray ReadCommittedFile(const TCommittedFolder& view, const QString& folder, const QString& name,
                             qint64 maxBytes = NoSizeLimit) {
    QByteArray bytes;
    if (!view.Read(name, bytes, maxBytes)) {
        if (errno == EFBIG)
            throw TFileTooLargeError(TooLargeMessage(folder + name, maxBytes));
        throw TSaporiaError(CannotReadMessage(folder + name));
    }
    return bytes;
}

QString MissingMessage(const QString& fileName) { return QStringLiteral("%1 がありません").arg(fileName); }

QString PaneText(const QByteArray& bytes) { return SplitLines(FromSjis(bytes)).join(QLatin1Char('\n')); }

// Every line of the pane ends with CR LF; an empty pane is an empty file.
QByteArray FileBytes(const QString& fileName, QString text) {
    if (text.isEmpty())
        return QByteArray();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    text += QStringLiteral("\r\n");
    TSjisFailure failure;
    const std::optional<QByteArray> bytes = TryToSjis(text, &failure);
    if (!bytes) {
        // Report the position in the pane's own text, where CR LF counts once.
        failure.Position = static_cast<int>(text.left(failure.Position).remove(QLatin1Char('\r')).size());
        throw TSaporiaError(fileName + QStringLiteral(": ") + SjisFailureMessage(failure));
    }
    return *bytes;
}

bool HasJpgExtension(const QString& fileName) { return fileName.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive); }

void Note(TRecipeContent& c, const QString& message) {
    if (!c.LoadError.isEmpty())
        c.LoadError += QLatin1Char('\n');
    c.LoadError += message;
}

// Runs the read of one file; a failure is noted, naming the file, and marks
// the file unreadable.
template <typename TRead>
void ReadOne(TRecipeContent& c, const QString& fileName, TFileRead& state, TRead&& read) {
    try {
        read();
        state = TFileRead::Read;
    } catch (const TSaporiaError& error) {
        state = TFileRead::Unreadable;
        const QString message = error.message();
        Note(c, message.contains(fileName) ? message : fileName + QStringLiteral(": ") + message);
    }
}

// A pane text. The size is checked first: a huge file is never loaded.
void ReadText(TRecipeContent& c, const TCommittedFolder& view, const QString& folder, const QString& found,
              const QString& fileName, TFileRead& state, QString& text, QString& loadedText, bool& loaded) {
    bool tooLarge = false;
    ReadOne(c, fileName, state, [&] {
        try {
            text = loadedText = PaneText(ReadCommittedFile(view, folder, found, MaxRecipeTextBytes));
            loaded = true;
        } catch (const TFileTooLargeError&) {
            tooLarge = true;
        }
    });
    if (!tooLarge)
        return;
    state = TFileRead::TooLarge;
    Note(c, QStringLiteral("%1 は大きすぎるため表示できません (%2 MB まで)")
                .arg(fileName)
                .arg(MaxRecipeTextBytes / (1024 * 1024)));
}

// Reads every file on its own, so one that fails hides nothing else.
void ReadInto(const TCommittedFolder& listing, const QString& folder, TRecipeContent& c) {
    if (listing.JournalTooLarge())
        Note(c, TooLargeMessage(folder + RecipeJournalName, MaxRecipeTextBytes));

    const QString foodstuff = listing.Find(FoodstuffFileName);
    if (foodstuff.isEmpty())
        Note(c, MissingMessage(FoodstuffFileName));
    else
        ReadText(c, listing, folder, foodstuff, FoodstuffFileName, c.Files.Foodstuff, c.Foodstuff, c.LoadedFoodstuff,
                 c.FoodstuffLoaded);

    const QString how = listing.Find(HowFileName);
    if (how.isEmpty())
        Note(c, MissingMessage(HowFileName));
    else
        ReadText(c, listing, folder, how, HowFileName, c.Files.How, c.How, c.LoadedHow, c.HowLoaded);

    const QString photo = listing.Find(PhotoFileName);
    if (!photo.isEmpty())
        ReadOne(c, PhotoFileName, c.Files.Photo, [&] {
            const QByteArray bytes = ReadCommittedFile(listing, folder, photo);
            c.PhotoImage = DecodeJpeg(bytes);
            c.Photo = bytes;
        });

    const QString comment = listing.Find(CommentFileName);
    if (!comment.isEmpty()) {
        ReadText(c, listing, folder, comment, CommentFileName, c.Files.Comment, c.Comment, c.LoadedComment,
                 c.CommentLoaded);
        c.HasComment = c.CommentLoaded;
    }

    const QString memo = listing.Find(MemoFileName);
    if (!memo.isEmpty())
        ReadOne(c, MemoFileName, c.Files.Memo, [&] {
            QImage image;
            if (!image.loadFromData(ReadCommittedFile(listing, folder, memo), "BMP"))
                throw TSaporiaError(QStringLiteral("%1 を読み込めません").arg(MemoFileName));
            c.Memo = image;
            c.HasMemo = true;
        });

    for (const QString& file : listing.Files()) {
        if (!HasJpgExtension(file))
            continue;
        c.PictureFiles.append(file);
        c.PictureNames.append(WithoutExtension(file));
    }
    const qsizetype main = c.PictureNames.indexOf(PhotoBaseName);
    if (c.PictureNames.size() >= 2 && main > 0) {
        c.PictureNames.move(main, 0);
        c.PictureFiles.move(main, 0);
    }

    const QString linkFolder = folder + LinkPicFolderName;
    if (QFileInfo(linkFolder).isDir())
        for (const QString& file : SortedEntries(linkFolder, {}, false))
            if (HasJpgExtension(file))
                c.LinkWords.append(WithoutExtension(file));

    const QString status = listing.Find(StatusFileName);
    if (!status.isEmpty())
        ReadOne(c, StatusFileName, c.Files.Status, [&] {
            c.Status = TStatusFile::FromBytes(ReadCommittedFile(listing, folder, status, MaxStatusFileBytes));
            c.HasStatus = true;
            c.AttributeLines = AttributePaneLines(c.Status);
        });
}

}  // namespace

QStringList AttributePaneLines(const TStatusFile& status) {
    return {
        QStringLiteral("【登録日】　") + status.Value(StatusKey::Date),
        QStringLiteral("【グループ】") + status.Value(StatusKey::Group),
        QStringLiteral("【種類】　　") + status.Value(StatusKey::Kind),
        QStringLiteral("【量】　　　") + status.Value(StatusKey::Amount),
        QStringLiteral("【カロリー】") + status.Value(StatusKey::Calorie),
        QStringLiteral("【費用】　　") + status.Value(StatusKey::Price),
        QStringLiteral("【調理時間】") + status.Value(StatusKey::WorkTime),
        QStringLiteral("【塩分】    ") + status.Value(StatusKey::Salt),
    };
}

TRecipeContent ReadRecipeFolder(const QString& recipePath) {
    TRecipeContent content;
    if (recipePath.isEmpty()) {
        content.LoadError = QStringLiteral("レシピが選択されていません");
        return content;
    }
    try {
        // A save cut off by a crash is finished before anything is read; one
        // in progress in another copy is read as it last committed.
        const QString folder = WithTrailingSlash(recipePath);
        ReadCommitted(folder, RecipeFileNames(), [&](const TCommittedFolder& view) {
            content = TRecipeContent();
            ReadInto(view, folder, content);
        });
    } catch (const TSaporiaError& error) {
        content.LoadError = error.message();
    }
    return content;
}

void SaveRecipeFolder(const QString& recipePath, TRecipeContent& c, const TStatusFile* status) {
    if (recipePath.isEmpty())
        throw TSaporiaError(QStringLiteral("レシピが開かれていません"));
    const QString folder = WithTrailingSlash(recipePath);
    if (!QFileInfo(folder).isDir())
        throw TSaporiaError(QStringLiteral("レシピのフォルダ %1 がありません").arg(QDir::toNativeSeparators(folder)));
    // The folder is locked from here on, so it is planned as it is saved.
    TRecipeTransaction transaction(folder);
    transaction.Begin();
    const TCommittedFolder listing(transaction.FolderFd(), {});
    auto nameOf = [&](const QString& fileName) {
        const QString existing = listing.Find(fileName);
        return existing.isEmpty() ? fileName : existing;
    };

    // Everything is encoded before the first file changes.
    auto planText = [&](const QString& fileName, TFileRead state, const QString& text, bool loaded,
                        const QString& loadedText) {
        if (IsProtected(state))
            return;  // never read: whatever the pane holds is not the file
        if (loaded && text == loadedText)
            return;  // unchanged: the file keeps its bytes
        if (!loaded && text.isEmpty() && !listing.Find(fileName).isEmpty())
            return;  // there but never read: an empty pane must not replace it
        transaction.Put(nameOf(fileName), FileBytes(fileName, text));
    };
    planText(FoodstuffFileName, c.Files.Foodstuff, c.Foodstuff, c.FoodstuffLoaded, c.LoadedFoodstuff);
    planText(HowFileName, c.Files.How, c.How, c.HowLoaded, c.LoadedHow);
    planText(CommentFileName, c.Files.Comment, c.Comment, c.CommentLoaded, c.LoadedComment);

    const bool photoProtected = IsProtected(c.Files.Photo);
    if (photoProtected) {
        // The photo pane never showed the file; it stays as it is.
    } else if (c.PhotoChanged && !c.Photo.isEmpty()) {
        if (!LooksLikeJpeg(c.Photo))
            throw TSaporiaError(QStringLiteral("%1 に書く写真がJPEGではありません").arg(PhotoFileName));
        transaction.Put(nameOf(PhotoFileName), c.Photo);
    } else if (c.PhotoChanged && !listing.Find(PhotoFileName).isEmpty()) {
        transaction.Remove(listing.Find(PhotoFileName));
    }
    const bool memoWritten = c.MemoDirty && !c.Memo.isNull() && !IsProtected(c.Files.Memo);
    if (memoWritten)
        transaction.Put(nameOf(MemoFileName),
                        EncodeBitmap(c.Memo, QStringLiteral("%1 を作れません").arg(MemoFileName)));
    if (status)
        transaction.Put(nameOf(StatusFileName), status->ToBytes());

    transaction.Commit();

    // What was written is now what the files hold; protected files keep
    // their state.
    auto saved = [](TFileRead& state, QString& loadedText, bool& loaded, const QString& text) {
        if (IsProtected(state))
            return;
        state = TFileRead::Read;
        loadedText = text;
        loaded = true;
    };
    saved(c.Files.Foodstuff, c.LoadedFoodstuff, c.FoodstuffLoaded, c.Foodstuff);
    saved(c.Files.How, c.LoadedHow, c.HowLoaded, c.How);
    saved(c.Files.Comment, c.LoadedComment, c.CommentLoaded, c.Comment);
    c.HasComment = c.CommentLoaded;
    if (c.PhotoChanged && !photoProtected) {
        if (c.Photo.isEmpty())
            c.PhotoImage = QImage();
        c.Files.Photo = c.Photo.isEmpty() ? TFileRead::Missing : TFileRead::Read;
    }
    c.PhotoChanged = false;
    if (memoWritten) {
        c.HasMemo = true;
        c.Files.Memo = TFileRead::Read;
    }
}

std::optional<TPhotoFile> ReadPictureFile(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("bmp")) {
        QImage bitmap;
        if (!bitmap.loadFromData(ReadFileBytes(fileName), "BMP"))
            throw TSaporiaError(QStringLiteral("%1 を画像として読み込めません").arg(QDir::toNativeSeparators(fileName)));
        TPhotoFile photo;
        photo.Jpeg = EncodeJpeg(bitmap, PhotoJpegQuality);
        photo.Image = DecodeJpeg(photo.Jpeg);
        return photo;
    }
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        TPhotoFile photo;
        photo.Jpeg = ReadFileBytes(fileName);
        photo.Image = DecodeJpeg(photo.Jpeg);
        return photo;
    }
    return std::nullopt;
}
