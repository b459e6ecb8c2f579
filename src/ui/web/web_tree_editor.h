#pragma once

#include <functional>

#include <QString>

#include "core/web/web_buttons.h"

class QWidget;
class TTreeStore;
class TWebTreeView;
struct TWindows;

// Reads a web tool's store at the window's creation; a failure shows a
// "Load File" error over `mainWindow` and leaves what could be read.
void LoadWebStore(TTreeStore& store, QWidget* mainWindow);
// Writes it back when the window goes at exit; a failure shows a "Save" error.
void SaveWebStore(TTreeStore& store);

// What sets one web tree window's editing apart: the captions of its entry
// dialog, the kind of entry it adds and the rule that enables its buttons.
struct TWebTreeEditing {
    QString AddEntryCaption;
    QString EditEntryCaption;
    TWebNodeKind EntryKind = TWebNodeKind::Bookmark;
    TWebButtons (*Buttons)(const TWebNode*) = nullptr;
};

// The add-folder, add-entry, edit and delete steps shared by the bookmark
// organiser and the RSS reader, through the shared folder and entry dialogs.
class TWebTreeEditor final {
public:
    TWebTreeEditor(QWidget* owner, TWebTreeView* tree, TWindows* windows, TWebTreeEditing editing);

    void AddFolder();
    void AddEntry();
    // Edits the selected node; `entryEdited` runs on an entry once its title
    // and address are set, before the tree shows it. Returns the edited node,
    // or null when nothing changed.
    TWebNode* Edit(const std::function<void(TWebNode&)>& entryEdited = {});
    void Delete();

private:
    QWidget* Owner = nullptr;
    TWebTreeView* Tree = nullptr;
    TWindows* Windows = nullptr;
    TWebTreeEditing Editing;
};
