#pragma once
// Maps the font names the program uses (the launcher platform's Japanese and
// Latin faces) onto the fonts installed here, and turns a TFont into a QFont.
// The canvas and the main window's widgets share this, so text looks the same.
#include <QFont>
#include <QString>
#include <string_view>

#include "runtime/graphics.h"

namespace tokiwa {

// The installed family standing in for a font name; the name itself when the
// table has no entry for it.
QString MapFontFamily(std::string_view name);

// Family from the table, pixel size from Height, and the bold, italic, underline
// and strike-out styles. A negative Height is the character (em) height and
// becomes the pixel size as is; a positive Height is the cell height (ascent plus
// descent), so the pixel size is scaled until the face's cell height matches.
// Height 0 asks for the platform's default of 12 pixels.
QFont ToQFont(const TFont& font);

// Registers the table with Qt's font substitution, so widgets that name a
// launcher-platform font directly (from a settings file) get the same face.
void InstallFontSubstitutions();

}  // namespace tokiwa
