#include "ui/mainwindow/search_boxes.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QWidget>

#include "core/search/class_tree.h"
#include "core/search/recipe_search.h"

namespace {

bool IsBlank(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x20)
            return false;
    return true;
}

}  // namespace

TDropDownHook::TDropDownHook(QComboBox* combo, std::function<void()> onDropDown)
    : QObject(combo), Combo(combo), OnDropDown(std::move(onDropDown)) {
    Combo->installEventFilter(this);
}

bool TDropDownHook::eventFilter(QObject* watched, QEvent* event) {
    // qobject_cast fails on a combo box that is already being destroyed.
    if (qobject_cast<QComboBox*>(watched) == Combo && Combo->isEnabled()) {
        bool opens = false;
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            opens = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            opens = key->key() == Qt::Key_F4 ||
                    ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && (key->modifiers() & Qt::AltModifier)) ||
                    (key->key() == Qt::Key_Space && !Combo->isEditable());
        }
        if (opens && OnDropDown)
            OnDropDown();
    }
    return QObject::eventFilter(watched, event);
}

TClickHook::TClickHook(QWidget* control, std::function<void()> onClick)
    : QObject(control), Control(control), OnClick(std::move(onClick)) {
    Control->installEventFilter(this);
    Control->setCursor(Qt::PointingHandCursor);
}

bool TClickHook::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Control && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && Control->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        if (OnClick)
            OnClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

TRefinementSearchBox::TRefinementSearchBox(QComboBox* combo, QPushButton* button, QObject* parent)
    : QObject(parent), cbSearchRefinement(combo), btnSearchRefinement(button) {
    cbSearchRefinement->setEditable(true);
    cbSearchRefinement->setInsertPolicy(QComboBox::NoInsert);
    cbSearchRefinement->setMaxVisibleItems(20);
    {
        const QSignalBlocker block(cbSearchRefinement);
        cbSearchRefinement->setEditText(RefinementPlaceholder);
    }
    SetGrey(true);
    // The line edit hands its focus and keys to the combo box.
    cbSearchRefinement->installEventFilter(this);
    new TDropDownHook(cbSearchRefinement, [this] { cbSearchRefinementDropDown(); });
    connect(cbSearchRefinement, &QComboBox::editTextChanged, this, [this] { cbSearchRefinementChange(); });
    connect(btnSearchRefinement, &QPushButton::clicked, this, [this] { emit SearchRequested(Keyword()); });
}

QString TRefinementSearchBox::Keyword() const { return cbSearchRefinement->currentText(); }

void TRefinementSearchBox::SetGrey(bool grey) {
    Grey = grey;
    QLineEdit* edit = cbSearchRefinement->lineEdit();
    QPalette p = edit->palette();
    p.setColor(QPalette::Text, grey ? QColor(128, 128, 128) : QColor(Qt::black));
    edit->setPalette(p);
}

void TRefinementSearchBox::cbSearchRefinementEnter() {
    if (cbSearchRefinement->currentText() == RefinementPlaceholder)
        cbSearchRefinement->setEditText(QString());
}

void TRefinementSearchBox::cbSearchRefinementChange() {
    SetGrey(false);
    DefaultButton = true;
}

void TRefinementSearchBox::cbSearchRefinementExit() {
    if (IsBlank(cbSearchRefinement->currentText())) {
        {
            const QSignalBlocker block(cbSearchRefinement);
            cbSearchRefinement->setEditText(RefinementPlaceholder);
        }
        SetGrey(true);
    } else {
        SetGrey(false);
    }
    DefaultButton = false;
}

void TRefinementSearchBox::cbSearchRefinementDropDown() {
    SetGrey(false);
    const QString text = cbSearchRefinement->currentText();
    const QSignalBlocker block(cbSearchRefinement);
    cbSearchRefinement->clear();
    if (HistorySource)
        cbSearchRefinement->addItems(HistorySource());
    cbSearchRefinement->setEditText(text);
}

bool TRefinementSearchBox::eventFilter(QObject* watched, QEvent* event) {
    // The focus leaves a combo box that is being destroyed too; qobject_cast
    // no longer finds a combo box then.
    if (qobject_cast<QComboBox*>(watched) == cbSearchRefinement) {
        if (event->type() == QEvent::FocusIn) {
            cbSearchRefinementEnter();
        } else if (event->type() == QEvent::KeyPress && DefaultButton) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                btnSearchRefinement->click();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            cbSearchRefinementExit();
        }
    }
    return QObject::eventFilter(watched, event);
}

TGroupFilterBox::TGroupFilterBox(QComboBox* combo, QObject* parent) : QObject(parent), ComboBoxGroup(combo) {
    if (ComboBoxGroup->count() == 0)
        ComboBoxGroup->addItem(AllGroupsText);
    new TDropDownHook(ComboBoxGroup, [this] { ComboBoxGroupDropDown(); });
    connect(ComboBoxGroup, &QComboBox::activated, this, [this] { emit GroupChosen(); });
}

void TGroupFilterBox::ComboBoxGroupDropDown() {
    const QString remembered = ComboBoxGroup->currentText();
    const QStringList items = Records ? GroupFilterItems(Records()) : QStringList(AllGroupsText);
    const QSignalBlocker block(ComboBoxGroup);
    ComboBoxGroup->clear();
    ComboBoxGroup->addItems(items);
    ComboBoxGroup->setCurrentIndex(GroupFilterChoice(items, remembered));
}

// Gives a pane that has just been shown a usable width, taken from the
// widest pane beside it (the list or the recipe panes).
void ShowSidePane(QSplitter* splitter, QWidget* pane, int width) {
    pane->show();
    QList<int> sizes = splitter->sizes();
    const int index = splitter->indexOf(pane);
    if (index < 0 || sizes.value(index) >= width)
        return;
    int widest = -1;
    for (int i = 0; i < sizes.size(); ++i)
        if (i != index && (widest < 0 || sizes[i] > sizes[widest]))
            widest = i;
    if (widest < 0)
        return;
    const int extra = width - sizes[index];
    sizes[index] = width;
    sizes[widest] = std::max(0, sizes[widest] - extra);
    splitter->setSizes(sizes);
}
