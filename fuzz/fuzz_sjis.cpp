// The codec with edits between decode and encode: whatever the encoder
// accepts must read back as exactly the edited text.
#include "fuzz/fuzz_support.h"

#include "core/platform/sjis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // The first bytes steer the edits; the rest is the file.
    const uint8_t edits = data[0];
    const uint8_t where = data[1];
    const QByteArray bytes = FuzzBytes(data + 2, size - 2);
    QString text = FromSjis(bytes);
    // An unedited text keeps its characters. (Not always its bytes: CP932
    // writes its duplicate codes, such as the NEC-selected IBM extensions
    // 0xED/0xEE, in their IBM form; an unedited pane is never rewritten.)
    // That new form can meet a kept raw byte before it ("\xEE" then "神"
    // read from 0xEE62, written 0xFB7E): then the text is refused, never
    // written to read back as something else.
    TSjisFailure unedited;
    if (const std::optional<QByteArray> encoded = TryToSjis(text, &unedited))
        FUZZ_CHECK(FromSjis(*encoded) == text);
    else
        FUZZ_CHECK(unedited.StrayByte);
    const qsizetype at = text.isEmpty() ? 0 : where % text.size();
    switch (edits % 5) {
    case 0:  // join every line, as a user deleting line breaks
        text.remove(QLatin1Char('\r'));
        text.remove(QLatin1Char('\n'));
        break;
    case 1:
        text.remove(at, 1);
        break;
    case 2:
        text.insert(at, QChar(edits < 128 ? u'Ａ' : u'a'));
        break;
    case 3:
        text = text.mid(at) + text.left(at);
        break;
    default:
        text.insert(at, QStringLiteral("\r\n"));
        break;
    }
    TSjisFailure failure;
    if (const std::optional<QByteArray> encoded = TryToSjis(text, &failure)) {
        FUZZ_CHECK(FromSjis(*encoded) == text);
    } else {
        FUZZ_CHECK(failure.Position >= 0 && failure.Position < text.size());
    }
    SplitLines(text);
    Trim(text);
    return 0;
}
