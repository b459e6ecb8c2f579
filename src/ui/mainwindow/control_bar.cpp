#include "ui/mainwindow/control_bar.h"

#include <algorithm>

#include <QChildEvent>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

const char* const DockSiteProperty = "saporiaDockSite";

// The small tool window of a floating bar. Closing it hides the bar;
// showing the bar again shows the window.
class TFloatingBarWindow final : public QWidget {
public:
    explicit TFloatingBarWindow(QWidget* bar) : QWidget(bar->window(), Qt::Tool), Bar(bar) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        setWindowTitle(bar->windowTitle());
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(bar);
        bar->installEventFilter(this);
    }
    QWidget* Bar;

    // Dragging the bar moves its window; let go over a bar row of the main
    // window and it docks there.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != Bar || Bar->parentWidget() != this)
            return QWidget::eventFilter(watched, event);
        auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (!mouse)
            return QWidget::eventFilter(watched, event);
        const QPoint global = mouse->globalPosition().toPoint();
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() != Qt::LeftButton)
                break;
            Dragging = true;
            DragOffset = global - geometry().topLeft();
            return true;
        case QEvent::MouseMove:
            if (!Dragging)
                break;
            move(pos() + (global - DragOffset) - geometry().topLeft());
            return true;
        case QEvent::MouseButtonRelease:
            if (!Dragging)
                break;
            Dragging = false;
            if (QWidget* owner = parentWidget()) {
                for (TControlBar* site : owner->findChildren<TControlBar*>()) {
                    if (!site->isVisible())
                        continue;
                    const QPoint local = site->mapFromGlobal(global);
                    if (site->rect().adjusted(0, -8, 0, 8).contains(local)) {
                        site->Dock(Bar, QPoint(local.x(), std::max(0, local.y() - Bar->height() / 2)));
                        return true;
                    }
                }
            }
            return true;
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    bool Dragging = false;
    QPoint DragOffset;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (Bar)
            Bar->hide();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        // Back into the site it came from.
        auto* site = qobject_cast<TControlBar*>(Bar->property(DockSiteProperty).value<QObject*>());
        if (site && event->button() == Qt::LeftButton)
            site->DockAuto(Bar);
    }
};

TFloatingBarWindow* FloatingOf(const QWidget* bar) {
    return bar ? dynamic_cast<TFloatingBarWindow*>(bar->parentWidget()) : nullptr;
}

// Hidden on purpose (not merely never shown yet, as a new bar without a parent).
bool ExplicitlyHidden(const QWidget* bar) {
    return bar->isHidden() && bar->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

}  // namespace

TControlBar::TControlBar(const QString& name, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAutoFillBackground(true);
}

void TControlBar::Dock(QWidget* bar, QPoint pos) {
    TFloatingBarWindow* floating = FloatingOf(bar);
    const bool wasHidden = ExplicitlyHidden(bar) && !floating;
    const bool floatVisible = floating && floating->isVisible();
    const bool sized = bar->testAttribute(Qt::WA_Resized);
    bar->setParent(this);
    bar->setProperty(DockSiteProperty, QVariant::fromValue<QObject*>(this));
    bar->installEventFilter(this);
    bar->move(std::max(0, pos.x()), std::max(0, pos.y()));
    if (!sized)
        bar->resize(bar->sizeHint());
    if (!wasHidden && (floatVisible || !floating))
        bar->show();
    if (floating)
        floating->deleteLater();
    Relayout();
}

void TControlBar::DockAuto(QWidget* bar) {
    int rowTop = 0;
    int right = 0;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w == bar || w->isHidden())
            continue;
        if (w->y() == rowTop)
            right = std::max(right, w->geometry().right() + 1);
    }
    Dock(bar, QPoint(right, rowTop));
}

void TControlBar::Float(QWidget* bar, const QRect& rect) {
    TFloatingBarWindow* floating = FloatingOf(bar);
    auto* oldSite = qobject_cast<TControlBar*>(bar->parentWidget());
    const bool hidden = ExplicitlyHidden(bar) && !floating;
    if (!floating) {
        floating = new TFloatingBarWindow(bar);
        if (oldSite) {
            bar->setProperty(DockSiteProperty, QVariant::fromValue<QObject*>(oldSite));
            oldSite->Relayout();
        }
    }
    floating->setGeometry(rect);
    if (!hidden) {
        bar->show();
        floating->show();
    }
}

bool TControlBar::IsFloating(const QWidget* bar) { return FloatingOf(bar) != nullptr; }

QWidget* TControlBar::FloatingWindow(const QWidget* bar) { return FloatingOf(bar); }

int TControlBar::ContentHeight() const {
    int bottom = 0;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isHidden())
            bottom = std::max(bottom, w->geometry().bottom() + 1);
    }
    return bottom;
}

void TControlBar::Relayout() {
    setFixedHeight(ContentHeight());
    updateGeometry();
}

QSize TControlBar::sizeHint() const { return QSize(QFrame::sizeHint().width(), ContentHeight()); }

QSize TControlBar::minimumSizeHint() const { return QSize(0, ContentHeight()); }

void TControlBar::childEvent(QChildEvent* event) {
    QFrame::childEvent(event);
    if (event->removed())
        Relayout();
}

bool TControlBar::eventFilter(QObject* watched, QEvent* event) {
    auto* bar = qobject_cast<QWidget*>(watched);
    if (!bar || bar->parentWidget() != this)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        Relayout();
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            Dragged = bar;
            DragOffset = mouse->position().toPoint();
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (Dragged == bar) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint global = mouse->globalPosition().toPoint();
            const QPoint local = mapFromGlobal(global);
            const QRect zone = rect().adjusted(-24, -24, 24, 24);
            if (!zone.contains(local)) {
                Dragged.clear();
                Float(bar, QRect(global - DragOffset, bar->size()));
                return true;
            }
            const QPoint target = local - DragOffset;
            bar->move(std::max(0, target.x()), std::max(0, target.y()));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (Dragged == bar) {
            Dragged.clear();
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}
