#include "support/icon_fixture.h"

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
