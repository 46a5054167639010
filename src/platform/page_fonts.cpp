#include "platform/page_fonts.h"

#include <array>

namespace qw {
namespace {

// Liberation Sans Narrow and Liberation Sans have the metrics of the Arial
// faces; Liberation Sans comes nearest the old sans-serif screen face; no free
// font matches Goudy Old Style, and Linux Libertine is the old-style face
// closest to it in colour and width.
constexpr std::array<PageFontStandIn, 4> kStandIns{{
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Arial", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Goudy Old Style", "Linux Libertine O"},
}};

}  // namespace

std::span<const PageFontStandIn> PageFontStandIns() { return kStandIns; }

QString PageFontsScript() {
  QString faces;
  for (const PageFontStandIn& s : kStandIns) {
    faces += QStringLiteral("[\"%1\",\"%2\"],").arg(QLatin1String(s.family), QLatin1String(s.fullName));
  }
  faces.chop(1);
  // FontFace objects rather than a style sheet: the document has no element
  // yet when the script runs, and the faces are there before the first layout.
  // A face the desktop lacks is passed over: the page then falls back as the
  // engine would without the stand-ins.
  return QStringLiteral(
             "(function(){if(!document.fonts||typeof FontFace==='undefined')return;"
             "var faces=[%1];"
             "var kinds=[['','normal','normal'],[' Bold','bold','normal'],[' Italic','normal','italic'],"
             "[' Bold Italic','bold','italic']];"
             "faces.forEach(function(f){kinds.forEach(function(k){"
             "try{document.fonts.add(new FontFace(f[0],'local(\"'+f[1]+k[0]+'\")',{weight:k[1],style:k[2]}));}"
             "catch(e){}});});})();")
      .arg(faces);
}

}  // namespace qw
