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

struct LinkPictures : ::testing::Test {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    void SetUp() override { QDir().mkpath(Recipe); }
};

}  // namespace

TEST_F(LinkPictures, FileLinkIsByteIdenticalAndAFailedOneKeepsTheOld) {
    Dir.WriteBytes("a.jpg", SmallJpeg(8, 6, Qt::blue));
    Dir.WriteBytes("b.jpg", SmallJpeg(8, 6, Qt::red) + QByteArray("\0\xFF trailing", 11));
    LinkPictureFromFile(Recipe, "x", Dir.Path("a.jpg"));
    LinkPictureFromFile(Recipe, "X", Dir.Path("b.jpg"));
    LinkPictureFromFile(Recipe, "x", Recipe + "LinkPic/x.jpg");  // onto itself
    const QString copyError = ErrorOf([&] { LinkPictureFromFile(Recipe, "x", Dir.Path("none.jpg")); });
    EXPECT_TRUE(copyError.startsWith("ファイルのコピーに失敗しました.\r\nFromFilePath=") &&
                copyError.contains("\r\nToFilePath="));
    EXPECT_EQ(ReadRaw(Recipe + "LinkPic/x.jpg"), ReadRaw(Dir.Path("b.jpg")));
    // A file standing where the folder goes: the folder message.
    Dir.WriteBytes("Cook/other/LinkPic", "x");
    EXPECT_TRUE(ErrorOf([&] { LinkPictureFromFile(Dir.Path("Cook/other/"), "x", Dir.Path("a.jpg")); })
                    .startsWith("フォルダの作成に失敗しました.\r\nFolderPath="));

    // The clipboard link is a JPEG of the image.
    QImage green(20, 10, QImage::Format_RGB32);
    green.fill(qRgb(0, 200, 0));
    LinkPictureFromImage(Recipe, "人参", green);
    const QImage back = DecodePictureBytes(ReadRaw(Recipe + "LinkPic/人参.jpg"), "x");
    EXPECT_EQ(back.size(), QSize(20, 10));
    EXPECT_NEAR(qGreen(back.pixel(10, 5)), 200, 8);
}

TEST_F(LinkPictures, ListingMatchesIgnoringCaseAndSkipsEmptyWord) {
    for (const char* file : {"IMG_0001.JPG", ".jpg", "卵.jpg", "note.txt"})
        Dir.WriteBytes(QString("Cook/r/linkpic/") + file, "x");
    const QList<TLinkPicture> links = LinkedPictures(Recipe);
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(std::pair(links[0].Word, links[0].Path), std::pair(QString("IMG_0001"), Recipe + "linkpic/IMG_0001.JPG"));
    EXPECT_EQ(links[1].Word, "卵");
    // Relinking "img_0001" reuses the file that is there.
    EXPECT_EQ(LinkPicturePath(Recipe, "img_0001"), Recipe + "linkpic/IMG_0001.JPG");
    EXPECT_TRUE(LinkedPictures(Dir.Path("Cook/none/")).isEmpty());
}

TEST(LinkWord, TrimmedAndRefusedWithABreakAnywhereOrAReservedCharacterInside) {
    const std::pair<QString, QString> rows[] = {
        {"  塩 \t", "塩"}, {"塩\u3000", "塩\u3000"},  // U+3000 is part of the word
        {"  ", ""}, {"a/b", ""}, {"a\\b", ""}, {"a:b", ""}, {"<a>", ""}, {"塩\n", ""}, {"a\rb", ""},
        {"a\u2028b", ""}, {"a\u2029b", ""}, {"a\tb", ""}, {"a\x7F" "b", ""},
    };
    for (const auto& [selection, word] : rows)
        EXPECT_EQ(LinkWordOfSelection(selection), word) << qPrintable(selection);
}

TEST_F(LinkPictures, DeletingNeverReachesOutsideTheLinkFolder) {
    Dir.WriteBytes("Cook/r/LinkPic/a.jpg", "a");
    Dir.WriteBytes("Cook/r/LinkPic/b.jpg", "b");
    Dir.WriteBytes("Cook/r/材料.txt", "keep");
    const QList<TLinkPicture> links = LinkedPictures(Recipe);
    DeleteLinkPicture(Recipe, links[0].Path);
    DeleteLinkPicture(Recipe, links[1].Path, false);  // answered No: the last one and the folder stay
    DeleteLinkPicture(Recipe, Recipe + "材料.txt");  // outside the folder: never deleted
    EXPECT_EQ(QDir(Recipe + "LinkPic").entryList(QDir::Files), QStringList{"b.jpg"});
    DeleteLinkPicture(Recipe, links[1].Path);  // the last one takes the folder along
    EXPECT_FALSE(QFileInfo::exists(Recipe + "LinkPic"));
    EXPECT_EQ(Dir.ReadBytes("Cook/r/材料.txt"), "keep");

    // Deleting all with a link to a file outside: the link goes, its target stays.
    Dir.WriteBytes("outside.jpg", "o");
    Dir.WriteBytes("Cook/r/LinkPic/c.jpg", "c");
    QFile::link(Dir.Path("outside.jpg"), Recipe + "LinkPic/d.jpg");
    DeleteAllLinkPictures(Recipe);
    EXPECT_FALSE(QFileInfo::exists(Recipe + "LinkPic"));
    EXPECT_EQ(Dir.ReadBytes("outside.jpg"), "o");
    // "LinkPic" itself a link to a folder outside the recipe.
    Dir.WriteBytes("elsewhere/e.jpg", "e");
    ASSERT_TRUE(QFile::link(Dir.Path("elsewhere"), Recipe + "LinkPic"));
    DeleteLinkPicture(Recipe, LinkedPictures(Recipe).value(0).Path);
    DeleteAllLinkPictures(Recipe);
    EXPECT_EQ(Dir.ReadBytes("elsewhere/e.jpg"), "e");
}

TEST_F(LinkPictures, AFailedLinkLeavesNoEmptyFolderAndAFailedDeleteIsReported) {
    EXPECT_THROW(LinkPictureFromFile(Recipe, "卵", Dir.Path("none.jpg")), TSaporiaError);
    EXPECT_FALSE(QFileInfo::exists(Recipe + "LinkPic"));

    TSmallDisk disk(64);
    if (!disk.Available())
        GTEST_SKIP() << "cannot mount a small disk here";
    const QString full = disk.Root() + "r/";
    QDir().mkpath(full);
    disk.Fill();
    Dir.WriteBytes("big.jpg", SmallJpeg(8, 8) + QByteArray(256 * 1024, 'x'));
    EXPECT_THROW(LinkPictureFromFile(full, "卵", Dir.Path("big.jpg")), TSaporiaError);
    EXPECT_FALSE(QFileInfo::exists(full + "LinkPic"));
    QFile::remove(disk.Root() + "filler");
    // Deleting all on a read-only disk removes nothing and says so.
    Dir.WriteBytes("small.jpg", SmallJpeg(8, 8));
    LinkPictureFromFile(full, "卵", Dir.Path("small.jpg"));
    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_THROW(DeleteAllLinkPictures(full), TSaporiaError);
    EXPECT_EQ(LinkedPictures(full).size(), 1);
}

TEST(LinkMarks, OccurrencesIgnoringCaseInsideLongerWordsAndTheirHitRanges) {
    const struct {
        const char *Text, *Word;
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
