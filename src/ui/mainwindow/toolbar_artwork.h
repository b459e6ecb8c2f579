#pragma once

#include <QImage>

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
