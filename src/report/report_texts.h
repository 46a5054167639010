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

// The style classes of the report's pages, in the order they are defined.
inline const QString kReportStyleClasses = QStringLiteral(
    ".para_hdr{font-family:Arial Narrow;font-size:11pt;font-weight:bold;color:#0B1F4A;line-height:12pt;margin-top:0px;margin-bottom:0px;padding-top:0px;padding-bottom:0px;}"
    ".BottomPara_hdr{font-family:Arial Narrow;font-size:11pt;font-weight:bold;color:#0B1F4A;line-height:12pt;margin-top:0px;margin-bottom:0px;padding-top:0px;padding-bottom:0px;}"
    ".footer{font-family:Arial Narrow;letter-spacing:0.2em;text-transform:uppercase;font-size:9pt;font-weight:normal;color:#808080;}"
    ".lowfooter{font-family:Arial Narrow;letter-spacing:0.2em;text-transform:;font-size:9pt;font-weight:normal;color:#808080;}"
    ".ICW{font-family:Arial Narrow;font-size:9pt;font-weight:bold;line-height:9pt;color:#808080;text-transform:uppercase;}"
    ".ICWNumber{font-family:Arial Narrow;font-size:15pt;font-weight:bold;line-height:11pt;color:#808080;text-transform:uppercase;}"
    ".PageNum{font-family:Arial Narrow;font-size:17pt;font-weight:bold;color:#808080;text-transform:uppercase;}"
    ".TitleFont{font-family:Arial Narrow;font-size:9pt;font-weight:bold;color:Black;line-height:10pt;margin:0;}"
    ".AddressFont{font-family:Arial Narrow;font-size:10pt;font-weight:bold;color:#333333;line-height:11pt;margin:0;}"
    ".ValueFont{font-family:Arial Narrow;font-size:9pt;font-weight:normal;color:Black;line-height:10pt;margin:0;}"
    ".LineFont{font-family:Arial Narrow;font-size:4pt;font-weight:normal;color:Black;line-height:4pt;margin:0;}"
    ".LineFont1{font-family:Arial Narrow;font-size:7pt;font-weight:normal;color:Black;line-height:7.2pt;margin:0;}"
    ".Rights{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;}");

}  // namespace qw
