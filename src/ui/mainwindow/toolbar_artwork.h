#pragma once

#include <QImage>
#include <QString>

// The main window's tool bar pictures, drawn for this program at 16 pixels.
enum class TToolImage {
    NewRecipe,
    DeleteRecipe,
    RenameRecipe,
    RecipeAttributes,
    Reload,
    Print,
    PrintPreview,
    KitchenTimer,
    RssReader,
    Calculator,
    Options,
    ViewReport,
    ViewList,
    ViewLargeIcons,
    ViewSmallIcons,
    HomePage,
    Save,
    WordWrap,
};

QImage ToolbarImage(TToolImage which);

// The picture named like its enumerator ("Print", "NewRecipe"); a null image
// for an unknown name.
QImage ToolbarImageNamed(const QString& name);
