#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "core/recipes/link_marks.h"
#include "core/recipes/link_pictures.h"
#include "core/platform/picture_codec.h"
#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/small_disk.h"
#include "support/temp_app_dir.h"

namespace {

// The message of the error `action` throws; empty when it throws none.
template <typename F>
QString ErrorOf(F action) {
    try {
        action();
    } catch (const TSaporiaError& e) {
        return e.message();
    }
    return QString();
}

}  // namespace

TEST(LinkPictures, FileLinkIsByteIdenticalAndRelinkingReplaces) {
    TTempAppDir dir;
    const QString recipe = dir.Path("Cook/肉じゃが/");
    QDir().mkpath(recipe);
    const QByteArray first = SmallJpeg(8, 6, qRgb(255, 0, 0)) + QByteArray("\0\xFF trailing", 11);
    const QByteArray second = SmallJpeg(8, 6, qRgb(0, 0, 255));
    dir.WriteBytes("a.jpg", first);
    dir.WriteBytes("b.jpg", second);

    LinkPictureFromFile(recipe, QStringLiteral("じゃがいも"), dir.Path("a.jpg"));
    EXPECT_EQ(dir.ReadBytes("Cook/肉じゃが/LinkPic/じゃがいも.jpg"), first);
    LinkPictureFromFile(recipe, QStringLiteral("じゃがいも"), dir.Path("b.jpg"));
    EXPECT_EQ(dir.ReadBytes("Cook/肉じゃが/LinkPic/じゃがいも.jpg"), second);

    // Linking the linked file onto itself keeps it whole.
    LinkPictureFromFile(recipe, QStringLiteral("じゃがいも"), recipe + "LinkPic/じゃがいも.jpg");
    EXPECT_EQ(dir.ReadBytes("Cook/肉じゃが/LinkPic/じゃがいも.jpg"), second);

    // A missing source fails with the copy message and keeps the old link.
    const QString copyError =
        ErrorOf([&] { LinkPictureFromFile(recipe, QStringLiteral("じゃがいも"), dir.Path("none.jpg")); });
    EXPECT_TRUE(copyError.startsWith(QStringLiteral("ファイルのコピーに失敗しました.\r\nFromFilePath=")));
    EXPECT_TRUE(copyError.contains(QStringLiteral("\r\nToFilePath=")));
    EXPECT_EQ(dir.ReadBytes("Cook/肉じゃが/LinkPic/じゃがいも.jpg"), second);

    // A file standing where the folder goes: the folder message.
    const QString other = dir.Path("Cook/other/");
    QDir().mkpath(other);
    dir.WriteBytes("Cook/other/LinkPic", "x");
    EXPECT_TRUE(ErrorOf([&] { LinkPictureFromFile(other, QStringLiteral("x"), dir.Path("a.jpg")); })
                    .startsWith(QStringLiteral("フォルダの作成に失敗しました.\r\nFolderPath=")));

    // The clipboard link is a JPEG of the image.
    QImage green(20, 10, QImage::Format_RGB32);
    green.fill(qRgb(0, 200, 0));
    LinkPictureFromImage(recipe, QStringLiteral("人参"), green);
    const QImage back = DecodePictureBytes(dir.ReadBytes("Cook/肉じゃが/LinkPic/人参.jpg"), "x");
    EXPECT_EQ(back.size(), QSize(20, 10));
    EXPECT_NEAR(qGreen(back.pixel(10, 5)), 200, 8);
}

TEST(LinkPictures, ListingMatchesIgnoringCaseAndSkipsEmptyWord) {
    TTempAppDir dir;
    const QString recipe = dir.Path("Cook/r/");
    dir.WriteBytes("Cook/r/linkpic/IMG_0001.JPG", "a");
    dir.WriteBytes("Cook/r/linkpic/.jpg", "b");
    dir.WriteBytes("Cook/r/linkpic/卵.jpg", "c");
    dir.WriteBytes("Cook/r/linkpic/note.txt", "d");
    EXPECT_EQ(LinkFolderPath(recipe), recipe + "linkpic");
    const QList<TLinkPicture> links = LinkedPictures(recipe);
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(links[0].Word, QStringLiteral("IMG_0001"));
    EXPECT_EQ(links[0].Path, recipe + "linkpic/IMG_0001.JPG");
    EXPECT_EQ(links[1].Word, QStringLiteral("卵"));
    // Relinking "img_0001" reuses the file that is there.
    EXPECT_EQ(LinkPicturePath(recipe, "img_0001"), recipe + "linkpic/IMG_0001.JPG");
    EXPECT_TRUE(LinkedPictures(dir.Path("Cook/none/")).isEmpty());
}

TEST(LinkPictures, SelectionWordChecks) {
    EXPECT_EQ(LinkWordOfSelection(QStringLiteral("  塩 \t")), QStringLiteral("塩"));
    // U+3000 is part of the word, not trimmed.
    EXPECT_EQ(LinkWordOfSelection(QStringLiteral("塩\u3000")), QStringLiteral("塩\u3000"));
    for (const QString& bad : {QStringLiteral(""), QStringLiteral("  "), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                              QStringLiteral("a:b"), QStringLiteral("a*"), QStringLiteral("?"), QStringLiteral("\"q\""),
                              QStringLiteral("<a>"), QStringLiteral("a|b"), QStringLiteral("a\r\nb"),
                              QStringLiteral("a\nb"), QStringLiteral("a\rb"), QStringLiteral("a\u2028b"),
                              QStringLiteral("a\u2029b"), QStringLiteral("a\tb"), QStringLiteral("a\x01" "b"), QStringLiteral("a\x7F" "b")})
        EXPECT_TRUE(LinkWordOfSelection(bad).isEmpty()) << bad.toStdString();
}

TEST(LinkPictures, DeletingTheLastLinkRemovesTheFolder) {
    TTempAppDir dir;
    const QString recipe = dir.Path("Cook/r/");
    dir.WriteBytes("Cook/r/LinkPic/a.jpg", "a");
    dir.WriteBytes("Cook/r/LinkPic/b.jpg", "b");
    dir.WriteBytes("Cook/r/材料.txt", "keep");
    QList<TLinkPicture> links = LinkedPictures(recipe);
    ASSERT_EQ(links.size(), 2);
    DeleteLinkPicture(recipe, links[0].Path);
    EXPECT_FALSE(QFile::exists(links[0].Path));
    EXPECT_TRUE(QFileInfo(recipe + "LinkPic").isDir());
    // Answering No for the last one keeps it, and so the folder.
    DeleteLinkPicture(recipe, links[1].Path, false);
    EXPECT_TRUE(QFile::exists(links[1].Path));
    // A path outside the folder is never deleted.
    DeleteLinkPicture(recipe, recipe + "材料.txt");
    EXPECT_TRUE(QFile::exists(recipe + "材料.txt"));
    DeleteLinkPicture(recipe, links[1].Path);
    EXPECT_FALSE(QFileInfo::exists(recipe + "LinkPic"));
    EXPECT_TRUE(QFile::exists(recipe + "材料.txt"));

    // Deleting all, with a symbolic link to a file outside: the link goes,
    // its target stays.
    dir.WriteBytes("outside.jpg", "o");
    dir.WriteBytes("Cook/r/LinkPic/c.jpg", "c");
    QFile::link(dir.Path("outside.jpg"), recipe + "LinkPic/d.jpg");
    DeleteAllLinkPictures(recipe);
    EXPECT_FALSE(QFileInfo::exists(recipe + "LinkPic"));
    EXPECT_EQ(dir.ReadBytes("outside.jpg"), QByteArray("o"));

    // "LinkPic" itself a symbolic link to a folder outside the recipe:
    // deleting one link or all of them never reaches into that folder.
    dir.WriteBytes("elsewhere/e.jpg", "e");
    ASSERT_TRUE(QFile::link(dir.Path("elsewhere"), recipe + "LinkPic"));
    links = LinkedPictures(recipe);
    ASSERT_EQ(links.size(), 1);
    DeleteLinkPicture(recipe, links[0].Path);
    DeleteAllLinkPictures(recipe);
    EXPECT_EQ(dir.ReadBytes("elsewhere/e.jpg"), QByteArray("e"));
}

TEST(LinkPictures, AFailedLinkLeavesNoEmptyFolderAndAFailedDeleteIsReported) {
    TTempAppDir dir;
    dir.WriteBytes("big.jpg", SmallJpeg(8, 8) + QByteArray(256 * 1024, 'x'));
    // A missing source and a full disk: the folder made for the link goes again.
    const QString recipe = dir.Path("Cook/r/");
    QDir().mkpath(recipe);
    EXPECT_THROW(LinkPictureFromFile(recipe, QStringLiteral("卵"), dir.Path("none.jpg")), TSaporiaError);
    EXPECT_FALSE(QFileInfo::exists(recipe + "LinkPic"));

    TSmallDisk disk(64);
    if (!disk.Available())
        GTEST_SKIP() << "cannot mount a small disk here";
    const QString full = disk.Root() + "r/";
    QDir().mkpath(full);
    disk.Fill();
    EXPECT_THROW(LinkPictureFromFile(full, QStringLiteral("卵"), dir.Path("big.jpg")), TSaporiaError);
    EXPECT_FALSE(QFileInfo::exists(full + "LinkPic"));
    QFile::remove(disk.Root() + "filler");

    // Deleting all on a read-only disk removes nothing and says so.
    dir.WriteBytes("small.jpg", SmallJpeg(8, 8));
    LinkPictureFromFile(full, QStringLiteral("卵"), dir.Path("small.jpg"));
    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_THROW(DeleteAllLinkPictures(full), TSaporiaError);
    EXPECT_EQ(LinkedPictures(full).size(), 1);
}

TEST(LinkMarks, OccurrencesIgnoringCaseInsideLongerWords) {
    TMarks food;
    TMarks how;
    const QString ingredients = QStringLiteral("Salt 少々\nrock SALT\nsaltwater\n");
    const QString method = QStringLiteral("鍋にsALtを入れる");
    AppendLinkMarks(ingredients, QStringLiteral("salt"), food);
    AppendLinkMarks(method, QStringLiteral("salt"), how);
    auto spans = [](const TMarks& marks) {
        QList<std::pair<int, int>> out;
        for (const auto& mark : marks)
            out.append({mark.StartPos, mark.EndPos});
        return out;
    };
    EXPECT_EQ(spans(food), (QList<std::pair<int, int>>{{0, 4}, {13, 17}, {18, 22}}));
    EXPECT_EQ(spans(how), (QList<std::pair<int, int>>{{2, 6}}));
    // Overlapping candidates are found one after the other.
    TMarks aa;
    AppendLinkMarks(QStringLiteral("aaa"), QStringLiteral("aa"), aa);
    EXPECT_EQ(aa.size(), 1);
    TMarks none;
    AppendLinkMarks(ingredients, QString(), none);
    EXPECT_TRUE(none.isEmpty());
}

TEST(LinkMarks, HitTestCoversFirstToLastCharacterOnly) {
    TMarks marks;
    // Two neighbouring links and a one-character link.
    AppendLinkMarks(QStringLiteral("卵牛乳 x"), QStringLiteral("卵"), marks);
    AppendLinkMarks(QStringLiteral("卵牛乳 x"), QStringLiteral("牛乳"), marks);
    AppendLinkMarks(QStringLiteral("卵牛乳 x"), QStringLiteral("x"), marks);
    const QString words[] = {QString(), QStringLiteral("卵"), QStringLiteral("牛乳"), QStringLiteral("牛乳"),
                             QString(), QStringLiteral("x"), QString()};
    for (int at = -1; at <= 5; ++at) {
        const auto* mark = MarkAtCharacter(marks, at);
        EXPECT_EQ(mark ? mark->Word : QString(), words[at + 1]) << at;
    }
}
