#include <gtest/gtest.h>

#include "web_fixture.h"

namespace {

const QString NoTitle = QStringLiteral("タイトルが入力されていません");
const QString NoQuote = QStringLiteral("「\"」は使用できません.");

TEST(WebDialogs, FolderNameChecks) {
    const std::pair<QString, QString> rows[] = {
        // Message empty: accepted as typed.
        {QStringLiteral(" \t "), NoTitle},
        {QStringLiteral("　"), QString()},  // a full-width blank is text
        {QStringLiteral(" 和食 "), QString()},
        {QStringLiteral("a&b"), QStringLiteral("「&」は使用できません.")},
        {QStringLiteral("say \"hi\""), QString()},  // stored with a character reference
    };
    for (const auto& [name, message] : rows) {
        SCOPED_TRACE(name.toStdString());
        TDialogAnswerer answers;
        TBookMarkFolderForm form;
        form.Prepare(QStringLiteral("フォルダ追加画面"), QString());
        form.show();
        TWebWindows::In<QLineEdit>(&form, "Edit1")->setText(name);
        TWebWindows::Click(&form, "BitBtn1");
        EXPECT_EQ(answers.Texts().join(u'|'), message);
        EXPECT_EQ(form.isVisible(), !message.isEmpty());
        EXPECT_EQ(form.Name(), message.isEmpty() ? name : form.Name());
    }
}

TEST(WebDialogs, EntryChecks) {
    struct TRow { QString Title, Url, Message; const char* Focus; };  // Focus: the field focused after a refusal
    const TRow rows[] = {
        {QStringLiteral("  "), QStringLiteral("http://a/"), NoTitle, "Edit1"},
        {QStringLiteral("a\"b"), QStringLiteral("http://a/"), NoQuote, "Edit1"},
        {QStringLiteral("ok"), QStringLiteral("http://a/?q=\"x\""), NoQuote, "Edit2"},
        {QStringLiteral("ok"), QStringLiteral("example.com"), QStringLiteral("入力されたURLは無効です"), "Edit2"},
        {QStringLiteral("A&B"), QStringLiteral("see http://a/b?c=1&d=2"), QString(), nullptr},
        {QStringLiteral("www"), QStringLiteral("www.example.com"), QString(), nullptr},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Title.toStdString() + " / " + row.Url.toStdString());
        TDialogAnswerer answers;
        TBookMarkItemForm form;
        form.Prepare(QStringLiteral("ﾌﾞｯｸﾏｰｸ追加画面"), QString(), QString());
        form.show();
        QApplication::setActiveWindow(&form);
        TWebWindows::In<QLineEdit>(&form, "Edit1")->setText(row.Title);
        TWebWindows::In<QLineEdit>(&form, "Edit2")->setText(row.Url);
        TWebWindows::Click(&form, "BitBtn1");
        EXPECT_EQ(answers.Texts().join(u'|'), row.Message);
        EXPECT_EQ(form.isVisible(), row.Focus != nullptr);
        if (row.Focus) {
            EXPECT_EQ(form.focusWidget(), TWebWindows::In<QLineEdit>(&form, row.Focus));
        } else {
            EXPECT_EQ(form.Title() + u'|' + form.Url(), row.Title + u'|' + row.Url);
        }
    }
}

}  // namespace
