#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "core/lan/lan_catalog.h"
#include "core/lan/lan_client.h"
#include "core/lan/lan_protocol.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

TCookItem Item(const QString& name) {
    TCookItem item;
    item.Name = name;
    return item;
}

TCookItems Items(const QStringList& names) {
    TCookItems items;
    for (const QString& name : names)
        items.append(Item(name));
    return items;
}

QByteArray Itm(const char* a, const char* b, const char* c, const char* d) {
    return QByteArray("ITM:\"") + a + "\",\"" + b + "\",\"" + c + "\",\"" + d + "\"";
}

}  // namespace

TEST(LanRequest, SplitsCommandAndName) {
    const std::tuple<QByteArray, TLanRequestKind, QByteArray> cases[] = {
        {"GET_COOK_LIST:", TLanRequestKind::List, ""},
        {"GET_COOK_LIST:xyz", TLanRequestKind::List, ""},
        {"GET_COOK_ITEM:abc", TLanRequestKind::Item, "abc"},
        {"GET_COOK_ITEM:", TLanRequestKind::Item, ""},
        {"GET_COOK_ITEM:" + ToSjis(QStringLiteral("肉じゃが")), TLanRequestKind::Item, ToSjis(QStringLiteral("肉じゃが"))},
        {"", TLanRequestKind::Incomplete, ""},
        {"GET_CO", TLanRequestKind::Incomplete, ""},
        {"GET_COOK_I", TLanRequestKind::Incomplete, ""},
        {"HELLO", TLanRequestKind::Unknown, ""},
        {"get_cook_list:", TLanRequestKind::Unknown, ""},
        {"GET_COOK_ITEMx", TLanRequestKind::Unknown, ""},
    };
    for (const auto& [bytes, kind, name] : cases) {
        const TLanRequest request = ParseLanRequest(bytes);
        EXPECT_EQ(request.Kind, kind) << bytes.toStdString();
        EXPECT_EQ(request.Name, name) << bytes.toStdString();
    }
}

TEST(LanReply, ListReplyQuotesNamesAndLeavesOutUnusableOnes) {
    const std::pair<QStringList, QByteArray> cases[] = {
        {{}, "LST:"},
        {{"a", "b"}, R"(LST:"a","b",)"},
        // A quote is refused in a folder name: that name is left out, commas and blanks stay.
        {{"a\"b", "c,d", "e f"}, R"(LST:"c,d","e f",)"},
        // A name the check refuses or CP932 cannot hold is left out; the rest is sent.
        {{"../x", "ok", "a/b", "", QStringLiteral("x😀"), ".."}, R"(LST:"ok",)"},
        {{QStringLiteral("肉じゃが")}, "LST:\"" + ToSjis(QStringLiteral("肉じゃが")) + "\","},
    };
    for (const auto& [names, reply] : cases)
        EXPECT_EQ(BuildListReply(Items(names)), reply) << names.join('|').toStdString();
}

TEST(LanReply, ItemReplyFromSavedFiles) {
    TTempAppDir app;
    const QString root = app.AppDir() + "Cook";
    // One ingredient line without a final break and no other file.
    MakeRecipe(root, {.Name = "one", .Foodstuff = "tomato", .How = std::nullopt});
    WriteRaw(root + "/one/材料.txt", "tomato");
    MakeRecipe(root, {.Name = "quote", .Foodstuff = std::nullopt, .How = std::nullopt});
    WriteRaw(root + "/quote/方法.txt", "say \"hi\"\r\n");
    WriteRaw(root + "/quote/写真.jpg", "ABCD");
    WriteRaw(root + "/quote/コメント.txt", "c1\nc2");
    // Stored with other letter case: found all the same.
    MakeRecipe(root, {.Name = "case", .Foodstuff = std::nullopt, .How = std::nullopt});
    WriteRaw(root + "/case/写真.JPG", "xyz");
    // A file that is there but cannot be read, and one too large to send.
    MakeRecipe(root, {.Name = "broken", .Foodstuff = std::nullopt});
    QDir().mkpath(root + "/broken/材料.txt");
    MakeRecipe(root, {.Name = "huge", .Foodstuff = std::nullopt, .How = std::nullopt});
    QFile huge(root + "/huge/写真.jpg");
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MaxLanFileBytes + 1));
    huge.close();
    MakeRecipe(root, {.Name = "fifo", .Foodstuff = std::nullopt, .How = std::nullopt});
    ASSERT_EQ(mkfifo(QFile::encodeName(root + "/fifo/コメント.txt").constData(), 0600), 0);
    // Outside the data folder: never read, whatever the request or a record says.
    WriteRaw(app.AppDir() + "x/材料.txt", "SECRET");
    WriteRaw(app.AppDir() + "Cook/x/材料.txt", "inner");

    const TCookItems items = Items({"one", "quote", "case", "broken", "huge", "fifo", "../x", "Cook/../x", "x"});
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"one", Itm("tomato\r\n", "", "", "")},
        {"quote", Itm("", "say \"\"hi\"\"\r\n", "QUJDRA==", "c1\r\nc2\r\n")},
        {"case", Itm("", "", "eHl6", "")},
        {"ONE", Itm("", "", "", "")},
        {"missing", Itm("", "", "", "")},
        {"", Itm("", "", "", "")},
        {"broken", "ERR:"},
        {"huge", "ERR:"},
        {"fifo", "ERR:"},
        {"../x", Itm("", "", "", "")},
        {"Cook/../x", Itm("", "", "", "")},
        {"x", Itm("inner\r\n", "", "", "")},
    };
    for (const auto& [name, reply] : cases)
        EXPECT_EQ(BuildItemReply(root, items, name), reply) << name.toStdString();
}

TEST(LanReply, ParsesRepliesAsTheClientShowsThem) {
    const std::tuple<QByteArray, TLanReplyKind, QStringList> cases[] = {
        {R"(LST:"a","b",)", TLanReplyKind::List, {"a", "b"}},
        {"LST:", TLanReplyKind::List, {}},
        {R"(LST:"a""b","c,d",)", TLanReplyKind::List, {"a\"b", "c,d"}},
        {R"(ITM:"","","","")", TLanReplyKind::Item, {"", "", "", ""}},
        {"ITM:\"l1\nl2\",\"say \"\"x\"\"\",\"QUJD\",\"c\"", TLanReplyKind::Item,
         {"l1\r\nl2", "say \"x\"", "QUJD", "c"}},
        {"ERR:", TLanReplyKind::Error, {}},
        {"XYZ:\"a\"", TLanReplyKind::Other, {}},
        {"LST:\"" + ToSjis(QStringLiteral("表")) + "\",", TLanReplyKind::List, {QStringLiteral("表")}},
    };
    for (const auto& [bytes, kind, fields] : cases) {
        const TLanReply reply = ParseLanReply(bytes);
        EXPECT_EQ(reply.Kind, kind) << bytes.toStdString();
        EXPECT_EQ(reply.Fields, fields) << bytes.toStdString();
    }
}

TEST(LanReply, RecipeDecodingRefusesBrokenReplies) {
    const QByteArray jpeg = SmallJpeg(8, 6);
    const QString photo = QString::fromLatin1(jpeg.toBase64());
    const std::pair<QStringList, bool> cases[] = {
        {{"a", "b", "", "c"}, true},
        {{"a", "b", photo, "c"}, true},
        {{"a", "b", "c"}, false},
        {{"a", "b", "!!!!", "c"}, false},
        {{"a", "b", "QUJD", "c"}, false},  // Base64, but not a JPEG picture
        {{"a", "b", photo.left(photo.size() / 2 / 4 * 4), "c"}, false},
    };
    for (const auto& [fields, ok] : cases) {
        const TLanReply reply{TLanReplyKind::Item, fields};
        if (ok) {
            const TLanRecipe recipe = DecodeLanRecipe(reply);
            EXPECT_EQ(recipe.Foodstuff, "a");
            EXPECT_EQ(recipe.Comment, "c");
            EXPECT_EQ(recipe.Photo.isNull(), fields[2].isEmpty());
        } else {
            EXPECT_THROW(DecodeLanRecipe(reply), TSaporiaError) << fields.join('|').toStdString();
        }
    }
}

TEST(LanCatalog, AnswersLikeAFullScanAndFollowsRenames) {
    TCookItems items = Items({"a", "b", "../x", "c,d", QStringLiteral("肉じゃが")});
    TLanCatalog catalog;
    // {change before the lookup, name asked, index expected}
    const std::vector<std::tuple<std::function<void()>, QByteArray, qsizetype>> steps = {
        {[] {}, "b", 1},
        {[] {}, "../x", -1},
        {[] {}, ToSjis(QStringLiteral("肉じゃが")), 4},
        {[] {}, "", -1},
        {[&] { items[1].Name = "B"; }, "b", -1},  // renamed in place
        {[&] { items[1].Name = "B"; }, "B", 1},
        {[&] { items.removeFirst(); }, "B", 0},
        {[&] { items.clear(); }, "B", -1},
    };
    for (const auto& [change, name, index] : steps) {
        change();
        catalog.Update(items);
        EXPECT_EQ(catalog.Find(name), index) << name.toStdString();
        EXPECT_EQ(catalog.ListReply(), BuildListReply(items)) << name.toStdString();
    }
}
