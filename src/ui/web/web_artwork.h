#pragma once

#include <QIcon>
#include <QImage>

#include "core/web/web_node.h"

// The 16-pixel pictures of the web trees and the bookmark menu, drawn for this
// program: a folder, a bookmark (a page with a ribbon) and a feed site (the
// orange feed mark).
QImage WebNodeImage(TWebNodeKind kind);
QIcon WebNodeIcon(TWebNodeKind kind);
