#pragma once
// The restaurants and accommodations block of the report's middle section:
// one marina's eateries and lodgings as six HTML text runs, one per distance
// class, each grouped by kind in the fixed order of the thirteen kinds.
#include <QString>
#include <cstdint>
#include <span>

#include "report/services_section.h"

namespace qw {

// The thirteen kinds in group order (nine eateries, then four lodgings), each
// with the masked form that stands for it inside entry notes while the class
// texts are grouped.
struct EntryType {
  const char* type;
  const char* masked;
};
std::span<const EntryType, 13> EntryTypes();

// Empties the six texts, then fills them with the marina's rows of
// rpm_Restaurants and rpm_Accommodations: per class, "Kind <I>(note)</I>,
// <I>(note)</I>, Kind2 ..." in the order of EntryTypes(). Hidden kinds, kinds
// not among the thirteen, rows with a Null kind and rows in no class are left
// out. A query that cannot run leaves what was built before it; a file that
// cannot be read just now (IsReadFailure) throws its JetError.
void BuildRestaurantAndLodgingText(Database& db, std::int32_t marinaNo, const DontShowFlags& flags,
                                   DistanceClassTexts& texts);

// The entries of one kind in a class text of "kind note, " items, written as
// "Kind <I>(..)</I>, <I>(..)</I>, "; "Kind, " for one entry without details;
// "" when the kind does not occur. Kinds are matched exactly, case-sensitive;
// a note runs to the "</I>" that closes its own "<I>".
QString GroupEntriesByType(const QString& text, const QString& typeName);

// Masks every kind word in text with its masked form, so that a kind word
// inside a name is never taken for a group; revertname undoes it exactly
// (masked forms that were in the text before stay as they were).
void replacename(QString& text);
void revertname(QString& text);

}  // namespace qw
