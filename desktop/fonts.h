#pragma once
// The designed fonts, mapped to look-alikes from Debian's font packages so the windows look the same on
// every machine.

#include <QFont>
#include <QString>

#include "engine/rules/controls.h"
#include "scene/fonts.h"

namespace blokko::view {

// The family drawn for a designed family name; unknown names are kept.
QString substituteFamily(const char* designedName);

// The scene's font as drawn: its family, then the fallback, at its whole logical pixel size.
QFont fontFor(const scene::DrawnFont& font);
// The font drawn for a designed one.
QFont fontFor(const Font& font);

// Makes the look-alikes the only fonts the program sees, before Qt reads the system's font
// configuration: every machine then draws the windows alike, whatever fonts and font settings it has,
// and Qt's font list is built from a few dozen fonts instead of all of them (a third of the time to the
// first frame). Call before the QApplication exists. When a look-alike is missing it returns false and
// leaves the system's configuration in place.
bool useLookAlikeFontsOnly();

} // namespace blokko::view
