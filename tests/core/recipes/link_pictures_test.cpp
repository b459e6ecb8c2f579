#include "core/recipes/link_pictures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/picture_codec.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/link_marks.h"
#include "support/recipe_fixture.h"
#include "support/small_disk.h"
#include "support/temp_app_dir.h"

namespace {

// The message of the error a link throws; empty when it throws none.
QString LinkError(const QString& recipe, const QString& source) {
    try {
        LinkPictureFromFile(recipe, "x", source);
    } catch (const TSaporiaError& e) {
        return e.message();
    }
    return QString();
}

}  // namespace

TEST(LinkPictures, FileLinkIsByteIdenticalAndAFailedOneKeepsTheOld) {
    TTempAppDir dir;
    const QString recipe = dir.Path("Cook/肉じゃが/");
    QDir().mkpath(recipe);
    dir.WriteBytes("a.jpg", SmallJpeg(8, 6, Qt::blue));
    dir.WriteBytes("b.jpg", SmallJpeg(8, 6, Qt::red) + QByteArray("\0\xFF trailing", 11));
    LinkPictureFromFile(recipe, "x", dir.Path("a.jpg"));
    LinkPictureFromFile(recipe, "X", dir.Path("b.jpg"));
    LinkPictureFromFile(recipe, "x", recipe + "LinkPic/x.jpg");  // onto itself
    const QString copyError = LinkError(recipe, dir.Path("none.jpg"));
    EXPECT_TRUE(copyError.startsWith("ファイルのコピーに失敗しました.\r\nFromFilePath=") &&
                copyError.contains("\r\nToFilePath="));
    EXPECT_EQ(ReadRaw(recipe + "LinkPic/x.jpg"), ReadRaw(dir.Path("b.jpg")));
    // A file standing where the folder goes: the folder message.
    dir.WriteBytes("Cook/other/LinkPic", "x");
    EXPECT_TRUE(LinkError(dir.Path("Cook/other/"), dir.Path("a.jpg")).startsWith("フォルダの作成に失敗しました.\r\nFolderPath="));

    // The clipboard link is a JPEG of the image.
    QImage green(20, 10, QImage::Format_RGB32);
    green.fill(qRgb(0, 200, 0));
    LinkPictureFromImage(recipe, "人参", green);
    const QImage back = DecodePictureBytes(ReadRaw(recipe + "LinkPic/人参.jpg"), "x");
    EXPECT_EQ(back.size(), QSize(20, 10));
    EXPECT_NEAR(qGreen(back.pixel(10, 5)), 200, 8);
}

TEST(LinkPictures, ListingMatchesIgnoringCaseAndSkipsEmptyWord) {
    TTempAppDir dir;
    const QString recipe = dir.Path("Cook/r/");
    for (const char* file : {"Cook/r/linkpic/IMG_0001.JPG", "Cook/r/linkpic/.jpg", "Cook/r/linkpic/卵.jpg",
                             "Cook/r/linkpic/note.txt"})
        dir.WriteBytes(file, "x");
    const QList<TLinkPicture> links = LinkedPictures(recipe);
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(std::pair(links[0].Word, links[0].Path), std::pair(QString("IMG_0001"), recipe + "linkpic/IMG_0001.JPG"));
    EXPECT_EQ(links[1].Word, "卵");
    // Relinking "img_0001" reuses the file that is there.
    EXPECT_EQ(LinkPicturePath(recipe, "img_0001"), recipe + "linkpic/IMG_0001.JPG");
    EXPECT_TRUE(LinkedPictures(dir.Path("Cook/none/")).isEmpty());
}

TEST(LinkPictures, SelectionWordChecks) {
    // Trimmed ends; a line break anywhere, a reserved or control character inside refuses the word.
    const std::pair<QString, QString> rows[] = {
        {"  塩 \t", "塩"}, {"塩\u3000", "塩\u3000"},  // U+3000 is part of the word
        {"  ", ""}, {"a/b", ""}, {"a\\b", ""}, {"a:b", ""}, {"<a>", ""}, {"塩\n", ""}, {"a\rb", ""},
        {"a\u2028b", ""}, {"a\u2029b", ""}, {"a\tb", ""}, {"a\x7F" "b", ""},
    };
    for (const auto& [selection, word] : rows)
        EXPECT_EQ(LinkWordOfSelection(selection), word) << qPrintable(selection);
}

TEST(LinkPictures, DeletingNeverReachesOutsideTheLinkFolder) {
    TTempAppDir dir;
    const QString recipe = dir.Path("Cook/r/");
    dir.WriteBytes("Cook/r/LinkPic/a.jpg", "a");
    dir.WriteBytes("Cook/r/LinkPic/b.jpg", "b");
    dir.WriteBytes("Cook/r/材料.txt", "keep");
    const QList<TLinkPicture> links = LinkedPictures(recipe);
    DeleteLinkPicture(recipe, links[0].Path);
    DeleteLinkPicture(recipe, links[1].Path, false);  // answered No: the last one and the folder stay
    DeleteLinkPicture(recipe, recipe + "材料.txt");  // outside the folder: never deleted
    EXPECT_EQ(QDir(recipe + "LinkPic").entryList(QDir::Files), QStringList{"b.jpg"});
    DeleteLinkPicture(recipe, links[1].Path);  // the last one takes the folder along
    EXPECT_FALSE(QFileInfo::exists(recipe + "LinkPic"));
    EXPECT_TRUE(QFile::exists(recipe + "材料.txt"));

    // Deleting all with a link to a file outside: the link goes, its target stays.
    dir.WriteBytes("outside.jpg", "o");
    dir.WriteBytes("Cook/r/LinkPic/c.jpg", "c");
    QFile::link(dir.Path("outside.jpg"), recipe + "LinkPic/d.jpg");
    DeleteAllLinkPictures(recipe);
    EXPECT_FALSE(QFileInfo::exists(recipe + "LinkPic"));
    EXPECT_EQ(dir.ReadBytes("outside.jpg"), "o");
    // "LinkPic" itself a link to a folder outside the recipe.
    dir.WriteBytes("elsewhere/e.jpg", "e");
    ASSERT_TRUE(QFile::link(dir.Path("elsewhere"), recipe + "LinkPic"));
    DeleteLinkPicture(recipe, LinkedPictures(recipe).value(0).Path);
    DeleteAllLinkPictures(recipe);
    EXPECT_EQ(dir.ReadBytes("elsewhere/e.jpg"), "e");
}

TEST(LinkPictures, AFailedLinkLeavesNoEmptyFolderAndAFailedDeleteIsReported) {
    TTempAppDir dir;
    dir.WriteBytes("big.jpg", SmallJpeg(8, 8) + QByteArray(256 * 1024, 'x'));
    const QString recipe = dir.Path("Cook/r/");
    QDir().mkpath(recipe);
    EXPECT_THROW(LinkPictureFromFile(recipe, "卵", dir.Path("none.jpg")), TSaporiaError);
    EXPECT_FALSE(QFileInfo::exists(recipe + "LinkPic"));

    TSmallDisk disk(64);
    if (!disk.Available())
        GTEST_SKIP() << "cannot mount a small disk here";
    const QString full = disk.Root() + "r/";
    QDir().mkpath(full);
    disk.Fill();
    EXPECT_THROW(LinkPictureFromFile(full, "卵", dir.Path("big.jpg")), TSaporiaError);
    EXPECT_FALSE(QFileInfo::exists(full + "LinkPic"));
    QFile::remove(disk.Root() + "filler");
    // Deleting all on a read-only disk removes nothing and says so.
    dir.WriteBytes("small.jpg", SmallJpeg(8, 8));
    LinkPictureFromFile(full, "卵", dir.Path("small.jpg"));
    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_THROW(DeleteAllLinkPictures(full), TSaporiaError);
    EXPECT_EQ(LinkedPictures(full).size(), 1);
}

TEST(LinkMarks, OccurrencesIgnoringCaseInsideLongerWordsAndTheirHitRanges) {
    const struct {
        const char* Text;
        const char* Word;
        QList<std::pair<int, int>> Spans;
    } rows[] = {
        {"Salt 少々\nrock SALT\nsaltwater\n", "salt", {{0, 4}, {13, 17}, {18, 22}}},
        {"鍋にsALtを入れる", "salt", {{2, 6}}},
        {"aaa", "aa", {{0, 2}}},  // overlapping candidates one after the other
        {"salt", "", {}},
    };
    for (const auto& row : rows) {
        TMarks marks;
        AppendLinkMarks(row.Text, row.Word, marks);
        QList<std::pair<int, int>> spans;
        for (const TMark& mark : marks)
            spans.append({mark.StartPos, mark.EndPos});
        EXPECT_EQ(spans, row.Spans) << row.Text;
    }
    // Two neighbouring links and a one-character link: each covers its first to last character.
    TMarks marks;
    for (const char* word : {"卵", "牛乳", "x"})
        AppendLinkMarks("卵牛乳 x", word, marks);
    const QStringList words{"", "卵", "牛乳", "牛乳", "", "x", ""};
    for (int at = -1; at <= 5; ++at) {
        const TMark* mark = MarkAtCharacter(marks, at);
        EXPECT_EQ(mark ? mark->Word : QString(), words[at + 1]) << at;
    }
}
