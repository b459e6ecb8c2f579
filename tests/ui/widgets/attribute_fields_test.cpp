#include <gtest/gtest.h>

#include <QComboBox>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "support/dialog_fixture.h"
#include "ui/widgets/attribute_fields.h"
#include "ui/widgets/icon_box.h"
#include "ui/widgets/numeric_key_filter.h"
#include "ui/widgets/star_rating.h"

namespace {

QStringList Fields(const TRecipeAttributes& a) {
    return {a.IconHint, a.Kind, a.Amount, a.Calorie, a.Price, a.WorkTime, a.Group, a.Salt,
            QString::number(a.NiceValue), QString::number(a.DifficultValue)};
}

}  // namespace

TEST(AttributeFields, ShowCurrentRoundTripAndClearKeepsGroupOnRequest) {
    QWidget page;
    TNumericKeyFilter filter(&page);
    const TAttributeFields f = BuildAttributeFields(&page, WizardStepLook(), &filter);
    const TRecipeAttributes a = FullAttributes();
    f.Show(a, QPixmap(32, 32));
    f.SetChoices({"汁物"}, {"1人前"}, {"洋食", "中華"});
    EXPECT_EQ(Fields(f.Current()), Fields(a));  // shown, and kept over new choices

    f.Clear(false);
    EXPECT_EQ(Fields(f.Current()), QStringList({"-1", "", "", "", "", "", a.Group, "", "0", "0"}));
    f.Clear(true);
    EXPECT_EQ(f.Current().Group, "");

    // The numeric boxes take digits only; the work time takes any text.
    page.show();
    for (QLineEdit* edit : {f.Calorie, f.Price, f.Salt, f.WorkTime})
        QTest::keyClicks(edit, "1a");
    EXPECT_EQ(Fields(f.Current()).mid(3, 5), QStringList({"1", "1", "1a", "", "1"}));
}

// Without a mouse: Tab reaches the icon and both star rows, keys set a
// rating within 0 to 5, and Space or Enter on the icon asks for the picker.
TEST(AttributeFields, StarsAndIconWorkFromTheKeyboard) {
    for (const TAttributeFieldsLook& look : {ElementFormLook(), WizardStepLook()}) {
        SCOPED_TRACE(look.IconName);
        QWidget page;
        TNumericKeyFilter filter(&page);
        const TAttributeFields f = BuildAttributeFields(&page, look, &filter);
        page.show();
        QApplication::setActiveWindow(&page);
        f.WorkTime->setFocus();
        QStringList reached;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        for (const QString& name : {QStringLiteral("Shape1"), QStringLiteral("Shape2"), QString(look.IconName)})
            EXPECT_TRUE(reached.contains(name)) << name.toStdString() << " " << reached.join(' ').toStdString();

        const struct { Qt::Key Key; int Nice; } keys[] = {
            {Qt::Key_Right, 1}, {Qt::Key_Up, 2},   {Qt::Key_5, 5}, {Qt::Key_Right, 5}, {Qt::Key_Left, 4},
            {Qt::Key_Down, 3},  {Qt::Key_0, 0},    {Qt::Key_Left, 0}, {Qt::Key_9, 0},  {Qt::Key_A, 0},
        };
        QSignalSpy changed(f.Nice, &TStarRating::ValueChanged);
        for (const auto& k : keys) {
            QTest::keyClick(f.Nice, k.Key);
            EXPECT_EQ(f.Nice->Value(), k.Nice) << k.Key;
        }
        EXPECT_EQ(changed.size(), 8);  // every arrow and digit from 0 to 5
        EXPECT_EQ(f.Difficult->Value(), 0);

        QSignalSpy picker(f.Icon, &TIconBox::Clicked);
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A, Qt::Key_Tab})
            QTest::keyClick(f.Icon, key);
        EXPECT_EQ(picker.size(), 3);
    }
}
