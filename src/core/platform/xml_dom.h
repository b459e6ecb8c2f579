#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QString>

// The XML files of the program: parsed from decoded text, written as CP932
// under our own declaration <?xml version="1.0" encoding="Shift_JIS"?>, with
// no indentation added. Never use QDomDocument::save() or toByteArray() for a
// file: they write UTF-8 bytes under a Shift_JIS declaration.
//
// A character CP932 cannot hold (an emoji) is written as a numeric character
// reference (&#x1F600;), so nothing is lost; a character XML cannot hold at
// all (control characters other than tab, CR and LF) is left out, so the
// file can always be read back.

// Parses decoded text; any encoding declaration in it is ignored. Throws
// TSaporiaError naming the line and column of the first error.
QDomDocument ParseXmlText(const QString& text);

// Decodes by byte-order mark or declared encoding; without either, UTF-8
// when the bytes are valid UTF-8, else CP932 (the stored files). Then parses.
QDomDocument ParseXmlBytes(const QByteArray& bytes);
QString DecodeXmlBytes(const QByteArray& bytes);

// The document's nodes without any XML declaration, as the file holds them.
QString XmlBodyText(const QDomDocument& document);

// The whole file: declaration, CR LF, body, in CP932.
QByteArray XmlToBytes(const QDomDocument& document);

// Reading and writing a file; the write is atomic. Both throw TSaporiaError.
QDomDocument LoadXmlFile(const QString& path);
void SaveXmlFile(const QString& path, const QDomDocument& document);

// A new document holding only the root element `rootName`. (A default
// QDomDocument is null and cannot be given children through a copy.)
QDomDocument NewXmlDocument(const QString& rootName);

// The first child element named `name`; created empty and appended when
// missing. On a document, the document element (created when missing; the
// document must not be null).
QDomElement ChildElement(QDomNode parent, const QString& name);

// The first child element named `name`, or a null element.
QDomElement FindChildElement(const QDomNode& parent, const QString& name);

// The text of the child element `name`, empty when there is none (nothing is
// created).
QString ChildText(const QDomNode& parent, const QString& name);

// Replaces the text of the child element `name`, creating it when missing.
void SetChildText(QDomNode parent, const QString& name, const QString& text);
