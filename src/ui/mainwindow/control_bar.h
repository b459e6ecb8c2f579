#pragma once

#include <QFrame>
#include <QPointer>
#include <QRect>

// A dock site for tool bars and small panels: each bar sits at its own
// position inside the site, and the site is as tall as its lowest bar. A bar
// can also float in a small tool window of its own and be docked back (double
// click on its grip, or drag it back over a site).
class TControlBar final : public QFrame {
    Q_OBJECT
public:
    explicit TControlBar(const QString& name, QWidget* parent = nullptr);

    // Puts `bar` into this site at `pos` (site coordinates).
    void Dock(QWidget* bar, QPoint pos);
    // Puts `bar` into the site to the right of the last bar of the first row
    // that has room, or on a new row.
    void DockAuto(QWidget* bar);

    // Takes `bar` out of whatever holds it and shows it in a floating tool window
    // whose client area is `rect` (screen coordinates).
    static void Float(QWidget* bar, const QRect& rect);
    static bool IsFloating(const QWidget* bar);
    // The floating window that holds `bar`, or nullptr.
    static QWidget* FloatingWindow(const QWidget* bar);

    void Relayout();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    int ContentHeight() const;

    QPointer<QWidget> Dragged;
    QPoint DragOffset;
};
