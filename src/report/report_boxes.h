#pragma once
// The three boxes of the upper half of a report page: the information box
// (navigation, facilities, operations), the photo box with the page heading,
// and the name and contact box.
#include <QString>

#include "platform/jet.h"

namespace qw {

// The information box from the marina's rows of rpm_nav_info,
// rpm_marina_facilities and rpm_marina_operations. It ends with the closing
// of the page container.
QString InformationBoxHtml(const Recordset& nav, const Recordset& facilities, const Recordset& operations);

// The heading of the page: the first 30 characters of the full name, or the
// short name without its end blanks when that is not empty.
QString HeadingName(const QString& marinaName, const QString& shortName);

// The photo box: the photo (absolute path; "" leaves its place empty) with
// its pop-up link, and the heading under it.
QString PhotoBoxHtml(const QString& photoFile, const QString& headingName);

// The web address as a link target: "http://" put in front of an address
// without a scheme; "" for an address of another scheme than http or https
// ("javascript:..."), which is shown but never made a link.
QString WebLinkTarget(const QString& address);

// The name and contact box from the marina's rpm_Contact_Information row.
QString ContactBoxHtml(const Recordset& contact);

}  // namespace qw
