#include "core/commands/mouse_gesture.h"

#include <utility>

namespace {

struct TGestureRow {
    const char* Sequence;
    const char* Status;
    TGestureCommand Command;
};

const TGestureRow GestureTable[] = {
    {"UD", " [更新]", TGestureCommand::Reload},
    {"RDLU", " [削除]", TGestureCommand::Delete},
    {"DL", " [料理名変更]", TGestureCommand::Rename},
    {"DR", " [レシピ属性変更]", TGestureCommand::Attributes},
};

const TGestureRow* FindRow(const QString& gesture) {
    for (const TGestureRow& row : GestureTable)
        if (gesture == QLatin1String(row.Sequence))
            return &row;
    return nullptr;
}

}  // namespace

TMouseGesture::TMouseGesture(TAngleFunction angle) : Angle(std::move(angle)) {}

void TMouseGesture::Down(QPoint point) {
    GesturePoint = point;
    GestureLastDirection.clear();
    Letters.clear();
}

bool TMouseGesture::Move(QPoint point) {
    const qint64 dx = GesturePoint.x() - point.x();
    const qint64 dy = GesturePoint.y() - point.y();
    if (dx * dx + dy * dy <= 500)
        return false;
    const QString direction =
        DirectionForAngle(Angle(GesturePoint.x(), GesturePoint.y(), point.x(), point.y()));
    GesturePoint = point;
    if (direction == GestureLastDirection)
        return false;
    GestureLastDirection = direction;
    Letters += direction;
    return true;
}

TGestureCommand TMouseGesture::Command() const { return CommandFor(Letters); }

QString TMouseGesture::StatusText() const {
    const TGestureRow* row = FindRow(Letters);
    return row ? Letters + QString::fromUtf8(row->Status) : Letters;
}

QString TMouseGesture::DirectionForAngle(int angle) {
    if (angle >= 0 && angle <= 44)
        return "L";
    if (angle >= 45 && angle <= 134)
        return "U";
    if (angle >= 135 && angle <= 224)
        return "R";
    if (angle >= 225 && angle <= 314)
        return "D";
    if (angle >= 315 && angle <= 360)
        return "L";
    return QString();
}

TGestureCommand TMouseGesture::CommandFor(const QString& gesture) {
    const TGestureRow* row = FindRow(gesture);
    return row ? row->Command : TGestureCommand::None;
}
