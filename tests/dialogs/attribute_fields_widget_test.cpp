#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "dialogs/attribute_fields_widget.h"
#include "dialogs/icon_box_widget.h"
#include "dialogs/numeric_key_filter_widget.h"
#include "dialogs/star_rating_widget.h"

namespace {

TAttributeFieldsLook TestLook() {
    TAttributeFieldsLook look;
    look.IconPanelName = "PanelImage";
    look.IconName = "Image4";
    look.IconTop = 30;
    look.ComboTop = 70;
    look.EditTop = 154;
    look.RowStep = 26;
    look.WorkTimeCaption = QStringLiteral("作業時間");
    look.WorkTimeWidth = 150;
    look.StarLeft = 268;
    look.StarTop = 40;
    look.DifficultNames = {"Image10", "Image11", "Image12", "Image13", "Image14"};
    return look;
}

}  // namespace

TEST(AttributeFields, ShowCurrentRoundTripAndClearKeepsGroupOnRequest) {
    QWidget page;
    TNumericKeyFilter filter(&page);
    const TAttributeFields f = BuildAttributeFields(&page, TestLook(), &filter);
    EXPECT_EQ(page.findChild<QComboBox*>("ComboBox3"), f.Group);
    EXPECT_EQ(page.findChild<QLineEdit*>("Edit4"), f.Salt);
    EXPECT_EQ(page.findChild<TIconBox*>("Image4"), f.Icon);
    EXPECT_EQ(f.WorkTime->width(), 150);

    TRecipeAttributes a;
    a.IconHint = "34";
    a.Kind = QStringLiteral("主菜");
    a.Amount = QStringLiteral("2人前");
    a.Calorie = "420";
    a.Price = "800";
    a.WorkTime = QStringLiteral("30分");
    a.Group = QStringLiteral("和食");
    a.Salt = "2.5";
    a.NiceValue = 4;
    a.DifficultValue = 2;
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
