#pragma once

#include <QFrame>
#include <QList>

#include "core/recipes/link_marks.h"
#include "core/recipes/open_recipe.h"

class QLabel;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolButton;
class TMemoPane;
class TPhotoPaneView;
struct TSettings;

// The recipe pane area ("CookPanel"): the bar with save, word wrap and the
// modified marker, the header, and the recipe, comment, memo and attribute
// tabs. It shows the open recipe and marks it modified when the user types,
// draws or changes the photo.
class TRecipePanes final : public QFrame {
    Q_OBJECT
public:
    TRecipePanes(TOpenRecipe& recipe, QWidget* parent = nullptr);

    static const QString ModifiedText;  // "変更有り", the marker of unsaved edits

    // Editable look, or the empty read-only look of "no recipe".
    void SetEditLook(bool editable);
    // Fills the panes from the open recipe after it was loaded.
    void ShowRecipe(const QImage& icon, const TSettings& settings);
    void SetRecipeIcon(const QImage& icon);
    // The attribute tab alone, after the attributes changed on disk.
    void ShowAttributes(const QStringList& lines);
    TRecipeTexts Texts() const;
    // Writes the open recipe; false (after its error box) when it failed.
    bool Save();

    // Looks that never mark the recipe modified.
    void ApplyFontSize(int size);
    void ApplyFontName(const QString& family);
    bool WordWrap() const;
    void SetWordWrap(bool on);
    void ApplyWordWrap();
    void HighlightKeyword(const QString& keyword);
    void SetBarVisible(bool visible);

    // Sizes of the inner panes: the ingredients' row height, the picture's width.
    int SubPanelHeight() const;
    int PicturePanelWidth() const;
    void SetSplitSizes(int subPanelHeight, int picturePanelWidth);

    // What the window's commands and menus act on.
    QToolButton* SaveButton() const { return tbtnSave; }
    QToolButton* WordWrapButton() const { return tbtnWordWrap; }
    QTextEdit* FoodstuffPane() const { return memFoodstuff; }
    QTextEdit* HowPane() const { return MemoHow; }
    QList<QTextEdit*> EditPanes() const;  // ingredients, method, comment
    QWidget* PhotoLabel() const;
    TPhotoPaneView* PhotoView() const { return Photo; }
    TMemoPane* MemoView() const { return Memo; }
    const TMarks* FoodstuffLinks() const { return &FoodstuffMarks; }
    const TMarks* HowLinks() const { return &HowMarks; }

signals:
    void SplitterMoved();

private:
    void BuildBar();
    void BuildRecipeTab();
    void BuildPictureColumn(QWidget* parent);
    void BuildOtherTabs();
    void BuildAids();
    void PaneChanged();
    void ShowModified(bool modified);
    void ShowProtection();
    void ShowMemo();
    void SetTabImage(QWidget* tab, bool present);
    void ColourPanes(const TSettings& settings);

    TOpenRecipe& Recipe;
    TMarks FoodstuffMarks;
    TMarks HowMarks;
    bool Editable = false;
    bool Loading = false;  // pane text set by the program, not typed

    QFrame* Panel8 = nullptr;
    QToolButton* tbtnSave = nullptr;
    QToolButton* tbtnWordWrap = nullptr;
    QLabel* PanelStatus = nullptr;
    QFrame* pnlRecipeHeader = nullptr;
    QLabel* imbRecipeIcon = nullptr;
    QLabel* pnlRecipeHeaderCaption = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheetRecipe = nullptr;
    QWidget* TabSheetComment = nullptr;
    QWidget* TabSheetPaint = nullptr;
    QWidget* TabSheetAttr = nullptr;
    QSplitter* RecipeSplitter = nullptr;
    QSplitter* SubSplitter = nullptr;
    QFrame* SubPanel = nullptr;
    QFrame* PicturePanel = nullptr;
    QList<QLabel*> CapPanels;  // CapPanel1-5
    QTextEdit* memFoodstuff = nullptr;
    QTextEdit* MemoHow = nullptr;
    QTextEdit* RichEditComment = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QFrame* ImagePanel = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Shape1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    QLabel* imgDraw = nullptr;
    QFrame* PaintToolPanel = nullptr;
    QLabel* lblCanvasSize = nullptr;
    TPhotoPaneView* Photo = nullptr;
    TMemoPane* Memo = nullptr;
};
