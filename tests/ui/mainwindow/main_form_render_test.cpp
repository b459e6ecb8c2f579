#include <gtest/gtest.h>

#include <QLabel>
#include <QTextEdit>
#include <QToolButton>

#include "support/main_form_fixture.h"
#include "support/render_ui.h"

// The main window as a user sees it with a small collection; with
// SAPORIA_RENDER_DIR set it is saved as a picture to look at.
TEST(MainRenderTest, CollectionOfTwentyShowsInListAndPanes) {
    TMainFormFixture fixture;
    const QStringList names = MakeRecipeCollection(fixture.DataRoot(), 20);
    TMainForm& form = fixture.Open();
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, 1100, 700);
    QApplication::processEvents();
    ASSERT_EQ(fixture.RowCount(), 20);
    EXPECT_EQ(fixture.StatusText(0), QStringLiteral("表示数 : 20 / 20"));
    fixture.ClickRow(names[3]);
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("pnlRecipeHeaderCaption"))->text(), names[3]);
    EXPECT_FALSE(form.findChild<QTextEdit*>(QStringLiteral("memFoodstuff"))->toPlainText().isEmpty());
    EXPECT_FALSE(form.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->toPlainText().isEmpty());
    // A picture the size of the window, not an empty grab.
    const QImage picture = form.grab().toImage();
    EXPECT_EQ(picture.size(), form.size() * picture.devicePixelRatio());
    RenderWidgetIfAsked(&form, QStringLiteral("main_window_20"));
    form.findChild<QToolButton*>("tbtnIcon")->click();
    RenderWidgetIfAsked(&form, QStringLiteral("main_window_20_icons"));
    form.findChild<QToolButton*>("tbtnList")->click();
    RenderWidgetIfAsked(&form, QStringLiteral("main_window_20_list"));
    form.findChild<QToolButton*>("tbtnSmallIcon")->click();
    RenderWidgetIfAsked(&form, QStringLiteral("main_window_20_small_icons"));
    EXPECT_EQ(fixture.RowText(fixture.SelectedRow()), names[3]);
    EXPECT_EQ(fixture.Answers.Unanswered(), 0) << fixture.Answers.Texts().join(QLatin1Char('|')).toStdString();
}
