#pragma once

#include <cstdint>
#include <functional>

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include "core/recipes/cook_item.h"
#include "core/recipes/photo_pane.h"
#include "core/recipes/recipe_folder.h"

// The texts of the three editable panes at the moment of saving.
struct TRecipeTexts {
    QString Foodstuff;
    QString How;
    QString Comment;
};

// An answer to "save the changes?".
enum class TSaveAnswer : std::uint8_t { Yes, No, Cancel };

// The one recipe open in the panes: its folder, what was read from it, the
// photo shown, the memo canvas and whether anything was edited since the last
// load or save. The panes show it and follow its signals.
class TOpenRecipe final : public QObject {
    Q_OBJECT
public:
    // `dataRoot`: the data folder, without the final "/".
    explicit TOpenRecipe(QString dataRoot, QObject* parent = nullptr);

    bool IsOpen() const { return !FolderPath.isEmpty(); }
    // The recipe's folder ending with "/", empty while none is open.
    const QString& Path() const { return FolderPath; }
    const QString& Name() const { return RecipeName; }
    TRecipeContent& Content() { return Recipe; }
    const TRecipeContent& Content() const { return Recipe; }
    TPhotoPane& Photo() { return PhotoPane; }
    const TPhotoPane& Photo() const { return PhotoPane; }

    // The memo canvas; MemoDrawn marks it to be written by the next save.
    QImage& Memo() { return MemoImage; }
    bool MemoDirty() const { return MemoChanged; }
    void MemoDrawn();

    bool IsModified() const { return Modified; }
    void SetModified(bool modified);

    // Opens `item`'s folder. The memo starts as a white canvas of `memoSize`
    // unless the folder has one. False when a file was missing or could not
    // be read (Content().LoadError says why); everything else was read and
    // the recipe is open, its unread files protected from Save.
    bool Load(const TCookItem& item, QSize memoSize);
    // Writes the texts and any changed photo or memo, never a file that was
    // there but not read (Content().Files). Throws TSaporiaError
    // (nothing open, or the write failed); the edits then stay marked.
    void Save(const TRecipeTexts& texts);
    // No recipe open any more; unsaved edits are dropped.
    void Close();

    // Whether leaving the recipe must ask first: it has edits, the program is
    // not in view-only mode, and it is not closing.
    bool ShouldAskToSave(bool viewOnly, bool closing) const;
    // Carries out the answer; true when the caller may go on. Yes runs `save`
    // and goes on only when it succeeded; No drops the edits; Cancel stops.
    bool Answer(TSaveAnswer answer, const std::function<bool()>& save);

signals:
    void ModifiedChanged(bool modified);
    void Loaded();
    void Closed();

private:
    QString DataRoot;
    QString FolderPath;
    QString RecipeName;
    TRecipeContent Recipe;
    TPhotoPane PhotoPane;
    QImage MemoImage;
    bool MemoChanged = false;
    bool Modified = false;
};
