#pragma once

#include <functional>

#include <QObject>
#include <QStringList>

#include "core/recipes/cook_item.h"

class QComboBox;
class QPushButton;
class QSplitter;
class QWidget;

// Calls `onDropDown` just before a combo box opens its list (mouse press,
// F4, Alt+Up/Down), so the items can be rebuilt first.
class TDropDownHook final : public QObject {
public:
    TDropDownHook(QComboBox* combo, std::function<void()> onDropDown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* Combo = nullptr;
    std::function<void()> OnDropDown;
};

// Calls `onClick` on a left click of a plain control (a "×" panel).
class TClickHook final : public QObject {
public:
    TClickHook(QWidget* control, std::function<void()> onClick);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Control = nullptr;
    std::function<void()> OnClick;
};

// The refinement search box of the search tool bar (cbSearchRefinement with
// btnSearchRefinement): a grey placeholder while it is empty and unfocused,
// black text once typed in, Enter runs the search after typing, and the
// drop-down lists the history.
class TRefinementSearchBox final : public QObject {
    Q_OBJECT
public:
    TRefinementSearchBox(QComboBox* combo, QPushButton* button, QObject* parent = nullptr);

    // The keyword as typed, untrimmed (the placeholder when the box shows it).
    QString Keyword() const;
    void SetHistorySource(std::function<QStringList()> source) { HistorySource = std::move(source); }
    bool ShowsPlaceholderColour() const { return Grey; }
    bool SearchIsDefault() const { return DefaultButton; }

    void cbSearchRefinementEnter();
    void cbSearchRefinementExit();
    void cbSearchRefinementChange();
    void cbSearchRefinementDropDown();

signals:
    void SearchRequested(const QString& keyword);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetGrey(bool grey);

    QComboBox* cbSearchRefinement = nullptr;
    QPushButton* btnSearchRefinement = nullptr;
    std::function<QStringList()> HistorySource;
    bool Grey = true;
    bool DefaultButton = false;
};

// The group filter above the recipe list (ComboBoxGroup): its items are
// rebuilt from the records each time it drops down; a choice by the user
// emits GroupChosen (rebuilding the items does not).
class TGroupFilterBox final : public QObject {
    Q_OBJECT
public:
    explicit TGroupFilterBox(QComboBox* combo, QObject* parent = nullptr);

    void SetRecordSource(std::function<const TCookItems&()> source) { Records = std::move(source); }
    // Rebuilds the items, keeping the shown group when it is still offered.
    void ComboBoxGroupDropDown();

signals:
    void GroupChosen();

private:
    QComboBox* ComboBoxGroup = nullptr;
    std::function<const TCookItems&()> Records;
};

// Shows a side pane of the splitter with at least `width` pixels, taken from
// the widest pane beside it.
void ShowSidePane(QSplitter* splitter, QWidget* pane, int width);
