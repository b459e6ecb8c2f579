#include "ui/platform/help.h"

void ShowHelp(const QString& topic) { Q_UNUSED(topic); }
