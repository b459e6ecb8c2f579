#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <QFile>

#include "core/lan/lan_protocol.h"
#include "core/lan/lan_reply_stream.h"
#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// The field as sent, made the plain way: lines ended by CR LF, quotes doubled.
QByteArray SentText(QByteArray text) {
    if (text.isEmpty())
        return text;
    text.replace("\r\n", "\n").replace('\r', '\n');
    if (!text.endsWith('\n'))
        text += '\n';
    return text.replace("\n", "\r\n").replace("\"", "\"\"");
}

struct TFiles {
    QByteArray Foodstuff, How;
    std::optional<QByteArray> Photo;
    QByteArray Comment;
};

QByteArray Expected(const TFiles& f) {
    const QByteArray photo = f.Photo ? f.Photo->toBase64() : QByteArray();
    return "ITM:\"" + SentText(f.Foodstuff) + "\",\"" + SentText(f.How) + "\",\"" + photo + "\",\"" +
           SentText(f.Comment) + "\"";
}

QByteArray Pattern(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 31 + 7);
    return bytes;
}

}  // namespace

TEST(LanReplyStream, PiecesOfAnySizeMakeTheWholeReply) {
    TTempAppDir app;
    const QString root = app.AppDir() + "Cook";
    const TFiles cases[] = {
        {"a\r\nb\rc\nd", "\r\r\n\"q\"", QByteArray("x"), "end\r\n"},
        {"", "\n\n", QByteArray("xy"), "\"\"\""},
        {"one", "", QByteArray("xyz"), ""},
        {QByteArray(70000, '"'), QByteArray(3000, '\r'), QByteArray("wxyz"), QByteArray(5000, '\n')},
        {"tail\r", "", Pattern(200'000), "c"},  // the photo spans more than one read
        {"", "", std::nullopt, ""},
    };
    const qint64 sizes[] = {4, 5, 7, 64, 1000, 1 << 20};
    int n = 0;
    for (const TFiles& files : cases) {
        const QString name = QStringLiteral("r%1").arg(n++);
        MakeRecipe(root, {.Name = name, .Foodstuff = std::nullopt, .How = std::nullopt});
        WriteRaw(root + "/" + name + "/材料.txt", files.Foodstuff);
        WriteRaw(root + "/" + name + "/方法.txt", files.How);
        WriteRaw(root + "/" + name + "/コメント.txt", files.Comment);
        if (files.Photo)
            WriteRaw(root + "/" + name + "/写真.jpg", *files.Photo);
        const TCookItem item = NamedItem(name);
        const QByteArray expected = Expected(files);
        EXPECT_EQ(BuildItemReply(root, &item), expected) << n;
        for (const qint64 size : sizes) {
            TLanReplyStream stream(root, &item);
            EXPECT_GE(stream.SizeBound(), expected.size());
            QByteArray whole;
            while (!stream.AtEnd()) {
                const QByteArray piece = stream.Take(size);
                ASSERT_FALSE(piece.isEmpty()) << n << " " << size;
                ASSERT_LE(piece.size(), size) << n << " " << size;
                whole += piece;
            }
            EXPECT_EQ(whole, expected) << n << " " << size;
        }
    }
}

TEST(LanReplyStream, FileChangedAfterTheStartNeverGivesABrokenReply) {
    TTempAppDir app;
    const QString root = app.AppDir() + "Cook";
    const QString photo = root + "/p/写真.jpg";
    // {change made once the reply started, the rest of the reply (nullopt: it cannot be finished)}
    const std::pair<std::function<void()>, std::optional<QByteArray>> cases[] = {
        {[&] { QFile(photo).resize(MaxLanFileBytes + 1); }, std::nullopt},  // grew past the limit
        {[&] { QFile::remove(photo); }, std::nullopt},
        {[&] { WriteRaw(photo, "12"); }, "MTI=\",\"\""},  // saved anew: the new photo whole
    };
    for (const auto& [change, rest] : cases) {
        MakeRecipe(root, {.Name = "p", .Foodstuff = std::nullopt, .How = std::nullopt});
        WriteRaw(photo, "abcdef");
        const TCookItem item = NamedItem("p");
        TLanReplyStream stream(root, &item);
        EXPECT_EQ(stream.Take(10), "ITM:\"\",\"\",");
        change();
        QByteArray tail;
        if (rest) {
            while (!stream.AtEnd())
                tail += stream.Take(4);
            EXPECT_EQ(tail, "\"" + *rest);
        } else {
            EXPECT_THROW(
                while (!stream.AtEnd()) stream.Take(1 << 20), TSaporiaError);
        }
    }
}
