#pragma once

#include <QString>

// The numbered codes of the stored XML texts. Encoding replaces "&", "<",
// ">", "[", "]", "%", "*" and tab, in this order, by "@#38;", "@#60;",
// "@#62;", "@#91;", "@#93;", "@#37;", "@#42;" and "@#09;", then each CR LF
// pair by "@#13;@#10;"; a lone CR or LF and "@" itself stay. Decoding turns
// the codes back in the same order.
QString EncodeTextCodes(const QString& text);
QString DecodeTextCodes(const QString& text);
