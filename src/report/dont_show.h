#pragma once
// Per-marina hiding of report items: table rpm_display holds one row per
// marina with one Yes/No column per item; a set column leaves that item out of
// that marina's report. The flags of the marina being composed are held in a
// DontShowFlags value that the report composition owns.
#include <QString>
#include <array>
#include <span>

namespace qw {

class Database;

inline constexpr int kDontShowFlagCount = 87;

// One column of rpm_display and the item name the section builders compare
// with its flag.
struct DontShowItem {
  const char* column;
  const char* itemName;
};

// The 87 columns in the order they are read, each with its item name.
std::span<const DontShowItem, kDontShowFlagCount> DontShowItems();

struct DontShowFlags {
  // The marina whose row LoadDontShowFlags reads; the report sets it first.
  double DontShowMarinaNo = 0;
  // One flag per entry of DontShowItems(), same order; true hides the item.
  std::array<bool, kDontShowFlagCount> Flags{};

  // The flag of one column, by its name (compared without regard to case);
  // false for a name that is not a column.
  bool Flag(const QString& column) const;
  // The medical block reads this flag directly to leave out its Hospital line.
  bool hospital() const { return Flag(QStringLiteral("hospital")); }
};

// Every flag false.
void ClearDontShowFlags(DontShowFlags& flags);

// Sets the flags from the rpm_display row of flags.DontShowMarinaNo, read over
// a read-only connection of its own to the marina database (opened and closed
// here). A column holding True sets its flag, False or Null clears it; no row
// leaves every flag as it was. When the database, the table or a column cannot
// be read, reading stops there and the flags not yet read keep what they held;
// a file that cannot be read at all just now (IsReadFailure) throws its
// JetError instead. Returns whether the whole row could be read.
bool LoadDontShowFlags(DontShowFlags& flags);
// The same over a connection the caller holds.
bool LoadDontShowFlags(DontShowFlags& flags, Database& db);

// Whether an item is hidden: true when some entry whose item name equals
// itemName without regard to case (blanks count, nothing trimmed) has its flag
// set. "other" has two entries, the recreation and the general-services one.
bool IsItemHidden(const DontShowFlags& flags, const QString& itemName);

}  // namespace qw
