#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include "core/platform/sjis.h"

// A Japanese text that CP932 cannot hold would be written with a character missing.
TEST(TextConstants, EveryJapaneseLiteralInTheProgramRoundTripsThroughCp932) {
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    int checked = 0;
    QDirIterator it(QStringLiteral(SAPORIA_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (qsizetype n = 0; n < lines.size(); ++n) {
            if (lines[n].trimmed().startsWith(u"//"))
                continue;
            for (auto matches = literal.globalMatch(lines[n]); matches.hasNext();) {
                const QString text = matches.next().captured(1);
                const auto bytes = TryToSjis(text);
                checked += text.contains(japanese);
                EXPECT_TRUE(!text.contains(japanese) || (bytes && FromSjis(*bytes) == text))
                    << file.fileName().toStdString() << ":" << n + 1 << " " << text.toStdString();
            }
        }
    }
    EXPECT_GT(checked, 100);
}
