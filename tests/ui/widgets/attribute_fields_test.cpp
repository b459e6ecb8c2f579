#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "support/dialog_fixture.h"
#include "ui/widgets/attribute_fields.h"
#include "ui/widgets/numeric_key_filter.h"

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
