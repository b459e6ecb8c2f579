#include "support/dialog_fixture.h"

#include <QColor>

QList<QPixmap> ColouredIcons(int count) {
    QList<QPixmap> icons;
    for (int i = 0; i < count; ++i) {
        QPixmap pix(32, 32);
        pix.fill(QColor::fromHsv((i * 10) % 360, 200, 200));
        icons.append(pix);
    }
    return icons;
}

TIconNames TwoUserIcons() {
    return TIconNames{{"fish.bmp", "rice.bmp"}, {"33", "34"}};
}

TRecipeAttributes FullAttributes() {
    TRecipeAttributes a;
    a.IconHint = "34";
    a.Kind = QStringLiteral("主菜");
    a.Amount = QStringLiteral("2人分");
    a.Calorie = "450";
    a.Price = "800";
    a.WorkTime = QStringLiteral("30分");
    a.Group = QStringLiteral("和食");
    a.Salt = "2.5";
    a.NiceValue = 4;
    a.DifficultValue = 2;
    return a;
}
