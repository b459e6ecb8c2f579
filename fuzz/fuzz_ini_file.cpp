// The settings file: reading every kind of value and writing one back.
#include "fuzz/fuzz_support.h"

#include "core/platform/ini_file.h"
#include "core/platform/saporia_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    TIniFile ini(FuzzFile(bytes, QStringLiteral("saporia.ini")));
    ini.ReadString(QStringLiteral("FORM"), QStringLiteral("CAPTION"), QString());
    ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("LEFT"), 0);
    ini.ReadBool(QStringLiteral("VIEW"), QStringLiteral("VIEWONLY"), false);
    ini.SectionExists(QStringLiteral("FORM"));
    try {
        ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("TOP"), 12);
        ini.WriteString(QStringLiteral("新しい"), QStringLiteral("KEY"), QStringLiteral("値"));
        const QByteArray written = ini.Bytes();
        TIniFile again(FuzzFile(written, QStringLiteral("again.ini")));
        FUZZ_CHECK(again.ReadInteger(QStringLiteral("FORM"), QStringLiteral("TOP"), -1) == 12);
        FUZZ_CHECK(again.ReadString(QStringLiteral("新しい"), QStringLiteral("KEY"), QString()) == QStringLiteral("値"));
    } catch (const TSaporiaError&) {
    }
    ParseIniInteger(QString::fromLatin1(bytes.left(40)));
    return 0;
}
