#pragma once
// The fonts the program's pages name (Windows faces such as "Arial Narrow")
// stood in for by the nearest fonts a Debian desktop has, metric-compatible
// where one exists, without changing the pages' text: the browser adapter
// runs PageFontsScript in every page before the page's own content, so that
// the screen and every print lay the pages out alike.
#include <QString>
#include <span>

namespace qw {

struct PageFontStandIn {
  const char* family;    // the family the pages name
  const char* fullName;  // the full name of the installed stand-in's regular face
};

// Arial Narrow, Arial, MS Sans Serif and Goudy Old Style with their stand-ins.
std::span<const PageFontStandIn> PageFontStandIns();

// A script that adds to the document's fonts, for each stand-in, the family
// under the name the pages use in its four faces (regular, bold, italic,
// bold italic), each taken from the installed face of that full name
// ("Liberation Sans Narrow Bold", ...). A stand-in that is not installed
// leaves the family to the engine's own choice.
QString PageFontsScript();

}  // namespace qw
