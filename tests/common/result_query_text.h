#pragma once
// The fixed head of Find's count and list queries: the selected columns and
// the joins of every table a criterion can name.
#include <QString>

namespace qw::testing {

inline const QString kCountHead =
    "select rpm_Contact_Information.marinano, rpm_marinaname_no.[Marina Name],rpm_Contact_Information.City, "
    "rpm_Contact_Information.State, rpm_Vyk.[Bell rating], rpm_nav_Info.Harbor, rpm_nav_Info.[USCG Statute Mile], "
    "['97 Editions].[In Disk] FROM ";
inline const QString kListHead =
    "select rpm_Contact_Information.marinano, rpm_marinaname_no.[Marina 30 char Name],rpm_marinaname_no.[Marina "
    "Name],rpm_Contact_Information.City, rpm_Contact_Information.State,rpm_Vyk.[Bell rating], rpm_Vyk.[Boatyard "
    "Rating], rpm_Vyk.[Sunset], rpm_nav_Info.[USCG Statute Mile],rpm_nav_Info.[Harbor], ['97 Editions].[In "
    "Disk],rpm_marina_facilities.[Total # Slips],rpm_marina_facilities.[Total # of "
    "Moorings],rpm_marina_facilities.[Maximum Length Overall],rpm_marina_facilities.[In Season Slips--Nightly Rate] "
    "from";
inline const QString kFrom =
    "(((((((rpm_Contact_Information LEFT JOIN rpm_nav_info ON rpm_Contact_Information.MarinaNo = "
    "rpm_nav_info.MarinaNo) LEFT JOIN rpm_marinaname_no ON rpm_Contact_Information.MarinaNo = "
    "rpm_marinaname_no.MarinaNo) LEFT JOIN rpm_Vyk ON rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) LEFT "
    "JOIN rpm_marina_facilities ON rpm_Contact_Information.MarinaNo = rpm_marina_facilities.MarinaNo) LEFT JOIN "
    "rpm_marina_services ON rpm_Contact_Information.MarinaNo = rpm_marina_services.MarinaNo) LEFT JOIN "
    "rpm_Boat_and_Boatyard_Services_EI ON rpm_Contact_Information.MarinaNo = "
    "rpm_Boat_and_Boatyard_Services_EI.MarinaNo) LEFT JOIN ['97 Editions] ON rpm_Vyk.MarinaNo = ['97 "
    "Editions].MarinaNo) LEFT JOIN rpm_marina_operations ON rpm_Contact_Information.MarinaNo = "
    "rpm_marina_operations.MarinaNo";

}  // namespace qw::testing
