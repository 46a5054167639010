#include "report_values/make_value_string.h"

#include <QRegularExpression>
#include <cmath>
#include <span>

#include "platform/html_text.h"
#include "platform/vb_text.h"
#include "report_values/text_routines.h"

namespace qw {
namespace {

// How a column is tested before it contributes to an item.
enum class Test {
  Always,     // no column: the piece is a literal and always appended
  Set,        // a Yes/No column holding True (Null and False are not set)
  Present,    // not Null and not empty once the blanks at its ends are removed
  NonEmpty,   // not Null and not the empty text; a value of blanks counts
  NotNull,    // not Null; empty and blank values count
  Positive,   // its text is not blank and its value is greater than 0
  AboveZero,  // not Null and greater than 0 as a number
};

// Which text of a column a piece shows.
enum class Form {
  None,     // nothing of the column, only the piece's literals
  Trimmed,  // the text without the blanks at its ends
  Stored,   // the text as stored, blanks kept; numbers in their general form
  Lower,    // the text as stored, in lower case
  Left5,    // the first five characters of the text as stored
  Phone,    // the text as stored through FormatPhoneNumber, area in brackets
  LatLong,  // the text as stored through FormatLatLong
};

// One piece of an item: when the column passes its test, before + the
// column's text in its form + after is appended; otherwise `otherwise`.
struct Piece {
  const char* column = nullptr;
  Test test = Test::Always;
  Form form = Form::None;
  const char* before = "";
  const char* after = "";
  const char* otherwise = "";
};

// The text of a stored value (numbers in their general form: 150, 45.5). A
// Yes/No value reaching a column used as text shows "Yes" for True and
// nothing for False, never the words True or False.
QString CellText(const QVariant& v) {
  if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("Yes") : QString();
  return VbText(v);
}

bool IsNumberType(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
      return true;
    default:
      return false;
  }
}

// The value as a number; false when it does not read as one.
bool ToNumber(const QVariant& v, double* out) {
  if (v.typeId() == QMetaType::Bool) {
    *out = v.toBool() ? -1.0 : 0.0;
    return true;
  }
  if (IsNumberType(v)) {
    *out = v.toDouble();
    return true;
  }
  bool ok = false;
  *out = TrimBlanks(v.toString()).toDouble(&ok);
  return ok;
}

// The value as True or False; false when it does not read as either.
bool ToTruth(const QVariant& v, bool* out) {
  if (v.typeId() == QMetaType::Bool) {
    *out = v.toBool();
    return true;
  }
  if (IsNumberType(v)) {
    *out = v.toDouble() != 0.0;
    return true;
  }
  const QString s = TrimBlanks(v.toString());
  if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
    *out = true;
    return true;
  }
  if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
    *out = false;
    return true;
  }
  double d = 0;
  if (!ToNumber(v, &d)) return false;
  *out = d != 0.0;
  return true;
}

// The current row of the recordset, read afresh on every use. A column that
// cannot be read fails every test and gives an empty text. Texts come out as
// the page takes them (ColumnHtml): escaped, or cleaned where the column
// holds the publisher's markup.
class Row {
 public:
  explicit Row(const Recordset& rs) : rs_(rs) {}

  bool Holds(const char* column, Test test) const {
    if (test == Test::Always) return true;
    QVariant v;
    if (!Read(column, &v)) return false;
    double d = 0;
    bool b = false;
    switch (test) {
      case Test::Always:
      case Test::NotNull:
        return true;
      case Test::Set:
        return ToTruth(v, &b) && b;
      case Test::Present:
        return !TrimBlanks(CellText(v)).isEmpty();
      case Test::NonEmpty:
        return !CellText(v).isEmpty();
      case Test::Positive:
        return !TrimBlanks(CellText(v)).isEmpty() && ToNumber(v, &d) && d > 0;
      case Test::AboveZero:
        return ToNumber(v, &d) && d > 0;
    }
    return false;
  }

  // False only for a Yes/No column holding False (not Null, not unreadable).
  bool IsFalse(const char* column) const {
    QVariant v;
    bool b = false;
    return Read(column, &v) && ToTruth(v, &b) && !b;
  }

  QString Text(const char* column, Form form) const {
    QVariant v;
    if (form == Form::None || !Read(column, &v)) return QString();
    const QString s = CellText(v);
    const auto page = [column](const QString& text) { return ColumnHtml(QLatin1String(column), text); };
    switch (form) {
      case Form::None:
        return QString();
      case Form::Trimmed:
        return page(TrimBlanks(s));
      case Form::Stored:
        return page(s);
      case Form::Lower:
        return page(s.toLower());
      case Form::Left5:
        return page(s.left(5));
      case Form::Phone:
        return page(FormatPhoneNumber(s, false));
      case Form::LatLong:
        return FormatLatLong(page(s));  // the routine writes markup of its own ("&deg;")
    }
    return QString();
  }

  QString Trimmed(const char* column) const { return Text(column, Form::Trimmed); }
  QString Stored(const char* column) const { return Text(column, Form::Stored); }

 private:
  bool Read(const char* column, QVariant* value) const {
    if (column == nullptr) return false;
    try {
      const Field f = rs_.Fields(QString::fromLatin1(column));
      if (!f.HasValue() || !f.Value().isValid()) return false;
      *value = f.Value();
      return true;
    } catch (...) {
      return false;
    }
  }

  const Recordset& rs_;
};

void Append(const Row& row, QString& text, std::span<const Piece> pieces) {
  for (const Piece& p : pieces) {
    if (row.Holds(p.column, p.test)) {
      text += QLatin1String(p.before);
      text += row.Text(p.column, p.form);
      text += QLatin1String(p.after);
    } else {
      text += QLatin1String(p.otherwise);
    }
  }
}

void TrimComma(QString& text) { TrimTrailingSeparator(text, QStringLiteral(",")); }

// ---------------------------------------------------------------------------
// Facilities: fuel, slips, rates, power, TV, telephones.

constexpr Piece kFuelBrand[] = {
    {.column = "Brand", .test = Test::Present, .form = Form::Trimmed, .before = "<I>", .after = "</I> - "},
    {.column = "Slip Side Fueling?", .test = Test::Set, .before = "Slip-Side Fueling, "},
    {.column = "Gasoline?", .test = Test::Set, .before = "Gasoline, "},
    {.column = "Diesel?", .test = Test::Set, .before = "Diesel, "},
    {.column = "High-Speed Pumps?", .test = Test::Set, .before = "High-Speed Pumps, "},
    {.column = "On Call Delivery?", .test = Test::Set, .before = "On Call Delivery, "},
};

void BuildFuel(const Row& row, QString& text) {
  if (row.Holds("Fuel?", Test::Set)) {
    Append(row, text, kFuelBrand);
    if (text.isEmpty()) text = QStringLiteral("Yes");
  }
  TrimComma(text);
  if (text.isEmpty()) text = QStringLiteral("No");
}

constexpr Piece kSlips[] = {
    {.column = "Total # Slips", .test = Test::Present, .form = Form::Stored, .after = " Total, ", .otherwise = "0 Total, "},
    {.column = "Approx # of Transient Slips", .test = Test::Present, .form = Form::Stored, .after = " Transient", .otherwise = "0 Transient"},
};

constexpr Piece kMaxLoa[] = {
    {.column = "Maximum Length Overall", .test = Test::Present, .form = Form::Stored, .after = " ft.", .otherwise = "n/a"},
};

constexpr Piece kMaxBeam[] = {
    {.column = "Max Beams", .test = Test::Present, .form = Form::Stored, .after = " ft.", .otherwise = "n/a"},
};

constexpr Piece kRateWeekMonth[] = {
    {.column = "In Season Slips--Weekly Rate", .test = Test::Positive, .form = Form::Trimmed, .before = "&nbsp;&nbsp;<B>Week</B> ", .otherwise = "&nbsp;&nbsp;<B>Week</B> n/a"},
    {.column = "In Season Slips--Monthly Rate", .test = Test::Positive, .form = Form::Stored, .before = "&nbsp;&nbsp;<B>Month</B> ", .otherwise = "&nbsp;&nbsp;<B>Month</B> n/a"},
};

// "###0.00", rounded as the result list's Dockage Fee is.
QString Money(const Row& row, const char* column) {
  bool ok = false;
  const double d = TrimBlanks(row.Stored(column)).toDouble(&ok);
  if (!ok) return QString();
  return VbFormatCents(d);
}

void BuildRate(const Row& row, QString& text) {
  const char* inSeason = "In Season Slips--Nightly Rate";
  const char* offSeason = "Off Season Slips--Nightly Rate";
  if (row.Holds(inSeason, Test::Positive)) {
    text = QStringLiteral("<B>Day</B> $") + TrimBlanks(Money(row, inSeason));
    if (row.Holds(offSeason, Test::Positive)) text += QLatin1Char('/') + row.Stored(offSeason);
    if (row.Holds("In-season slips--comment", Test::Present)) text += QLatin1Char('*');
  } else if (row.Holds(offSeason, Test::Positive)) {
    text = QStringLiteral("<B>Day</B> na/") + row.Stored(offSeason);
  } else {
    text = QStringLiteral("<B>Day</B> n/a");
  }
  Append(row, text, kRateWeekMonth);
}

constexpr Piece kPower[] = {
    {.column = "30 Amp $", .test = Test::Present, .form = Form::Trimmed, .before = "<B>30 amp</B> ", .after = ", ", .otherwise = "<B>30 amp</B> n/a, "},
    {.column = "50 Amp $", .test = Test::Present, .form = Form::Trimmed, .before = "<B>50 amp</B> ", .after = ", ", .otherwise = "<B>50 amp</B> n/a, "},
    {.column = "100 Amp $", .test = Test::Present, .form = Form::Trimmed, .before = "<B>100 amp</B> ", .after = ", ", .otherwise = "<B>100 amp</B> n/a, "},
    {.column = "200 Amp $", .test = Test::Present, .form = Form::Trimmed, .before = "<B>200 amp</B> ", .otherwise = "<B>200 amp</B> n/a"},
};

// "Yes, $5" from a rate of "5" or "$5".
QString YesWithRate(const QString& trimmedRate) {
  if (trimmedRate.startsWith(QLatin1Char('$'))) return QStringLiteral("Yes, ") + trimmedRate;
  return QStringLiteral("Yes, $") + trimmedRate;
}

constexpr Piece kTvDetails[] = {
    {.column = "Cable TV Details", .test = Test::Present, .form = Form::Trimmed, .before = " "},
};

void BuildTv(const Row& row, QString& text) {
  if (!row.Holds("Cable TV?", Test::Set)) {
    text = QStringLiteral("No");
    return;
  }
  const char* rate = "Cable TV Rate $";
  text = row.Holds(rate, Test::Present) ? YesWithRate(row.Trimmed(rate)) : QStringLiteral("Yes");
  Append(row, text, kTvDetails);
}

constexpr Piece kPhoneDetails[] = {
    {.column = "Switchboard?", .test = Test::Set, .before = ", Switchboard"},
    {.column = "# of Lines", .test = Test::Present, .form = Form::Trimmed, .before = ", ", .after = " line(s)"},
    {.column = "Phone Hook-up Details", .test = Test::Present, .form = Form::Trimmed, .before = " "},
    {.column = "Available for 1 Night?", .test = Test::Set, .before = ", Available for 1 Night"},
};

void BuildPhone(const Row& row, QString& text) {
  if (!row.Holds("Dock Side Phone?", Test::Set)) {
    text = QStringLiteral("No");
    return;
  }
  // Only a Null or empty rate means none; a rate of blanks gives "Yes, $".
  const char* rate = "Phone Hook-up Rate $";
  text = row.Holds(rate, Test::NonEmpty) ? YesWithRate(row.Trimmed(rate)) : QStringLiteral("Yes");
  Append(row, text, kPhoneDetails);
}

void BuildPayPhones(const Row& row, QString& text) {
  if (row.Holds("# of Pay Phone", Test::Present)) {
    text = QStringLiteral("Yes, ") + row.Trimmed("# of Pay Phone");
  } else if (row.Holds("Pay Phones?", Test::Set)) {
    text = QStringLiteral("Yes");
  } else {
    text = QStringLiteral("No");
  }
}

// ---------------------------------------------------------------------------
// Docks and moorings.

constexpr Piece kDockType[] = {
    {.column = "Wood?", .test = Test::Set, .before = "Wood, "},
    {.column = "Long Fingers?", .test = Test::Set, .before = "Long Fingers, "},
    {.column = "Short Fingers?", .test = Test::Set, .before = "Short Fingers, "},
    {.column = "Concrete?", .test = Test::Set, .before = "Concrete, "},
    {.column = "Pilings?", .test = Test::Set, .before = "Pilings, "},
    {.column = "Alongside?", .test = Test::Set, .before = "Alongside, "},
    {.column = "Floating?", .test = Test::Set, .before = "Floating, "},
    {.column = "Composition?", .test = Test::Set, .before = "Composition, "},
    {.column = "Vinyl?", .test = Test::Set, .before = "Vinyl, "},
    {.column = "Fixed?", .test = Test::Set, .before = "Fixed, "},
    {.column = "Aluminium?", .test = Test::Set, .before = "Aluminum"},
};

constexpr Piece kMoorings[] = {
    {.column = "Total # of Moorings", .test = Test::Present, .form = Form::Trimmed, .after = " Total, ", .otherwise = "0 Total, "},
    {.column = "Approx Transient #", .test = Test::Present, .form = Form::Trimmed, .after = " Transient", .otherwise = "0 Transient"},
};

constexpr Piece kLaunchFee[] = {
    {.column = "Launch Service Fee $", .test = Test::Present, .form = Form::Trimmed, .before = " (", .after = ")"},
};

constexpr Piece kDinghyFee[] = {
    {.column = "Fee?", .test = Test::NonEmpty, .form = Form::Stored, .before = " (", .after = ")"},
};

void BuildLaunch(const Row& row, QString& text) {
  if (row.Holds("Launch Service Fee?", Test::Present)) {
    text = row.Trimmed("Launch Service Fee?");
    Append(row, text, kLaunchFee);
  } else {
    text = QStringLiteral("n/a");
  }
  if (row.Holds("Dinghy Dock?", Test::Set)) {
    text += QStringLiteral(", Dinghy Dock");
    Append(row, text, kDinghyFee);
  }
}

constexpr Piece kMooringsRate[] = {
    {.column = "In Season Moorings--Nightly Rates", .test = Test::Present, .form = Form::Trimmed, .before = "<B>Day</B> ", .otherwise = "<B>Day</B> n/a"},
    {.column = "In Season Moorings--Weekly Rates", .test = Test::Present, .form = Form::Trimmed, .before = "&nbsp;&nbsp;&nbsp;<B>Week</B> ", .otherwise = "&nbsp;&nbsp;&nbsp;<B>Week</B> n/a"},
    {.column = "In Season Moorings--Monthly Rates", .test = Test::Present, .form = Form::Trimmed, .before = "&nbsp;&nbsp;&nbsp;<B>Month</B> ", .otherwise = "&nbsp;&nbsp;&nbsp;<B>Month</B> n/a"},
};

// ---------------------------------------------------------------------------
// Shore facilities.

constexpr Piece kHeadsRest[] = {
    {.column = "Hair Dryers?", .test = Test::Set, .before = "Hair Dryers, "},
    {.column = "Other Amenities", .test = Test::NonEmpty, .form = Form::Stored},
};

void BuildHeads(const Row& row, QString& text) {
  if (row.Holds("Toilets?", Test::Set)) {
    const char* count = "Total Toilets #(men+woman)";
    text = row.Holds(count, Test::Positive) ? row.Stored(count) + QStringLiteral(" Toilet(s), ")
                                            : QStringLiteral("Toilet(s), ");
  }
  if (row.Holds("Showers?", Test::Set)) {
    const char* count = "Total Showers #(men+woman)";
    if (row.Holds(count, Test::Positive)) {
      text += row.Stored(count) + QStringLiteral(" Shower(s)");
      text += row.Holds("Dressing Rooms?", Test::Set) ? QStringLiteral(" <I>(with dressing rooms)</I>, ")
                                                      : QStringLiteral(", ");
    } else {
      text += QStringLiteral("Shower(s), ");
    }
  }
  Append(row, text, kHeadsRest);
  TrimComma(text);
  if (text.isEmpty()) text = QStringLiteral("None");
}

constexpr Piece kLaundry[] = {
    {.column = "# of Wash Machines", .test = Test::Positive, .form = Form::Stored, .after = " Washer(s), "},
    {.column = "# of Dryers", .test = Test::Positive, .form = Form::Stored, .after = " Dryer(s), "},
    {.column = "Irons?", .test = Test::Set, .before = "Iron, "},
    {.column = "Ironing Boards?", .test = Test::Set, .before = "Iron Board, "},
};

void BuildLaundry(const Row& row, QString& text) {
  if (row.Holds("Laundry?", Test::Set)) {
    Append(row, text, kLaundry);
    if (text.isEmpty()) text = QStringLiteral("Yes, ");
  }
  if (row.Holds("On Site Book Exchange?", Test::Set)) {
    if (text.isEmpty()) text = QStringLiteral("None, ");
    text += QStringLiteral("Book Exchange, ");
  }
  TrimComma(text);
  if (text.isEmpty()) text = QStringLiteral("None");
}

struct PumpOutMode {
  const char* column;
  const char* label;  // before a remark
  const char* piece;  // without a remark
};

constexpr PumpOutMode kPumpOutModes[] = {
    {"On Site", "Onsite", "OnSite, "},
    {"On Call", "OnCall", "OnCall, "},
    {"Full Service", "Full Service", "Full Service, "},
    {"Self Service", "Self Service", "Self Service, "},
};

constexpr Piece kPumpOutUnits[] = {
    {.column = "# Central Stations", .test = Test::Positive, .form = Form::Stored, .after = " Central, "},
    {.column = "# of Portable Units", .test = Test::Positive, .form = Form::Stored, .after = " Port, "},
    {.column = "# In Slip Dedication Units", .test = Test::Positive, .form = Form::Stored, .after = " InSlip"},
};

void BuildPumpOut(const Row& row, QString& text) {
  for (const PumpOutMode& mode : kPumpOutModes) {
    if (!row.Holds(mode.column, Test::Set)) continue;
    if (row.Holds("Pumpout_Comments", Test::Present)) {
      text += QLatin1String(mode.label) + QStringLiteral(" <I>(") + row.Trimmed("Pumpout_Comments") +
              QStringLiteral(")</I>, ");
    } else {
      text += QLatin1String(mode.piece);
    }
  }
  Append(row, text, kPumpOutUnits);
  TrimComma(text);
  if (text.isEmpty()) text = QStringLiteral("No");
}

constexpr Piece kFee[] = {
    {.column = "Fee", .test = Test::AboveZero, .form = Form::Trimmed, .otherwise = "n/a"},
};

constexpr Piece kClosedHeads[] = {
    {.column = "Closed Heads Required?", .test = Test::Set, .before = "Yes", .otherwise = "No"},
};

// ---------------------------------------------------------------------------
// Navigation.

constexpr Piece kLat[] = {
    {.column = "Latitude", .test = Test::Present, .form = Form::LatLong, .otherwise = "n/a"},
};
constexpr Piece kLong[] = {
    {.column = "Longitude", .test = Test::Present, .form = Form::LatLong, .otherwise = "n/a"},
};
constexpr Piece kTide[] = {
    {.column = "Tidal Range", .test = Test::Present, .form = Form::Trimmed, .otherwise = "n/a"},
};
constexpr Piece kCurrent[] = {
    {.column = "Average Current", .test = Test::Present, .form = Form::Trimmed, .otherwise = "n/a"},
};
constexpr Piece kChart[] = {
    {.column = "Chart #", .test = Test::Present, .form = Form::Trimmed, .otherwise = "n/a"},
};
constexpr Piece kRepDepths[] = {
    {.column = "Entry Depth", .test = Test::Positive, .form = Form::Stored, .after = " ft.", .otherwise = "n/a"},
};
constexpr Piece kFuelDock[] = {
    {.column = "Fuel Dock Depth", .test = Test::Positive, .form = Form::Stored, .after = " ft.", .otherwise = "n/a"},
};
constexpr Piece kMaxSlipMoor[] = {
    {.column = "Deepest Slip", .test = Test::Positive, .form = Form::Stored, .after = " ft.", .otherwise = "-"},
    {.before = "/"},
    {.column = "Deepest mooring", .test = Test::Positive, .form = Form::Stored, .after = " ft.", .otherwise = "-"},
};
constexpr Piece kAccess[] = {
    {.column = "Navigational Directions from ICW", .test = Test::NotNull, .form = Form::Trimmed, .otherwise = "n/a"},
};

// ---------------------------------------------------------------------------
// Operations.

constexpr Piece kManager[] = {
    {.column = "Marina Manager/Director", .test = Test::NotNull, .form = Form::Trimmed, .otherwise = "n/a"},
};
constexpr Piece kDockMaster[] = {
    {.column = "Dockmaster", .test = Test::NotNull, .form = Form::Trimmed, .otherwise = "n/a"},
};
constexpr Piece kInSeason[] = {
    {.column = "In-Season Dates", .test = Test::Present, .form = Form::Trimmed, .otherwise = "n/a"},
    {.column = "In-Season Hours", .test = Test::Present, .form = Form::Trimmed, .before = ", "},
};
constexpr Piece kOffSeason[] = {
    {.column = "Off-Season Dates", .test = Test::Present, .form = Form::Trimmed, .otherwise = "n/a"},
    {.column = "Off-Season Hours", .test = Test::Present, .form = Form::Trimmed, .before = ", "},
};
constexpr Piece kAfterHours[] = {
    {.column = "After-Hours Arrival Procedure", .test = Test::NotNull, .form = Form::Trimmed, .otherwise = "n/a"},
};
constexpr Piece kReservations[] = {
    {.column = "Reservation", .test = Test::Present, .form = Form::Trimmed, .otherwise = "No"},
};

// "Other" holds further card names as text and is the list's last entry.
constexpr Piece kCreditCards[] = {
    {.column = "Master/Visa", .test = Test::Set, .before = "Visa/MC, "},
    {.column = "Discover", .test = Test::Set, .before = "Dscvr, "},
    {.column = "Diners Club", .test = Test::Set, .before = "Din, "},
    {.column = "Amex", .test = Test::Set, .before = "Amex, "},
    {.column = "Texaco", .test = Test::Set, .before = "Tex, "},
    {.column = "Other", .test = Test::Present, .form = Form::Stored},
};

constexpr Piece kDiscountPrograms[] = {
    {.column = "Boat US Cooperating Marina", .test = Test::Set, .before = "Boat/US; "},
    {.column = "Other Discount Programs", .test = Test::Present, .form = Form::Trimmed},
};

constexpr Piece kDiscountKinds[] = {
    {.column = "Dockage Discount", .test = Test::Present, .form = Form::Trimmed,
     .before = "<span class=TitleFont>Dockage: </Span><span class=ValueFont>", .after = "&nbsp;&nbsp;&nbsp;</span>",
     .otherwise = "<span class=TitleFont>Dockage: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>"},
    {.column = "Fuel Disscount", .test = Test::Present, .form = Form::Trimmed,
     .before = "<span class=TitleFont>Fuel: </Span><span class=ValueFont>", .after = "&nbsp;&nbsp;&nbsp;</span>",
     .otherwise = "<span class=TitleFont>Fuel: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>"},
    {.column = "Repair Discount", .test = Test::Present, .form = Form::Trimmed,
     .before = "<span class=TitleFont>Repair: </Span><span class=ValueFont>", .after = "&nbsp;&nbsp;&nbsp;</span>",
     .otherwise = "<span class=TitleFont>Repair: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>"},
};

void BuildDiscounts(const Row& row, QString& text) {
  bool any = row.Holds("Boat US Cooperating Marina", Test::Set) ||
             row.Holds("Other Discount Programs", Test::Present);
  for (const Piece& kind : kDiscountKinds) any = any || row.Holds(kind.column, kind.test);
  if (!any) {
    text = QStringLiteral("<span class=TitleFont>Discounts: </Span><span class=ValueFont>None</Span>");
    return;
  }
  QString programs;
  Append(row, programs, kDiscountPrograms);
  TrimTrailingSeparator(programs, QStringLiteral(";"));
  if (programs.isEmpty()) programs = QStringLiteral("None");
  text = QStringLiteral("<span class=TitleFont>Discounts: </Span><span class=ValueFont>") + programs +
         QStringLiteral("&nbsp;&nbsp;&nbsp;</span>");
  Append(row, text, kDiscountKinds);
}

constexpr Piece kPets[] = {
    {.column = "Dog Walking Area?", .test = Test::Set, .before = "Dog Walk Area, "},
    {.column = "Kennel", .test = Test::Set, .before = "Kennel"},
};

void BuildPets(const Row& row, QString& text) {
  if (row.Holds("Pets Allowed?", Test::Set)) {
    text = QStringLiteral("Welcome, ");
    Append(row, text, kPets);
  } else {
    text = QStringLiteral("No");
  }
  TrimComma(text);
}

constexpr Piece kHandicapAccess[] = {
    {.column = "To Heads?", .test = Test::Set, .before = ", Heads"},
    {.column = "To Docks?", .test = Test::Set, .before = ", Docks"},
};

void BuildHandicapAccess(const Row& row, QString& text) {
  if (row.Holds("Handicapped Access?", Test::Set)) {
    text = QStringLiteral("Yes");
    Append(row, text, kHandicapAccess);
  } else {
    text = QStringLiteral("No");
  }
}

// ---------------------------------------------------------------------------
// Contact.

constexpr Piece kAddress[] = {
    {.column = "Street", .test = Test::NonEmpty, .form = Form::Stored, .after = ";  "},
    {.column = "City", .test = Test::NonEmpty, .form = Form::Stored, .after = ",  "},
    {.column = "State", .test = Test::NonEmpty, .form = Form::Stored, .after = "&nbsp;&nbsp;"},
    {.column = "Zip", .test = Test::NonEmpty, .form = Form::Left5},
};

void BuildPoBox(const Row& row, QString& text) {
  const char* box = "PO  Box";  // two blanks in the column name
  if (row.Holds(box, Test::NonEmpty)) {
    const QString value = row.Stored(box);
    const QString trimmed = TrimBlanks(value);
    text = value.contains(QLatin1String("Box"), Qt::CaseInsensitive)
               ? trimmed + QStringLiteral(";  ")
               : QStringLiteral("PO Box ") + trimmed + QStringLiteral(";  ");
  }
  Append(row, text, kAddress);
  TrimTrailingSeparator(text, QStringLiteral(";"));
}

constexpr Piece kContactPhone[] = {
    {.column = "Phone", .test = Test::NonEmpty, .form = Form::Phone},
    {.column = "Toll Free Phone", .test = Test::NonEmpty, .form = Form::Phone, .before = "; "},
};

constexpr Piece kContactFax[] = {
    {.column = "Fax", .test = Test::NonEmpty, .form = Form::Phone, .otherwise = "n/a"},
    {.column = "After-Hours Phone", .test = Test::NonEmpty, .form = Form::Phone,
     .before = "&nbsp;&nbsp;&nbsp;<B>Alternate Tel: </B>",
     .otherwise = "&nbsp;&nbsp;&nbsp;<B>Alternate Tel:</B> n/a"},
};

// One number: optional sign, digits (thousands separators allowed) and at
// most one decimal point. "1/2", "2-3" and words are not numbers.
bool IsNumericText(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral("^[+-]?(\\d[\\d,]*(\\.\\d*)?|\\.\\d+)$"));
  return number.match(text).hasMatch();
}

void BuildNearestTown(const Row& row, QString& text) {
  if (!row.Holds("Nearest Town", Test::NonEmpty)) return;
  text = row.Stored("Nearest Town");
  if (row.Holds("Miles to Town", Test::NonEmpty)) {
    const QString miles = row.Trimmed("Miles to Town");
    text += QStringLiteral("<I>&nbsp;(") + miles +
            (IsNumericText(miles) ? QStringLiteral(" mi.)</I>") : QStringLiteral(")</I>"));
  }
}

constexpr Piece kTouristInfo[] = {
    {.column = "CofC Phone", .test = Test::NonEmpty, .form = Form::Stored},
};

constexpr Piece kVhf[] = {
    {.column = "VHF Monitor", .test = Test::Present, .form = Form::Stored, .before = "<B>Monitor</B> ", .otherwise = "<B>Monitor</B> n/a"},
    {.column = "VHF Talk", .test = Test::Present, .form = Form::Stored, .before = "&nbsp;&nbsp;<B>Talk</B> ", .otherwise = "&nbsp;&nbsp;<B>Talk</B> n/a"},
};

constexpr Piece kEmail[] = {
    {.column = "E-mail", .test = Test::NonEmpty, .form = Form::Stored},
};

constexpr Piece kWeb[] = {
    {.column = "Website", .test = Test::NonEmpty, .form = Form::Stored},
};

// ---------------------------------------------------------------------------
// Boatyard.

constexpr const char* kOwnBoatyard = "Marina has Boatyard on site?";

constexpr Piece kNearestYardPhone[] = {
    {.column = "Phone Number of Nearest Boatyard", .test = Test::NonEmpty, .form = Form::Phone, .before = " "},
};

void BuildNearestYard(const Row& row, QString& text) {
  if (!row.IsFalse(kOwnBoatyard)) return;  // True, Null or unreadable: the marina's own yard counts
  if (!row.Holds("Name of Nearest Boatyard", Test::NonEmpty)) return;
  text = row.Stored("Name of Nearest Boatyard");
  Append(row, text, kNearestYardPhone);
}

constexpr Piece kYardRate[] = {
    {.column = "Yard Rate", .test = Test::Present, .form = Form::Trimmed, .after = ", "},
};
constexpr Piece kBlocking[] = {
    {.column = "Blocking", .test = Test::Present, .form = Form::Lower, .before = " <I> (blocking ", .after = ")</I>, ", .otherwise = ", "},
};
constexpr Piece kPowerWash[] = {
    {.column = "Power Wash", .test = Test::Present, .form = Form::Trimmed, .before = "Power Wash ", .after = ", "},
};
constexpr Piece kPaintIncluded[] = {
    {.column = "Paint Incl?", .test = Test::Set, .before = " <I>(paint included)</I>"},
};

void BuildYardRates(const Row& row, QString& text) {
  if (!row.Holds(kOwnBoatyard, Test::Set)) return;
  Append(row, text, kYardRate);
  if (row.Holds("Haul & Launch", Test::Present)) {
    text += QStringLiteral("Haul & Launch ") + row.Trimmed("Haul & Launch");
    Append(row, text, kBlocking);
  }
  Append(row, text, kPowerWash);
  if (row.Holds("Bottom Paint", Test::Present)) {
    text += QStringLiteral("Bottom Paint ") + row.Trimmed("Bottom Paint");
    Append(row, text, kPaintIncluded);
    text += QStringLiteral(", ");
  }
  TrimComma(text);
}

constexpr Piece kAbbraTechs[] = {
    {.column = "# of ABBRA Certified Technicians", .test = Test::Positive, .form = Form::Trimmed, .before = " - ", .after = " Certified Tech(s)"},
};
constexpr Piece kAbycTechs[] = {
    {.column = "# of AYC Certified Technicians", .test = Test::Positive, .form = Form::Trimmed, .before = " - ", .after = " Certified Tech(s)"},
};
constexpr Piece kOtherCertifications[] = {
    {.column = "Other Certifications", .test = Test::Present, .form = Form::Trimmed, .before = "Other Certifications: ", .after = ", "},
};

void BuildMember(const Row& row, QString& text) {
  if (row.Holds("Member of ABBRA?", Test::Set)) {
    text += QStringLiteral("ABBRA");
    Append(row, text, kAbbraTechs);
    text += QStringLiteral(", ");
  }
  if (row.Holds("Member of ABYC?", Test::Set)) {
    text += QStringLiteral("ABYC");
    Append(row, text, kAbycTechs);
    text += QStringLiteral(", ");
  }
  Append(row, text, kOtherCertifications);
  TrimComma(text);
}

constexpr Piece kStorage[] = {
    {.column = "In Water", .test = Test::NonEmpty, .form = Form::Stored, .before = "In-Water ", .after = ", "},
    {.column = "On Land", .test = Test::NonEmpty, .form = Form::Stored, .before = "On-Land "},
};

// ---------------------------------------------------------------------------
// Setting and notes (the report opens these three columns only).

constexpr Piece kEnvirons[] = {
    {.column = "ENVIRONS", .test = Test::NonEmpty, .form = Form::Stored},
};
constexpr Piece kMarinaNotes[] = {
    {.column = "Marina Notes", .test = Test::NonEmpty, .form = Form::Stored},
};
constexpr Piece kNotable[] = {
    {.column = "Notable", .test = Test::NonEmpty, .form = Form::Stored},
};

// ---------------------------------------------------------------------------
// Services and communication.

constexpr Piece kServicesBefore[] = {
    {.column = "Docking Assistance", .test = Test::Set, .before = "Docking Assistance, "},
    {.column = "Concierge Services", .test = Test::Set, .before = "Concierge, "},
    {.column = "Room Service to the Boat", .test = Test::Set, .before = "Room Service to the Boat, "},
    {.column = "Boaters Lounge", .test = Test::Set, .before = "Boaters' Lounge, "},
    {.column = "Crew Lounge", .test = Test::Set, .before = "Crew Lounge, "},
};
constexpr Piece kSecurityDetails[] = {
    {.column = "No of Hours", .test = Test::Present, .form = Form::Stored, .after = ", "},
    {.column = "Describe", .test = Test::Present, .form = Form::Stored},
};
constexpr Piece kServicesAfter[] = {
    {.column = "Trash pick-up", .test = Test::Set, .before = "Trash Pick-Up, "},
    {.column = "Dock Carts", .test = Test::Set, .before = "Dock Carts, "},
};

// Every entry keeps its ", ": the report joins "Services1" directly behind.
void BuildServices(const Row& row, QString& text) {
  Append(row, text, kServicesBefore);
  if (row.Holds("Security", Test::Set)) {
    QString details;
    Append(row, details, kSecurityDetails);
    TrimComma(details);
    text += details.isEmpty() ? QStringLiteral("Security, ")
                              : QStringLiteral("Security <I>(") + details + QStringLiteral(")</I>, ");
  }
  Append(row, text, kServicesAfter);
}

constexpr Piece kServices1[] = {
    {.column = "Mega Yacht Facilities?", .test = Test::Set, .before = "Megayacht Facilities, "},
    {.column = "300 Amp $", .test = Test::Present, .before = " 300 amps, "},
    {.column = "3 Phase $", .test = Test::Present, .before = "3 Phase, "},
};

void BuildServices1(const Row& row, QString& text) {
  Append(row, text, kServices1);
  if (row.Holds("European Voltage?", Test::Set)) text = TrimBlanks(text) + QStringLiteral(" European Voltage, ");
  TrimComma(text);
}

constexpr Piece kMessages[] = {
    {.column = "Mail & Package Hold", .test = Test::Set, .before = "Mail & Package Hold, "},
    {.column = "Phone Messages", .test = Test::Set, .before = "Phone Messages, "},
};
constexpr Piece kDataPortDetails[] = {
    {.column = "Where Located", .test = Test::Present, .form = Form::Stored, .after = ", "},
    {.column = "Data Port Rate", .test = Test::Present, .form = Form::Stored},
};
constexpr Piece kCouriers[] = {
    {.column = "FedEx", .test = Test::Set, .before = "FedEx, "},
    {.column = "AirBorne", .test = Test::Set, .before = "AirBorne, "},
    {.column = "UPS", .test = Test::Set, .before = "UPS, "},
    {.column = "Express Mail", .test = Test::Set, .before = "Express Mail, "},
};

void BuildCommunication(const Row& row, QString& text) {
  Append(row, text, kMessages);
  if (row.Holds("Fax--In and Out", Test::Set)) {
    // A charge of exactly "0" is listed like no charge.
    const QString charge = row.Holds("Fax Charge", Test::Present) ? row.Trimmed("Fax Charge") : QString();
    text += (charge.isEmpty() || charge == QLatin1String("0"))
                ? QStringLiteral("Fax in/out, ")
                : QStringLiteral("Fax in/out <I>(") + charge + QStringLiteral(")</I>, ");
  }
  if (row.Holds("Data Ports(send/Receive email)", Test::Set)) {
    QString details;
    Append(row, details, kDataPortDetails);
    TrimComma(details);
    text += details.isEmpty() ? QStringLiteral("Data Ports, ")
                              : QStringLiteral("Data Ports <I>(") + details + QStringLiteral(")</I>, ");
  }
  Append(row, text, kCouriers);
  if (row.Holds("Saturday Delivery?", Test::Set)) {
    TrimComma(text);
    text += QStringLiteral(" <I>(Sat Del)</I>, ");
  }
  TrimComma(text);
}

// ---------------------------------------------------------------------------
// The item keys, in the order in which they are matched. An item is either a
// list of pieces (then the separator trim and the word for nothing, when
// given) or a hand-written branch.

using Builder = void (*)(const Row&, QString&);

struct Item {
  const char* key;
  std::span<const Piece> pieces = {};
  const char* trimSeparator = "";
  Builder build = nullptr;
};

const Item kItems[] = {
    {.key = "Fuel", .build = BuildFuel},
    {.key = "Slips", .pieces = kSlips},
    {.key = "Max LOA", .pieces = kMaxLoa},
    {.key = "Max Beam", .pieces = kMaxBeam},
    {.key = "Rate", .build = BuildRate},
    {.key = "Power", .pieces = kPower, .trimSeparator = ","},
    {.key = "TV", .build = BuildTv},
    {.key = "Phone", .build = BuildPhone},
    {.key = "Pay Phones", .build = BuildPayPhones},
    {.key = "Dock Type", .pieces = kDockType, .trimSeparator = ","},
    {.key = "Moorings", .pieces = kMoorings},
    {.key = "Launch", .build = BuildLaunch},
    {.key = "Moorings Rate", .pieces = kMooringsRate},
    {.key = "Heads", .build = BuildHeads},
    {.key = "Laundry", .build = BuildLaundry},
    {.key = "Pump-Out", .build = BuildPumpOut},
    {.key = "Fee", .pieces = kFee},
    {.key = "Closed Heads", .pieces = kClosedHeads},
    {.key = "Lat", .pieces = kLat},
    {.key = "Long", .pieces = kLong},
    {.key = "Tide", .pieces = kTide},
    {.key = "Current", .pieces = kCurrent},
    {.key = "Chart", .pieces = kChart},
    {.key = "Rep. Depths", .pieces = kRepDepths},
    {.key = "Fuel Dock", .pieces = kFuelDock},
    {.key = "Max Slip/Moor", .pieces = kMaxSlipMoor},
    {.key = "Access", .pieces = kAccess},
    {.key = "Manager/Director", .pieces = kManager},
    {.key = "Dock Master", .pieces = kDockMaster},
    {.key = "In-Season", .pieces = kInSeason},
    {.key = "Off-Season", .pieces = kOffSeason},
    {.key = "After-Hours Arrival", .pieces = kAfterHours},
    {.key = "Reservations", .pieces = kReservations},
    {.key = "Credit Cards", .pieces = kCreditCards, .trimSeparator = ","},
    {.key = "Discounts", .build = BuildDiscounts},
    {.key = "Pets", .build = BuildPets},
    {.key = "Handicap Access", .build = BuildHandicapAccess},
    {.key = "PO Box", .build = BuildPoBox},
    {.key = "ContactPhone", .pieces = kContactPhone},
    {.key = "ContactFax", .pieces = kContactFax},
    {.key = "Nearest Town", .build = BuildNearestTown},
    {.key = "TouristInfo", .pieces = kTouristInfo},
    {.key = "VHF", .pieces = kVhf},
    {.key = "Email", .pieces = kEmail},
    {.key = "Web", .pieces = kWeb},
    {.key = "Nearest Yard", .build = BuildNearestYard},
    {.key = "Yard Rates", .build = BuildYardRates},
    {.key = "Member", .build = BuildMember},
    {.key = "Storage", .pieces = kStorage, .trimSeparator = ","},
    {.key = "Environs", .pieces = kEnvirons},
    {.key = "Marina Notes", .pieces = kMarinaNotes},
    {.key = "Notable", .pieces = kNotable},
    {.key = "Services", .build = BuildServices},
    {.key = "Services1", .build = BuildServices1},
    {.key = "Communication", .build = BuildCommunication},
};

}  // namespace

QString MakeValueString(const Recordset& rs, const QString& key, bool appendPeriod, bool naIfEmpty) {
  const QString item = key;  // the caller's key is never changed
  QString text;
  const Row row(rs);
  for (const Item& entry : kItems) {
    if (item != QLatin1String(entry.key)) continue;
    if (entry.build != nullptr) {
      entry.build(row, text);
    } else {
      Append(row, text, entry.pieces);
      if (*entry.trimSeparator != '\0') TrimTrailingSeparator(text, QString::fromLatin1(entry.trimSeparator));
    }
    break;
  }
  if (naIfEmpty && text.isEmpty()) text = QStringLiteral("n/a");
  if (appendPeriod) text += QLatin1Char('.');
  return text;
}

QStringList ReportItemKeys() {
  QStringList keys;
  for (const Item& entry : kItems) keys << QString::fromLatin1(entry.key);
  return keys;
}

}  // namespace qw
