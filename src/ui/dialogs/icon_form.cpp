#include "ui/dialogs/icon_form.h"

#include <QFrame>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

#include "ui/widgets/icon_box.h"
#include "ui/widgets/tiled_paint_box.h"

namespace {

constexpr int ClientWidth = 236;
constexpr int ClientHeight = 217;
constexpr int ScrollBoxWidth = 234;

// One cell's image: carries its icon index and reports clicks.
class TIconCellImage final : public QLabel {
public:
    TIconCellImage(int index, TIconForm* form, QWidget* parent) : QLabel(parent), Index(index), Form(form) {
        setCursor(Qt::PointingHandCursor);
        setScaledContents(true);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            Form->IconCellClick(Index);
    }

private:
    int Index;
    TIconForm* Form;
};

}  // namespace

TIconForm::TIconForm(QWidget* parent) : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName("IconForm");
    setFixedSize(ClientWidth, ClientHeight);
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 0, ClientWidth, ClientHeight);
    Panel1->setFrameShape(QFrame::Box);
    ScrollBox1 = new QScrollArea(Panel1);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setGeometry(1, 1, ScrollBoxWidth, ClientHeight - 2);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PaintBox1 = new TTiledPaintBox;
    PaintBox1->setObjectName("PaintBox1");
    PaintBox1->setAutoFillBackground(true);
    ScrollBox1->setWidget(PaintBox1);
    PaintBox1->resize(ScrollBoxWidth - ScrollBox1->verticalScrollBar()->sizeHint().width(), ClientHeight - 2);
}

void TIconForm::SetTargetBox(int pickTarget, TIconBox* box) {
    if (pickTarget >= 0 && pickTarget < Targets.size())
        Targets[pickTarget] = box;
}

QPixmap TIconForm::Icon(int index) const {
    return index >= 0 && index < Icons.size() ? Icons[index] : QPixmap();
}

void TIconForm::BuildIconGrid(const QList<QPixmap>& icons32) {
    for (QObject* child : PaintBox1->children())
        if (child->objectName().startsWith(QLatin1String("IconCell")))
            delete child;
    Icons.clear();
    int x = 1;
    int y = 1;
    for (int i = 0; i < icons32.size(); ++i) {
        const QPixmap picture = icons32[i].isNull() ? QPixmap() : icons32[i].scaled(32, 32);
        Icons.append(picture);
        AddIconCell(i, picture, QPoint(x, y));
        x += 35;
        if (x > ScrollBoxWidth - 30) {
            y += 35;
            x = 1;
        }
    }
    const int rows = (icons32.size() + 5) / 6;
    PaintBox1->resize(PaintBox1->width(), qMax(ClientHeight - 2, rows * 35 + 2));
}

void TIconForm::AddIconCell(int index, const QPixmap& picture, QPoint at) {
    auto* panel = new QFrame(PaintBox1);
    panel->setObjectName(QStringLiteral("IconCell%1").arg(index));
    panel->setGeometry(at.x(), at.y(), 34, 34);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    auto* image = new TIconCellImage(index, this, panel);
    image->setObjectName(QStringLiteral("IconImage%1").arg(index));
    image->setGeometry(1, 1, 32, 32);
    image->setPixmap(picture);
    panel->show();
}

void TIconForm::Popup(int pickTarget, QPoint topLeft) {
    PickTarget = pickTarget;
    move(topLeft);
    show();
    raise();
}

void TIconForm::IconCellClick(int index) {
    if (PickTarget >= 0 && PickTarget < Targets.size() && Targets[PickTarget])
        Targets[PickTarget]->SetIcon(QString::number(index), Icon(index));
    close();
}

void TIconForm::paintEvent(QPaintEvent*) {
    PaintSharedBackground(this);
}


TIconForm::~TIconForm() {
}
