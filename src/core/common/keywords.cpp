#include "core/common/keywords.h"

#include <array>

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "core/common/comma_text.h"
#include "core/common/synonyms.h"
#include "core/common/text_search.h"

QStringList SplitKeywords(const QString& search) {
    QString text = search;
    text.replace(QChar(0x3000), u' ');
    text.replace(u' ', u',');
    return SplitCommaText(text);
}

const std::array<QColor, 10>& KeywordColors() {
    static const std::array<QColor, 10> Colors = {
        QColor(255, 0, 0),   QColor(0, 0, 255),     QColor(0, 128, 0),   QColor(0, 128, 128), QColor(0, 0, 128),
        QColor(166, 202, 240), QColor(0, 255, 0), QColor(255, 0, 255), QColor(128, 128, 0), QColor(0, 128, 128),
    };
    return Colors;
}

QColor KeywordColor(int position) {
    const int index = ((position - 1) % 10 + 10) % 10;
    return KeywordColors()[size_t(index)];
}

TKeywordMatcher::TKeywordMatcher(const QString& search) {
    for (const QString& word : SplitKeywords(search)) {
        if (!word.isEmpty())
            Words.append({word, GetSynonyms(word)});
    }
}

bool TKeywordMatcher::Matches(const QString& text) const {
    for (const TWord& word : Words) {
        if (ContainsText(text, word.Word))
            continue;
        bool found = false;
        for (const QString& other : word.Synonyms) {
            if (ContainsText(text, other)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

bool MatchKeywords(const QString& text, const QString& search) { return TKeywordMatcher(search).Matches(text); }

namespace {

// Colours the occurrences with `cursor`, which the caller holds inside one
// edit block so the view lays out once.
bool HighlightWith(QTextCursor& cursor, const QString& text, const QString& word, const QTextCharFormat& format) {
    if (word.isEmpty())
        return false;
    bool found = false;
    qsizetype p = 0;
    while ((p = FindText(text, word, p)) >= 0) {
        cursor.setPosition(int(p));
        cursor.setPosition(int(p + word.size()), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
        p += word.size();
        found = true;
    }
    return found;
}

QTextCharFormat HighlightFormat(const QColor& color, bool bold, bool underline) {
    QTextCharFormat format;
    format.setForeground(color);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(underline);
    format.setFontItalic(false);
    format.setFontStrikeOut(false);
    return format;
}

}  // namespace

bool HighlightWord(QTextDocument* document, const QString& word, const QColor& color, bool bold, bool underline) {
    if (!document || word.isEmpty())
        return false;
    const bool modified = document->isModified();
    // Raw text positions are the document's cursor positions, one per
    // character, paragraph separators included.
    const QString text = document->toRawText();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    const bool found = HighlightWith(cursor, text, word, HighlightFormat(color, bold, underline));
    cursor.endEditBlock();
    document->setModified(modified);
    return found;
}

void HighlightKeywords(QTextDocument* document, const QString& search) {
    if (!document)
        return;
    const bool modified = document->isModified();
    const QString text = document->toRawText();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    const QStringList words = SplitKeywords(search);
    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word.isEmpty())
            continue;
        const QTextCharFormat format = HighlightFormat(KeywordColor(i + 1), true, false);
        if (HighlightWith(cursor, text, word, format))
            continue;
        for (const QString& other : GetSynonyms(word))
            HighlightWith(cursor, text, other, format);
    }
    cursor.endEditBlock();
    document->setModified(modified);
}
