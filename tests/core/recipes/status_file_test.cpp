#include "core/recipes/status_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

TEST(StatusFile, LookupIgnoresCaseTakesFirstMatchAndKeepsValuesAsStored) {
    const TStatusFile status = TStatusFile::FromBytes(ToSjis(QStringLiteral(
        "メモ書きの行\r\nicon=5\nKIND=主菜\rWorkTime=a=b=c\r\nKind=副菜\r\n Price=100\r\nSalt= 1.5 \r\n"
        "NiceValue=\r\nDifficultValue=abc\r\nCalorie=7")));
    EXPECT_EQ(status.Value(StatusKey::Icon), QStringLiteral("5"));
    EXPECT_EQ(status.IntValue(StatusKey::Icon), 5);
    EXPECT_EQ(status.Value(StatusKey::Kind), QStringLiteral("主菜"));           // first of two lines
    EXPECT_EQ(status.Value(StatusKey::WorkTime), QStringLiteral("a=b=c"));      // after the first "="
    EXPECT_EQ(status.Value(StatusKey::Price), QString());                       // " Price" is another key
    EXPECT_EQ(status.Value(StatusKey::Salt), QStringLiteral(" 1.5 "));          // nothing trimmed
    EXPECT_EQ(status.IntValue(StatusKey::NiceValue), -1);                       // empty value
    EXPECT_EQ(status.IntValue(StatusKey::DifficultValue), -1);                  // not a number
    EXPECT_EQ(status.IntValue(StatusKey::Calorie), 7);                          // last line without CR LF
    EXPECT_EQ(status.Value(StatusKey::Date), QString());
    EXPECT_FALSE(status.Contains(StatusKey::Date));
    EXPECT_EQ(status.Value(QStringLiteral("メモ書きの行")), QString());         // a line without "=" has no key
}

TEST(StatusFile, SetKeepsOtherLinesInPlaceAndWritesExactCp932CrLf) {
    TStatusFile status(QStringList{QStringLiteral("手書きの注記"), QStringLiteral("kind=和"),
                                   QStringLiteral("Custom=残す"), QStringLiteral("Icon=3"),
                                   QStringLiteral("Kind=二つ目")});
    status.SetValue(StatusKey::Kind, QStringLiteral("洋食"));   // first match replaced, spelled as the writer does
    status.SetValue(StatusKey::Icon, QString());                // empty value removes the line
    status.SetValue(StatusKey::Group, QStringLiteral("行1\r\n行2\nGroup2=x"));  // no injected lines
    status.SetValue(StatusKey::NiceValue, 4);
    status.SetValue(StatusKey::Salt, QString());                // removing a missing key changes nothing
    EXPECT_EQ(status.Lines(), (QStringList{QStringLiteral("手書きの注記"), QStringLiteral("Kind=洋食"),
                                           QStringLiteral("Custom=残す"), QStringLiteral("Kind=二つ目"),
                                           QStringLiteral("Group=行1  行2 Group2=x"), QStringLiteral("NiceValue=4")}));
    // "手書きの注記" in CP932, then each line with CR LF.
    QByteArray expected("\x8e\xe8\x8f\x91\x82\xab\x82\xcc\x92\x8d\x8b\x4c\r\n"
                        "Kind=\x97\x6d\x90\x48\r\n"
                        "Custom=\x8e\x63\x82\xb7\r\n"
                        "Kind=\x93\xf1\x82\xc2\x96\xda\r\n"
                        "Group=\x8d\x73" "1  \x8d\x73" "2 Group2=x\r\n"
                        "NiceValue=4\r\n");
    EXPECT_EQ(status.ToBytes(), expected);

    // A value that cannot be stored fails before anything is written, naming
    // its place in the value the user typed: a character CP932 cannot hold, a
    // private-use character posing as a raw CR or LF, a kept raw byte an edit
    // put before a trail byte.
    const struct {
        QString Value;
        int Position;
    } refused[] = {
        {QStringLiteral("寿司🍣"), 3},
        {QStringLiteral("2") + QChar(0xF70D) + QChar(0xF70A) + QStringLiteral("Icon=5"), 2},
        {FromSjis(QByteArray("\x82")) + QStringLiteral("a"), 1},
    };
    for (const auto& r : refused) {
        TStatusFile bad(QStringList{QStringLiteral("Kind=和食"), QStringLiteral("Group=昼")});
        bad.SetValue(StatusKey::Amount, r.Value);
        try {
            bad.ToBytes();
            ADD_FAILURE() << "stored " << qPrintable(r.Value);
        } catch (const TSaporiaError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("(%1文字目)").arg(r.Position))) << qPrintable(e.message());
        }
    }
}

TEST(StatusFile, FolderFileIsFoundAndRewrittenInItsOwnLetterCase) {
    TTempAppDir app;
    const QString folder = app.Path(QStringLiteral("Cook/煮物"));
    QDir().mkpath(folder);
    bool exists = true;
    EXPECT_TRUE(TStatusFile::LoadFromFolder(folder, &exists).IsEmpty());
    EXPECT_FALSE(exists);

    WriteRaw(folder + QStringLiteral("/status.txt"), ToSjis(QStringLiteral("Kind=煮物\r\n")));
    TStatusFile status = TStatusFile::LoadFromFolder(folder, &exists);
    EXPECT_TRUE(exists);
    EXPECT_EQ(status.Value(StatusKey::Kind), QStringLiteral("煮物"));
    status.SetValue(StatusKey::Date, QStringLiteral("2024/05/01"));
    status.SaveToFolder(folder);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("status.txt")});
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("/status.txt")), QByteArray("Kind=\x8e\xcf\x95\xa8\r\nDate=2024/05/01\r\n"));
    EXPECT_EQ(TStatusFile::LoadFromFolder(folder).Lines(), status.Lines());

    // An attribute file that is there but cannot be read is an error, not an empty file.
    QDir().mkpath(app.Path(QStringLiteral("Cook/壊れた")));
    QFile::link(app.Path(QStringLiteral("Cook/壊れた/nowhere")), app.Path(QStringLiteral("Cook/壊れた/Status.txt")));
    EXPECT_THROW(TStatusFile::LoadFromFolder(app.Path(QStringLiteral("Cook/壊れた"))), TSaporiaError);
    // A FIFO is unreadable too, not a hang.
    QDir().mkpath(app.Path(QStringLiteral("Cook/fifo")));
    ASSERT_EQ(mkfifo(QFile::encodeName(app.Path(QStringLiteral("Cook/fifo/Status.txt"))).constData(), 0600), 0);
    EXPECT_THROW(TStatusFile::LoadFromFolder(app.Path(QStringLiteral("Cook/fifo"))), TSaporiaError);
}

}  // namespace
