#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "ui/widgets/attribute_fields.h"
#include "ui/widgets/icon_box.h"
#include "ui/widgets/numeric_key_filter.h"
#include "ui/widgets/star_rating.h"
#include "support/dialog_fixture.h"

TEST(AttributeFields, ShowCurrentRoundTripAndClearKeepsGroupOnRequest) {
    QWidget page;
    TNumericKeyFilter filter(&page);
    const TAttributeFields f = BuildAttributeFields(&page, WizardStepLook(), &filter);
    EXPECT_EQ(page.findChild<QComboBox*>("ComboBox3"), f.Group);
    EXPECT_EQ(page.findChild<QLineEdit*>("Edit4"), f.Salt);
    EXPECT_EQ(page.findChild<TIconBox*>("Image4"), f.Icon);
    EXPECT_EQ(f.WorkTime->width(), 150);

    const TRecipeAttributes a = FullAttributes();
    f.Show(a, QPixmap(32, 32));
    const TRecipeAttributes back = f.Current();
    EXPECT_EQ(back.IconHint, a.IconHint);
    EXPECT_EQ(back.Kind, a.Kind);
    EXPECT_EQ(back.Amount, a.Amount);
    EXPECT_EQ(back.Calorie, a.Calorie);
    EXPECT_EQ(back.Price, a.Price);
    EXPECT_EQ(back.WorkTime, a.WorkTime);
    EXPECT_EQ(back.Group, a.Group);
    EXPECT_EQ(back.Salt, a.Salt);
    EXPECT_EQ(back.NiceValue, 4);
    EXPECT_EQ(back.DifficultValue, 2);

    // Choices replace the lists but keep what is typed.
    f.SetChoices({"汁物"}, {"1人前"}, {"洋食", "中華"});
    EXPECT_EQ(f.Kind->currentText(), a.Kind);
    EXPECT_EQ(f.Group->count(), 2);

    f.Clear(false);
    EXPECT_EQ(f.Current().Group, a.Group);
    EXPECT_EQ(f.Current().IconHint, "-1");
    EXPECT_EQ(f.Current().Salt, "");
    EXPECT_EQ(f.Current().NiceValue, 0);
    f.Clear(true);
    EXPECT_EQ(f.Current().Group, "");
}
