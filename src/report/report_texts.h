#pragma once
// Fixed texts that several of the report's pages print alike.
#include <QString>

namespace qw {

// The publisher's rights line at the foot of the report, the Additional
// Photos page and the notes print pages, word for word the same on each.
inline const QString kReportRightsLine =
    QStringLiteral("Copyright &copy; VYK Publishing Company. All rights reserved.");

// The opening html element of the report's pages: VML under the prefix v,
// HTML 4.0 as the default namespace.
inline const QString kReportHtmlOpening =
    QStringLiteral("<html xmlns:v='urn:schemas-microsoft-com:vml' xmlns='http://www.w3.org/TR/REC-html40'>");

}  // namespace qw
