#pragma once

#include "core/web/web_node.h"

// Which tree buttons of the web tools are on for the selected node.
struct TWebButtons {
    bool AddFolder = false;
    bool AddEntry = false;
    bool Edit = false;
    bool Delete = false;
    bool Update = false;  // RSS reader only
    bool operator==(const TWebButtons&) const = default;
};

// The bookmark organiser: adds on a folder; edit and delete off for a node
// captioned "BOOKMARK" and for the top node.
TWebButtons BookmarkButtons(const TWebNode* selected);
// The RSS reader: adds on a folder, update on a site; edit and delete off
// for a node captioned "RSS" and for the top node.
TWebButtons RssButtons(const TWebNode* selected);
