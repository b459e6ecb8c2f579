#include "core/platform/xml_dom.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextStream>

#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

namespace {

const QString Declaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n");

bool IsXmlChar(char32_t c) {
    if (c < 0x20)
        return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c >= 0xD800 && c <= 0xDFFF)  // a lone surrogate
        return false;
    return c != 0xFFFE && c != 0xFFFF;
}

bool IsPlainText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 ? !IsXmlChar(c) : (c >= 0xD800 && c <= 0xDFFF) || c >= 0xFFFE)
            return false;
    }
    return IsSjisEncodable(text);
}

// Serialised text made fit for CP932: characters it cannot hold become
// character references where XML allows them (text, attribute values,
// split CDATA sections); characters XML cannot hold are left out.
class TCp932Fitter final {
public:
    explicit TCp932Fitter(const QString& text) : In(text) {}

    QString Run() {
        while (Pos < In.size()) {
            if (In[Pos] != u'<') {
                Copy(true);
            } else if (At(u"<!--")) {
                CopyUntil(u"-->", false);
            } else if (At(u"<![CDATA[")) {
                CopyCdata();
            } else if (At(u"<?")) {
                CopyUntil(u"?>", false);
            } else if (At(u"<!")) {
                CopyDeclaration();
            } else {
                CopyTag();
            }
        }
        return Out;
    }

private:
    bool At(QStringView s) const { return QStringView(In).mid(Pos).startsWith(s); }

    // Copies one character (a surrogate pair counts as one).
    void Copy(bool referenceAllowed, bool inCdata = false) {
        char32_t c = In[Pos].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(c) && Pos + 1 < In.size() && In[Pos + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(In[Pos], In[Pos + 1]);
            length = 2;
        }
        const QString ch = In.mid(Pos, length);
        const bool joinsNext = referenceAllowed && JoinsNext(Pos);
        Pos += length;
        if (!IsXmlChar(c))
            return;
        if (c < 0x80 || !referenceAllowed || (IsSjisEncodable(ch) && !joinsNext)) {
            Out += ch;
            return;
        }
        const QString reference =
            QStringLiteral("&#x%1;").arg(QString::number(static_cast<uint>(c), 16).toUpper());
        Out += inCdata ? QStringLiteral("]]>") + reference + QStringLiteral("<![CDATA[") : reference;
    }

    // A byte kept from the file read (U+F780-U+F7FF) that would join what
    // follows into another character when written: 0xEE before "犾", which
    // was read from 0xEE40 but is written as 0xFB5C. Only a reference keeps
    // the text as it was read.
    bool JoinsNext(qsizetype at) const {
        const char16_t c = In[at].unicode();
        if (c < 0xF780 || c > 0xF7FF || at + 1 >= In.size())
            return false;
        const qsizetype next = In[at + 1].isHighSurrogate() && at + 2 < In.size() ? 2 : 1;
        return !IsSjisEncodable(In.mid(at, 1 + next));
    }

    void CopyUntil(QStringView end, bool referenceAllowed) {
        while (Pos < In.size() && !At(end))
            Copy(referenceAllowed);
        Out += In.mid(Pos, end.size());
        Pos += end.size();
    }

    void CopyCdata() {
        Out += QStringLiteral("<![CDATA[");
        Pos += 9;
        while (Pos < In.size() && !At(u"]]>"))
            Copy(true, true);
        Out += In.mid(Pos, 3);
        Pos += 3;
    }

    // <!DOCTYPE ...> with an optional internal subset in brackets.
    void CopyDeclaration() {
        int depth = 0;
        while (Pos < In.size()) {
            const QChar c = In[Pos];
            Copy(false);
            if (c == u'[')
                ++depth;
            else if (c == u']')
                --depth;
            else if (c == u'>' && depth <= 0)
                return;
        }
    }

    // A start or end tag: references only inside quoted attribute values.
    void CopyTag() {
        QChar quote;
        while (Pos < In.size()) {
            const QChar c = In[Pos];
            Copy(!quote.isNull());
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u'>') {
                return;
            }
        }
    }

    const QString& In;
    QString Out;
    qsizetype Pos = 0;
};

}  // namespace

QDomDocument ParseXmlText(const QString& text) {
    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(text, false, &message, &line, &column))
        throw TSaporiaError(QStringLiteral("XML の %1 行 %2 桁目が読めません (%3)")
                                .arg(line)
                                .arg(column)
                                .arg(message));
    return document;
}

QString DecodeXmlBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return utf16.decode(bytes);
    }
    static const QRegularExpression declared(
        QStringLiteral("^\\s*<\\?xml[^>]*encoding\\s*=\\s*[\"']([A-Za-z0-9._-]+)[\"']"));
    const QRegularExpressionMatch match = declared.match(QString::fromLatin1(bytes.left(256)));
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        static const QStringList sjisNames = {"shift_jis", "shift-jis", "sjis", "x-sjis",
                                              "windows-31j", "cp932", "ms932", "ms_kanji"};
        if (sjisNames.contains(name))
            return FromSjis(bytes);
        if (name == u"utf-8" || name == u"utf8")
            return QString::fromUtf8(bytes);
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) {
            const QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
        return FromSjis(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? FromSjis(bytes) : text;
}

QDomDocument ParseXmlBytes(const QByteArray& bytes) { return ParseXmlText(DecodeXmlBytes(bytes)); }

QString XmlBodyText(const QDomDocument& document) {
    QString body;
    {
        QTextStream stream(&body);
        for (QDomNode node = document.firstChild(); !node.isNull(); node = node.nextSibling()) {
            if (node.isProcessingInstruction() && node.toProcessingInstruction().target() == u"xml")
                continue;
            node.save(stream, -1);
        }
    }
    if (IsPlainText(body))
        return body;
    return TCp932Fitter(body).Run();
}

QByteArray XmlToBytes(const QDomDocument& document) {
    return ToSjis(Declaration + XmlBodyText(document));
}

QDomDocument LoadXmlFile(const QString& path) {
    const QByteArray bytes = ReadFileBytes(path);
    try {
        return ParseXmlBytes(bytes);
    } catch (const TSaporiaError& e) {
        throw TSaporiaError(path + QStringLiteral(": ") + e.message());
    }
}

void SaveXmlFile(const QString& path, const QDomDocument& document) {
    WriteFileAtomic(path, XmlToBytes(document));
}

QDomDocument NewXmlDocument(const QString& rootName) {
    QDomDocument document;
    document.appendChild(document.createElement(rootName));
    return document;
}

QDomElement FindChildElement(const QDomNode& parent, const QString& name) {
    return parent.firstChildElement(name);
}

QDomElement ChildElement(QDomNode parent, const QString& name) {
    QDomElement child = parent.firstChildElement(name);
    if (!child.isNull())
        return child;
    QDomDocument owner = parent.isDocument() ? parent.toDocument() : parent.ownerDocument();
    child = owner.createElement(name);
    parent.appendChild(child);
    return child;
}

QString ChildText(const QDomNode& parent, const QString& name) {
    return parent.firstChildElement(name).text();
}

void SetChildText(QDomNode parent, const QString& name, const QString& text) {
    QDomElement child = ChildElement(parent, name);
    while (!child.firstChild().isNull())
        child.removeChild(child.firstChild());
    if (!text.isEmpty())
        child.appendChild(child.ownerDocument().createTextNode(text));
}
