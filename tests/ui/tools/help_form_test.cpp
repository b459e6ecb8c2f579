#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include "support/temp_app_dir.h"
#include "ui/platform/help.h"
#include "ui/tools/help_form.h"

namespace {

const QString Shipped = QStringLiteral(SAPORIA_SOURCE_DIR "/help/");

QString ShippedText() {
    QFile file(Shipped + THelpForm::FrontPage);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

}  // namespace

// Every section a window asks for, and every link of the contents, lands on
// an anchor of the document.
TEST(HelpFormTest, EveryTopicAndLinkHasItsSection) {
    const QString text = ShippedText();
    QStringList wanted = {"rss", "timer", "calc", "files"};
    const QRegularExpression link(QStringLiteral("href=\"#([a-z]+)\""));
    for (auto it = link.globalMatch(text); it.hasNext();)
        wanted << it.next().captured(1);
    for (const QString& topic : wanted)
        EXPECT_TRUE(text.contains(QStringLiteral("<a name=\"%1\">").arg(topic))) << topic.toStdString();
}

TEST(HelpFormTest, OpensAtTheSectionAskedFor) {
    THelpForm form(Shipped);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* browser = form.findChild<QTextBrowser*>("HelpBrowser");
    const struct {
        const char* Topic;
        bool Scrolled;
    } rows[] = {{"", false}, {"rss", true}, {"", false}, {"files", true}};
    for (const auto& row : rows) {
        form.ShowTopic(QLatin1String(row.Topic));
        QApplication::processEvents();
        EXPECT_TRUE(browser->toPlainText().contains("Saporia ヘルプ"));
        EXPECT_EQ(browser->verticalScrollBar()->value() > 0, row.Scrolled) << row.Topic;
    }
    form.ShowTopic("rss");
    QApplication::processEvents();
    // The RSS section is at the top of the view.
    const QTextCursor top = browser->cursorForPosition(QPoint(5, 5));
    EXPECT_TRUE(top.block().text().contains("RSS")) << top.block().text().toStdString();
}

TEST(HelpFormTest, AMissingDocumentSaysWhere) {
    TTempAppDir dir;
    THelpForm form(HelpFolder(dir.AppDir()));
    form.ShowTopic("rss");
    const QString shown = form.findChild<QTextBrowser*>("HelpBrowser")->toPlainText();
    EXPECT_TRUE(shown.startsWith("ヘルプファイルが見つかりません")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(dir.AppDir() + "help/index.html"));
}
