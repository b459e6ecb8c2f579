#include <gtest/gtest.h>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/platform/xml_dom.h"
#include "support/temp_app_dir.h"

TEST(XmlDom, SavesCp932UnderOwnDeclarationAndReadsBackLosslessly) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // U+1F600
    TTempAppDir dir;
    QDomDocument doc = NewXmlDocument("RSS");
    QDomElement root = ChildElement(doc, "RSS");
    QDomElement item = ChildElement(root, "Item");
    SetChildText(item, "Title", QStringLiteral("鯖の味噌煮～") + emoji + QStringLiteral(" & <b>"));
    item.setAttribute("Note", QStringLiteral("絵文字") + emoji + "\"q\"");
    EXPECT_EQ(ChildElement(root, "Empty"), ChildElement(root, "Empty"));  // made once, then found
    ChildElement(root, "Raw").appendChild(doc.createCDATASection(QStringLiteral("a<b") + emoji + "c"));
    // Characters XML cannot hold at all are left out, so the file stays readable.
    SetChildText(root, "Ctl", QStringLiteral("x\x01y\tz\r\nw"));
    SaveXmlFile(dir.Path("a.dat"), doc);

    // CP932 bytes (～ is 0x8160 in CP932), no indentation, emoji as a reference.
    const QByteArray bytes = dir.ReadBytes("a.dat");
    EXPECT_EQ(bytes, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<RSS><Item Note=\"" +
                         ToSjis(QStringLiteral("絵文字")) + "&#x1F600;&quot;q&quot;\"><Title>" +
                         ToSjis(QStringLiteral("鯖の味噌煮～")) +
                         "&#x1F600; &amp; &lt;b></Title></Item><Empty/><Raw><![CDATA[a<b]]>&#x1F600;<![CDATA[c]]></Raw>"
                         "<Ctl>xy\tz&#xd;\nw</Ctl></RSS>");
    const QDomDocument back = LoadXmlFile(dir.Path("a.dat"));
    const QDomElement backItem = back.documentElement().firstChildElement("Item");
    EXPECT_EQ(ChildText(backItem, "Title"), QStringLiteral("鯖の味噌煮～") + emoji + " & <b>");
    EXPECT_EQ(backItem.attribute("Note"), QStringLiteral("絵文字") + emoji + "\"q\"");
    EXPECT_EQ(back.documentElement().firstChildElement("Raw").text(), QStringLiteral("a<b") + emoji + "c");
    EXPECT_EQ(ChildText(back.documentElement(), "Ctl"), QStringLiteral("xy\tz\r\nw"));
    EXPECT_EQ(XmlToBytes(back), bytes);  // saving what was read gives the same bytes

    // The first match is read and written; a declaration read from a file is replaced by ours, never doubled.
    QDomDocument two = ParseXmlText("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a><b>1</b><b>2</b></a>");
    EXPECT_EQ(ChildText(two.documentElement(), "b"), QStringLiteral("1"));
    SetChildText(two.documentElement(), "b", "x");
    EXPECT_EQ(XmlToBytes(two), QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<a><b>x</b><b>2</b></a>"));
}

TEST(XmlDom, DecodesByDeclarationAndRejectsBrokenFiles) {
    const QString text = QStringLiteral("<r>カレー</r>");
    // No declaration: UTF-8 when the bytes are UTF-8, else CP932.
    for (const QByteArray& bytes : {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + ToSjis(text),
                                    "<?xml version='1.0' encoding='utf-8'?>" + text.toUtf8(),
                                    "\xEF\xBB\xBF" + text.toUtf8(), text.toUtf8(), ToSjis(text)})
        EXPECT_EQ(ParseXmlBytes(bytes).documentElement().text(), QStringLiteral("カレー")) << bytes.toStdString();
    EXPECT_THROW(ParseXmlText("<a><b></a>"), TSaporiaError);
    EXPECT_THROW(ParseXmlText(""), TSaporiaError);
    TTempAppDir dir;
    dir.WriteBytes("bad.dat", "<a>");
    try {
        LoadXmlFile(dir.Path("bad.dat"));
        FAIL() << "no error";
    } catch (const TSaporiaError& e) {
        EXPECT_TRUE(e.message().startsWith(dir.Path("bad.dat")));
    }
    EXPECT_THROW(LoadXmlFile(dir.Path("missing.dat")), TSaporiaError);
}

// A feed title may hold any character: private-use ones that look like raw bytes for "<" or "&", and "¥",
// which CP932 would turn into "\".
TEST(XmlDom, TextFromTheNetworkCannotBreakTheFile) {
    QDomDocument doc = NewXmlDocument("RSS");
    const QString title = QStringLiteral("a") + QChar(0xF73C) + QStringLiteral("b/c") + QChar(0xF726) +
                          QStringLiteral("¥300") + QChar(0xF7A0);
    SetChildText(doc.documentElement(), "Title", title);
    doc.documentElement().setAttribute("Name", title);
    const QByteArray bytes = XmlToBytes(doc);
    EXPECT_FALSE(bytes.contains("a<b") || bytes.contains("\\300"));
    const QDomDocument back = ParseXmlBytes(bytes);
    EXPECT_EQ(std::pair(ChildText(back.documentElement(), "Title"), back.documentElement().attribute("Name")),
              std::pair(title, title));
}
