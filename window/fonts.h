#pragma once
// The designed fonts, mapped to look-alikes from Debian's font packages so the windows look the same on
// every machine.

#include <QFont>
#include <QString>

#include "game/controls.h"

namespace blokko::view {

// The family drawn for a designed family name; unknown names are kept.
QString substituteFamily(const char* designedName);

// A font of the designed size: points at 96 dots per inch, as whole logical pixels.
QFont fontFor(const Font& font);

} // namespace blokko::view
