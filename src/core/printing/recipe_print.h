#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "core/recipes/cook_item.h"

struct TReport;
struct TSettings;

// What a recipe printout shows: the record's name and attributes, the panes'
// texts as they are on the screen (each line followed by CR LF) and the
// photo the photo pane shows.
struct TRecipePrintInput {
    TCookItem Item;
    QString Foodstuff;
    QString How;
    QString Comment;
    QImage Photo;
};

// The header/footer text of a print attribute code (0 none, 1 group, 2 kind,
// 3 amount, 4 calorie + "kcal", 5 price + "円", 6 cooking time, 7 salt); a
// result that is exactly "kcal" or "円" is empty.
QString PrintAttrText(const TCookItem& item, int code);

// How much narrower the band is than designed: left + right margin - 20 mm.
int MarginExcess(const TSettings& settings);

// A pane's plain text as the printout takes it: every line followed by CR LF
// (an empty pane gives "").
QString PaneText(const QString& plainText);

// "用紙サイズ : A4" CR LF CR LF "印刷してもよろしいですか？"
QString PrintQuestion(const QString& paperSize);

// The class name of the recipe layout the settings choose, or empty when the
// style or the paper is not one of the known ones.
QString RecipeLayoutFor(const TSettings& settings);

// Adapts the layout's margins and geometry to the settings and fills it.
void FillRecipeLayout(TReport& layout, const TSettings& settings, const TRecipePrintInput& input);

// The size a picture of `picture` pixels takes in a box of `box` pixels:
// scaled by the smaller of the two ratios, keeping its shape.
QSize FitPictureSize(QSize picture, QSize box);
// Puts `source`, fitted to the image box's current size, into the box.
void FitPictureToPrintImage(const QImage& source, TReport& layout, const QString& box);
