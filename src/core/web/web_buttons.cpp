#include "core/web/web_buttons.h"

namespace {

TWebButtons ButtonsFor(const TWebNode* selected, const QString& topName) {
    TWebButtons buttons;
    if (!selected)
        return buttons;
    buttons.AddFolder = buttons.AddEntry = selected->IsFolder();
    // The top folder (and any node given its name) stays as it is.
    const bool fixed = selected->Title == topName || !selected->Parent();
    buttons.Edit = buttons.Delete = !fixed;
    return buttons;
}

}  // namespace

TWebButtons BookmarkButtons(const TWebNode* selected) { return ButtonsFor(selected, QStringLiteral("BOOKMARK")); }

TWebButtons RssButtons(const TWebNode* selected) {
    TWebButtons buttons = ButtonsFor(selected, QStringLiteral("RSS"));
    buttons.Update = selected && selected->Kind == TWebNodeKind::Site;
    return buttons;
}
