#pragma once
// The designed fonts, mapped to look-alikes from Debian's font packages so the windows look the same on
// every machine.

#include <QFont>
#include <QString>

#include "engine/rules/controls.h"

namespace blokko::view {

// The family drawn for a designed family name; unknown names are kept.
QString substituteFamily(const char* designedName);

// A font of the designed size: points at 96 dots per inch, as whole logical pixels.
QFont fontFor(const Font& font);

// Makes the look-alikes the only fonts the program sees, before Qt reads the system's font
// configuration: every machine then draws the windows alike, whatever fonts and font settings it has,
// and Qt's font list is built from a few dozen fonts instead of all of them (a third of the time to the
// first frame). Call before the QApplication exists. When a look-alike is missing it returns false and
// leaves the system's configuration in place.
bool useLookAlikeFontsOnly();

} // namespace blokko::view
