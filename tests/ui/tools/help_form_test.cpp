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

}  // namespace

// Every section a window asks for, and every link of the contents, lands on an anchor of the document.
TEST(HelpFormTest, EveryTopicAndLinkHasItsSection) {
    QFile file(Shipped + THelpForm::FrontPage);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList wanted = {"rss", "timer", "calc", "files"};
    for (auto it = QRegularExpression("href=\"#([a-z]+)\"").globalMatch(text); it.hasNext();)
        wanted << it.next().captured(1);
    for (const QString& topic : wanted)
        EXPECT_TRUE(text.contains(QStringLiteral("<a name=\"%1\">").arg(topic))) << topic.toStdString();
}

TEST(HelpFormTest, OpensAtTheSectionAskedFor) {
    THelpForm form(Shipped);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* browser = form.findChild<QTextBrowser*>("HelpBrowser");
    for (const char* topic : {"rss", "", "files"}) {
        form.ShowTopic(QLatin1String(topic));
        QApplication::processEvents();
        EXPECT_EQ(browser->verticalScrollBar()->value() > 0, *topic != 0) << topic;
    }
    form.ShowTopic("rss");
    QApplication::processEvents();
    EXPECT_TRUE(browser->cursorForPosition(QPoint(5, 5)).block().text().contains("RSS"));  // at the top of the view

    // A missing document says where it was looked for.
    TTempAppDir dir;
    THelpForm missing(HelpFolder(dir.AppDir()));
    missing.ShowTopic("rss");
    const QString shown = missing.findChild<QTextBrowser*>("HelpBrowser")->toPlainText();
    EXPECT_TRUE(shown.startsWith("ヘルプファイルが見つかりません")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(dir.AppDir() + "help/index.html"));
}
