#include "ui/dialogs/icon_form.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include "core/recipes/icon_grid.h"
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

// The keyboard selection: a frame in the highlight colour around the cell,
// lined in white so it shows on an icon of that colour too, and a light tint
// over the icon. Clicks pass through to the cell.
class TSelectionFrame final : public QWidget {
public:
    explicit TSelectionFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(36, 36);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QColor highlight = palette().color(QPalette::Highlight);
        p.setPen(QPen(highlight, 2));
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
        highlight.setAlpha(70);
        p.fillRect(rect().adjusted(3, 3, -3, -3), highlight);
    }
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
    // The keys are the grid's: the scroll box must not take them for scrolling.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    ScrollBox1->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
    PaintBox1 = new TTiledPaintBox;
    PaintBox1->setObjectName("PaintBox1");
    PaintBox1->setAutoFillBackground(true);
    ScrollBox1->setWidget(PaintBox1);
    PaintBox1->resize(ScrollBoxWidth - ScrollBox1->verticalScrollBar()->sizeHint().width(), ClientHeight - 2);
    SelectionFrame = new TSelectionFrame(PaintBox1);
    SelectionFrame->setObjectName("IconSelection");
}

void TIconForm::SetTargetBox(int pickTarget, TIconBox* box) {
    if (pickTarget >= 0 && pickTarget < Targets.size())
        Targets[pickTarget] = box;
}

QPixmap TIconForm::Icon(int index) const {
    return index >= 0 && index < Icons.size() ? Icons[index] : QPixmap();
}

void TIconForm::BuildIconGrid(const QList<QPixmap>& icons32) {
    // A copy: each delete takes the cell out of the canvas's own list.
    const QObjectList children = PaintBox1->children();
    for (QObject* child : children)
        if (child->objectName().startsWith(QLatin1String("IconCell")))
            delete child;
    Icons.clear();
    SelectCell(-1);
    // Six cells a row fit the scroll box's width.
    for (int i = 0; i < icons32.size(); ++i) {
        const QPixmap picture = icons32[i].isNull() ? QPixmap() : icons32[i].scaled(32, 32);
        Icons.append(picture);
        AddIconCell(i, picture, IconGridCellAt(i));
    }
    const int rows = (icons32.size() + IconGridColumns - 1) / IconGridColumns;
    PaintBox1->resize(PaintBox1->width(), qMax(ClientHeight - 2, rows * IconGridPitch + 2));
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
    const TIconBox* box = PickTarget >= 0 && PickTarget < Targets.size() ? Targets[PickTarget] : nullptr;
    move(topLeft);
    show();
    raise();
    setFocus(Qt::PopupFocusReason);
    SelectCell(IconGridStart(box ? box->IconIndex() : -1, Icons.size()));
}

void TIconForm::SelectCell(int index) {
    Selected = index;
    SelectionFrame->setVisible(index >= 0);
    if (index < 0)
        return;
    SelectionFrame->move(IconGridCellAt(index) - QPoint(1, 1));
    SelectionFrame->raise();
    ScrollBox1->ensureWidgetVisible(SelectionFrame, 0, 0);
}

void TIconForm::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int key = event->key();
    if (!plain) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Left:
        SelectCell(IconGridMove(Selected, Icons.size(), TIconGridMove::Left));
        break;
    case Qt::Key_Right:
        SelectCell(IconGridMove(Selected, Icons.size(), TIconGridMove::Right));
        break;
    case Qt::Key_Up:
        SelectCell(IconGridMove(Selected, Icons.size(), TIconGridMove::Up));
        break;
    case Qt::Key_Down:
        SelectCell(IconGridMove(Selected, Icons.size(), TIconGridMove::Down));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (Selected >= 0)
            IconCellClick(Selected);
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
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
