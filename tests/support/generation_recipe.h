#pragma once

#include <QByteArray>
#include <QString>

#include "core/recipes/recipe_folder.h"

// Recipes whose every file carries the number of the save that wrote it, so a
// reader can tell a recipe that is wholly one save from a torn one: the texts
// in their first line, the photo in a trailer after the JPEG data, the memo in
// its first pixel, the attributes in "Date".

// A photo of noise, `width` by `height`, so its JPEG is as large as a real one.
QByteArray NoiseJpeg(int width, int height);

// Reads the recipe and saves it as generation `generation`: each text pane
// gets `lines` lines, the photo is `jpeg` with the trailer. Throws
// TSaporiaError as the save does.
void SaveGeneration(const QString& folder, long generation, const QByteArray& jpeg, int lines);

// The generation in the first line of a text pane; -1 without one.
long TextGeneration(const QString& text);

// The generation every file agrees on, or -1 with `fault` saying which files
// disagree (or what the read reported).
long GenerationOf(const TRecipeContent& content, QString* fault);

// The files as they lie, without the completion or clean-up a read does.
TRecipeContent FilesAsTheyLie(const QString& folder);
