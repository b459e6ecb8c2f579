// The ".rpk" exchange file: the photo read from the bytes must give what the
// whole text gives, and what is read writes and reads back the same.
#include "fuzz/fuzz_support.h"

#include <string>

#include "core/exchange/exchange_file.h"
#include "core/platform/saporia_error.h"

namespace {

const QByteArray Own = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
// The same declaration in other letters: the file is read whole through the text.
const QByteArray Other = "<?xml version=\"1.0\" encoding=\"shift_jis\"?>";

std::string Outcome(const QByteArray& bytes, TExchangeRecipe* recipe = nullptr) {
    try {
        const TExchangeRecipe r = ReadExchangeFile(bytes);
        if (recipe)
            *recipe = r;
        return (r.Status.join(u'|') + u'#' + r.Material + u'#' + r.Method + u'#' + r.Comment + u'#' +
                QString::fromLatin1(r.Picture.toBase64()))
            .toStdString();
    } catch (const TSaporiaError& error) {
        return "error: " + error.message().toStdString();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = FuzzBytes(data, size);
    const QByteArray own = input.startsWith("<?xml") ? input : Own + input;
    QByteArray other = own;
    if (other.startsWith(Own))
        other.replace(0, Own.size(), Other);
    TExchangeRecipe recipe;
    const std::string outcome = Outcome(own, &recipe);
    FUZZ_CHECK(outcome == Outcome(other));
    if (outcome.rfind("error: ", 0) == 0)
        return 0;
    try {
        const QByteArray written = WriteExchangeFile(recipe);
        TExchangeRecipe back;
        Outcome(written, &back);
        FUZZ_CHECK(back.Picture == recipe.Picture && back.Status == recipe.Status);
    } catch (const TSaporiaError&) {
        // a text CP932 cannot hold is refused
    }
    return 0;
}
