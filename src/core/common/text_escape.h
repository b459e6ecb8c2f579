#pragma once

#include <QString>

// Numbered-code escaping of the stored XML texts: "&", "<", ">", "[", "]",
// "%", "*" and tab become "@#38;", "@#60;", "@#62;", "@#91;", "@#93;",
// "@#37;", "@#42;" and "@#09;", in this order, and then each CR LF pair
// becomes "@#13;@#10;". A lone CR or LF and the "@" itself are not coded.
// With `escape` false the codes are turned back, in the same order.
QString EscapeXmlText(const QString& text, bool escape);
