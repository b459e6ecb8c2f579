#pragma once

#include <QList>
#include <QPixmap>

#include "core/recipes/recipe_attributes.h"

// `count` 32 by 32 icons, each one colour, no two alike.
QList<QPixmap> ColouredIcons(int count);

// Two user icons: "fish.bmp" as hint 33 and "rice.bmp" as hint 34.
TIconNames TwoUserIcons();

// Every attribute set, the icon being user icon 34 ("rice.bmp").
TRecipeAttributes FullAttributes();
