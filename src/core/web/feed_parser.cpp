#include "core/web/feed_parser.h"

#include <QDomDocument>

#include "core/platform/saporia_error.h"
#include "core/platform/xml_dom.h"

namespace {

const QString Rss10Namespace = QStringLiteral("http://purl.org/rss/1.0/");

// RSS 1.0: every child of the item is looked at, the last of a name counts.
TNewsItem ReadLastOfEach(const QDomElement& item) {
    TNewsItem news;
    for (QDomElement child = item.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString name = child.nodeName();
        if (name == u"dc:date")
            news.lastupdate = child.text();
        else if (name == u"title")
            news.title = child.text();
        else if (name == u"description")
            news.description = child.text();
        else if (name == u"link")
            news.link = child.text();
    }
    return news;
}

// RSS 0.91 and 2.0: the first child of each name.
TNewsItem ReadFirstOfEach(const QDomElement& item) {
    return {ChildText(item, QStringLiteral("dc:date")), ChildText(item, QStringLiteral("title")),
            ChildText(item, QStringLiteral("description")), ChildText(item, QStringLiteral("link"))};
}

}  // namespace

TFeedParseResult ParseFeed(const QByteArray& bytes) {
    TFeedParseResult result;
    QDomDocument doc;
    try {
        doc = ParseXmlBytes(bytes);
    } catch (const TSaporiaError& e) {
        result.Error = e.message();
        return result;
    }
    const QDomElement root = doc.documentElement();
    if (root.isNull()) {
        result.Error = QStringLiteral("XML の文書要素がありません");
        return result;
    }
    if (root.attribute(QStringLiteral("xmlns")) == Rss10Namespace) {
        for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            if (e.nodeName() == u"item")
                result.News.push_back(ReadLastOfEach(e));
    }
    const QString version = root.attribute(QStringLiteral("version"));
    if (version == u"0.91" || version == u"2.0") {
        const QDomElement channel = root.firstChildElement(QStringLiteral("channel"));
        for (QDomElement e = channel.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            if (e.nodeName() == u"item")
                result.News.push_back(ReadFirstOfEach(e));
    }
    result.Ok = true;
    return result;
}
