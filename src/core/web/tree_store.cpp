#include "core/web/tree_store.h"

#include <cerrno>

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

#include "core/platform/text_codes.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/xml_dom.h"

namespace {

// An element with its text; an empty one still gets an end tag of its own.
QDomElement AddText(QDomDocument& doc, QDomElement parent, const QString& name, const QString& text) {
    QDomElement element = doc.createElement(name);
    element.appendChild(doc.createTextNode(text));
    parent.appendChild(element);
    return element;
}

QString Coded(const QString& text) { return EncodeTextCodes(text); }
QString Uncoded(const QString& text) { return DecodeTextCodes(text); }

void WriteNode(QDomDocument& doc, QDomElement parent, const TWebNode& node, TStoreKind kind) {
    if (node.IsFolder()) {
        QDomElement folder = doc.createElement(QStringLiteral("Folder"));
        folder.setAttribute(QStringLiteral("Name"), node.Title);
        folder.appendChild(doc.createTextNode(QString()));
        parent.appendChild(folder);
        for (const auto& child : node.Children())
            WriteNode(doc, folder, *child, kind);
        return;
    }
    const TWebNodeKind entryKind = kind == TStoreKind::Rss ? TWebNodeKind::Site : TWebNodeKind::Bookmark;
    if (node.Kind != entryKind)
        return;
    QDomElement item = doc.createElement(QStringLiteral("Item"));
    parent.appendChild(item);
    AddText(doc, item, QStringLiteral("Title"), Coded(node.Title));
    AddText(doc, item, QStringLiteral("URL"), Coded(node.URL));
    if (kind == TStoreKind::Bookmark)
        return;
    AddText(doc, item, QStringLiteral("LastUpdate"), node.LastUpdate);
    QDomElement news = AddText(doc, item, QStringLiteral("News"), QString());
    for (const TNewsItem& n : node.News) {
        QDomElement newsItem = doc.createElement(QStringLiteral("Item"));
        news.appendChild(newsItem);
        AddText(doc, newsItem, QStringLiteral("lastupdate"), n.lastupdate);
        AddText(doc, newsItem, QStringLiteral("title"), Coded(n.title));
        AddText(doc, newsItem, QStringLiteral("description"), Coded(n.description));
        AddText(doc, newsItem, QStringLiteral("link"), Coded(n.link));
    }
}

std::unique_ptr<TWebNode> ReadNode(const QDomElement& element, TStoreKind kind) {
    if (element.tagName() == u"Folder") {
        auto folder = std::make_unique<TWebNode>(TWebNodeKind::Folder, element.attribute(QStringLiteral("Name")));
        for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
            folder->Append(ReadNode(child, kind));
        return folder;
    }
    // Anything else inside a folder is an entry; missing fields read empty.
    auto entry = std::make_unique<TWebNode>(kind == TStoreKind::Rss ? TWebNodeKind::Site : TWebNodeKind::Bookmark,
                                            Uncoded(ChildText(element, QStringLiteral("Title"))),
                                            Uncoded(ChildText(element, QStringLiteral("URL"))));
    if (kind == TStoreKind::Rss) {
        entry->LastUpdate = ChildText(element, QStringLiteral("LastUpdate"));
        const QDomElement news = element.firstChildElement(QStringLiteral("News"));
        for (QDomElement n = news.firstChildElement(); !n.isNull(); n = n.nextSiblingElement())
            entry->News.push_back({ChildText(n, QStringLiteral("lastupdate")),
                                   Uncoded(ChildText(n, QStringLiteral("title"))),
                                   Uncoded(ChildText(n, QStringLiteral("description"))),
                                   Uncoded(ChildText(n, QStringLiteral("link")))});
    }
    return entry;
}

}  // namespace

QString StoreTopName(TStoreKind kind) {
    return kind == TStoreKind::Rss ? QStringLiteral("RSS") : QStringLiteral("BOOKMARK");
}

QString StoreFileName(TStoreKind kind) {
    return kind == TStoreKind::Rss ? QStringLiteral("RSS.dat") : QStringLiteral("Bookmark.dat");
}

std::unique_ptr<TWebNode> DefaultStoreTree(TStoreKind kind) {
    return std::make_unique<TWebNode>(TWebNodeKind::Folder, StoreTopName(kind));
}

QByteArray StoreToBytes(const TWebNode& top, TStoreKind kind) {
    QDomDocument doc = NewXmlDocument(QStringLiteral("Document"));
    WriteNode(doc, doc.documentElement(), top, kind);
    return XmlToBytes(doc);
}

std::unique_ptr<TWebNode> StoreFromBytes(const QByteArray& bytes, TStoreKind kind) {
    const QDomDocument doc = ParseXmlBytes(bytes);
    const QDomElement top = doc.documentElement().firstChildElement(QStringLiteral("Folder"));
    if (top.isNull())
        throw TSaporiaError(QStringLiteral("Folder 要素がありません"));
    return ReadNode(top, kind);
}

namespace {

constexpr int MaxSetAsideCopies = 99;

// "<path>.bad" for the first copy, "<path>.bad2" and on for the later ones.
QString SetAsidePath(const QString& path, int copy) {
    return path + (copy == 1 ? QStringLiteral(".bad") : QStringLiteral(".bad%1").arg(copy));
}

// The first copy number from `from` on whose name nothing has; 0 when none.
int FreeSetAsideCopy(const QString& path, int from) {
    for (int copy = from; copy <= MaxSetAsideCopies; ++copy)
        if (!EntryExists(SetAsidePath(path, copy)))
            return copy;
    return 0;
}

const QString LeftAsItIs = QStringLiteral("\nこのファイルはそのまま残し、終了時にも書き込みません");

}  // namespace

TTreeStore::TTreeStore(const QString& path, TStoreKind kind)
    : FilePath(path), StoreKind(kind), Tree(DefaultStoreTree(kind)) {}

void TTreeStore::Load() {
    Tree = DefaultStoreTree(StoreKind);
    Error.clear();
    BackupFailure.clear();
    Fate = TFate::Write;
    SetAsideCopy = 0;
    // A link that leads nowhere cannot be opened either; writing through it
    // would put a store where the user never had one.
    if (!EntryExists(FilePath))
        return;
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(FilePath, MaxStoreFileBytes);
    } catch (const TSaporiaError& e) {
        // What an unopened file holds is unknown, so nothing may replace it.
        Fate = TFate::Leave;
        Error = e.message() + LeftAsItIs;
        return;
    }
    try {
        Tree = StoreFromBytes(bytes, StoreKind);
    } catch (const TSaporiaError& e) {
        Tree = DefaultStoreTree(StoreKind);
        const QString message = e.message();
        Error = message.contains(FilePath) ? message : FilePath + QStringLiteral(": ") + message;
        SetAsideCopy = FreeSetAsideCopy(FilePath, 1);
        if (SetAsideCopy == 0) {
            Fate = TFate::Leave;
            Error += LeftAsItIs;
        } else {
            Fate = TFate::SetAside;
            Error += QStringLiteral("\nこのファイルは終了時に %1 へ名前を変えて残します")
                         .arg(QFileInfo(SetAsidePath(FilePath, SetAsideCopy)).fileName());
        }
        return;
    }
    // The backup holds the store as it was read, before this run changes it.
    // Failing to write it (a full disk) costs the backup, not the store.
    const QString backup = FilePath + QStringLiteral(".tmp");
    try {
        WriteFileAtomic(backup, bytes);
    } catch (const TSaporiaError& e) {
        BackupFailure = QStringLiteral("%1 のバックアップを作れません (%2)。%1 は読み込んであります")
                            .arg(StoreFileName(StoreKind), e.message());
    }
}

void TTreeStore::Save() {
    if (Fate == TFate::Leave)
        return;
    const QByteArray bytes = StoreToBytes(*Tree, StoreKind);
    if (Fate == TFate::SetAside)
        SetAsideUnparsedFile();
    Fate = TFate::Write;
    WriteFileAtomic(FilePath, bytes);
}

void TTreeStore::SetAsideUnparsedFile() {
    const QByteArray from = QFile::encodeName(FilePath);
    // The name told at start may have been taken since: then the next free one.
    for (int copy = SetAsideCopy; copy != 0; copy = FreeSetAsideCopy(FilePath, copy + 1)) {
        const QString to = SetAsidePath(FilePath, copy);
        if (RenameNoReplace(from, QFile::encodeName(to)) || errno == ENOENT)
            return;  // kept, or gone since the start and nothing to keep
        if (errno != EEXIST)
            throw TSaporiaError(CannotWriteMessage(to));
    }
    throw TSaporiaError(CannotWriteMessage(FilePath));
}
