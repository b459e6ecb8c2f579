#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"

TEST(DialogsTest, UnansweredDialogsGetTheirCancelLikeDefaultAndTheGuardShowsOperationAndMessage) {
    TDialogAnswerer answers;
    // A box nobody expected must never read as "Yes" or "OK, overwrite".
    EXPECT_EQ(AskYesNoCancel(nullptr, QStringLiteral("q")), TMsgResult::Cancel);
    EXPECT_EQ(AskYesNo(nullptr, QStringLiteral("q")), TMsgResult::No);
    EXPECT_EQ(ShowMessageBox(nullptr, QStringLiteral("q"), TMsgType::Error, TMsgButtons::Abort), TMsgResult::Abort);
    ShowErrorBox(nullptr, QStringLiteral("e"));
    EXPECT_EQ(InputBox(nullptr, QString(), QString(), QStringLiteral("既定")), QStringLiteral("既定"));
    QString value = QStringLiteral("keep");
    EXPECT_TRUE(!InputQuery(nullptr, QString(), QString(), value) && value == QStringLiteral("keep"));
    EXPECT_FALSE(ChooseOpenFile(nullptr, {}) || ChooseSaveFile(nullptr, {}) || ChooseFolder(nullptr, {}, {}));
    EXPECT_EQ(answers.Unanswered(), 9);

    // A cancelled chooser or input box is cancelled, even when asked with text.
    answers.AnswerCancel();
    EXPECT_FALSE(ChooseSaveFile(nullptr, {}).has_value());
    answers.AnswerCancel();
    EXPECT_EQ(InputBox(nullptr, QString(), QString(), QStringLiteral("d")), QStringLiteral("d"));

    // The command guard: "<Operation> Error. Msg=" and the message, in an error box.
    answers.ClearLog();
    EXPECT_TRUE(RunGuarded(nullptr, ErrorPrefix(QStringLiteral("Save")), [] {}));
    EXPECT_FALSE(RunGuarded(nullptr, ErrorPrefix(QStringLiteral("Save")),
                            [] { throw TSaporiaError(QStringLiteral("材料.txt に書き込めません")); }));
    EXPECT_FALSE(RunGuarded(nullptr, QStringLiteral("起動エラー. Msg="), [] { throw std::runtime_error("bad file"); }));
    EXPECT_EQ(answers.Texts(), QStringList({"Save Error. Msg=材料.txt に書き込めません", "起動エラー. Msg=bad file"}));
    EXPECT_EQ(answers.Calls()[0].Type, TMsgType::Error);
}
