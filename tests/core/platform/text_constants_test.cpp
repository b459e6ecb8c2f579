#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include "core/platform/sjis.h"

// Every Japanese text the program shows or stores must survive CP932, or a
// caption would be written to a file with a character missing.
TEST(TextConstants, EveryJapaneseLiteralInTheProgramRoundTripsThroughCp932) {
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
    int checked = 0;
    QDirIterator it(QStringLiteral(SAPORIA_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (qsizetype n = 0; n < lines.size(); ++n) {
            QString line = lines[n];
            if (line.trimmed().startsWith(u"//"))
                continue;
            auto matches = literal.globalMatch(line);
            while (matches.hasNext()) {
                const QString text = matches.next().captured(1);
                // Symbols drawn on buttons only are not Japanese text.
                bool japanese = false;
                for (QChar c : text) {
                    const char16_t u = c.unicode();
                    japanese = japanese || (u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
                               (u >= 0xFF00 && u <= 0xFFEF);
                }
                if (!japanese)
                    continue;
                ++checked;
                TSjisFailure failure;
                const auto bytes = TryToSjis(text, &failure);
                EXPECT_TRUE(bytes.has_value())
                    << path.toStdString() << ":" << n + 1 << " " << text.toStdString();
                if (bytes) {
                    EXPECT_EQ(FromSjis(*bytes), text) << path.toStdString() << ":" << n + 1;
                }
            }
        }
    }
    EXPECT_GT(checked, 100);
}
