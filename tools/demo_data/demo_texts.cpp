// The free texts of a demo marina (setting, marina notes, notable sights), a
// few sentences each as a printed guide writes them. Every sentence is chosen
// among those that agree with the marina: no fuel-dock praise without fuel, no
// ferry from a town without one, no "harbor" said of a river or a canal.
#include <map>

#include "demo_model.h"
#include "demo_rng.h"

namespace qw::demo {
namespace {

Rng R(const Marina& m, const char* field) { return Rng(m.no, kExtras, field); }

// An amenity row of `type`, in a distance class no farther than `farthest` (0 on site .. 4 one to three miles,
// 5 anywhere).
bool HasRow(const Marina& m, const char* table, const char* type, int farthest = 5) {
  static const char* const flags[] = {"On-Site", "On-Call", "NearBy", "W/in 1 Mile", "1-3 Miles"};
  const auto rows = m.many.find(QString::fromLatin1(table));
  if (rows == m.many.end()) return false;
  for (const Row& row : rows->second) {
    if (row.Get(QStringLiteral("type")).toString() != QLatin1String(type)) continue;
    int cls = 0;
    while (cls < 5 && row.Get(QString::fromLatin1(flags[cls])).toInt() != 1) ++cls;
    if (cls <= farthest) return true;
  }
  return false;
}

bool IsSet(const Marina& m, const char* table, const char* column) {
  const auto row = m.one.find(QString::fromLatin1(table));
  return row != m.one.end() && row->second.Has(QString::fromLatin1(column)) &&
         !row->second.Get(QString::fromLatin1(column)).isNull() && row->second.Get(QString::fromLatin1(column)).toString() != QLatin1String("0");
}

enum class Water { Sheltered, River, Canal, Channel, Bay, Other };

// What kind of water a harbour name describes, by its last word.
Water KindOf(const QString& harbour) {
  const QString last = harbour.section(QLatin1Char(' '), -1);
  static const std::map<QString, Water> kinds = {
      {"Harbor", Water::Sheltered}, {"Cove", Water::Sheltered},   {"Pond", Water::Sheltered},
      {"Basin", Water::Sheltered},  {"Pool", Water::Sheltered},   {"Haven", Water::Sheltered},
      {"River", Water::River},      {"Canal", Water::Canal},      {"Passage", Water::Channel},
      {"Narrows", Water::Channel},  {"Thorofare", Water::Channel}, {"Reach", Water::Channel},
      {"Sound", Water::Channel},    {"Gut", Water::Channel},      {"Bay", Water::Bay}};
  const auto it = kinds.find(last);
  return it == kinds.end() ? Water::Other : it->second;
}

// The harbour as it reads inside a sentence: "the Kennebec River",
// "the Pool", "Camden Harbor".
QString InSentence(const QString& harbour) {
  if (harbour.startsWith(QLatin1String("The "))) return QStringLiteral("the ") + harbour.mid(4);
  const QString last = harbour.section(QLatin1Char(' '), -1);
  static const QStringList articled = {"River", "Canal", "Passage", "Narrows", "Thorofare"};
  return articled.contains(last) ? QStringLiteral("the ") + harbour : harbour;
}

// A template with its harbour (%H), town (%T) and ferry destination (%D)
// filled in, its first letter a capital.
QString Fill(QString text, const Marina& m) {
  // A plural name takes the apostrophe alone: "Oak Bluffs'", but "Hyannis's".
  const QString& town = m.town->city;
  const bool plural = town.endsWith(QLatin1Char('s')) && !town.endsWith(QLatin1String("is")) && !town.endsWith(QLatin1String("ss"));
  text.replace(QStringLiteral("%H"), InSentence(m.harbour))
      .replace(QStringLiteral("%T's"), plural ? town + QLatin1Char('\'') : town + QStringLiteral("'s"))
      .replace(QStringLiteral("%T"), town)
      .replace(QStringLiteral("%D"), FerryDestination(*m.town));
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

// About one text in five carries simple HTML, as the publisher's editors
// left it: a break after the first sentence, italics, a bold first sentence
// or an "&amp;".
QString MaybeHtml(Rng& r, QString text) {
  if (!r.Chance(0.2)) return text;
  const int dot = text.indexOf(QStringLiteral(". "));
  switch (r.IntBetween(0, 3)) {
    case 0: return dot > 0 ? text.left(dot + 1) + QStringLiteral("<BR>") + text.mid(dot + 2) : text + QStringLiteral("<BR>");
    case 1: return QStringLiteral("<I>") + text + QStringLiteral("</I>");
    case 2:
      return dot > 0 ? QStringLiteral("<B>") + text.left(dot + 1) + QStringLiteral("</B>") + text.mid(dot + 1)
                     : QStringLiteral("<B>") + text + QStringLiteral("</B>");
    default: {
      const int and_ = text.indexOf(QStringLiteral(" and "));
      return and_ < 0 ? text : text.left(and_) + QStringLiteral(" &amp; ") + text.mid(and_ + 5);
    }
  }
}

// The setting of a marina on an open shore, rocks or a beach, where no harbour breaks the sea.
QStringList OpenShoreSetting(const Marina& m) {
  if (m.shore == Shore::Beach)
    return {"The landing lies at the end of a long beach on %H, with the surf on one side and the beach road behind.",
            "The floats lie off a sand beach on %H, open to the sea: come in on a calm day and leave before the wind "
            "builds."};
  return {"The floats lie off the open shore of %H, with nothing to break a sea: a fair-weather stop.",
          "Rocks and open water surround the landing on %H; in a blow, make for the nearest harbor."};
}

QString Setting(const Marina& m, Rng& r) {
  const Water water = KindOf(m.harbour);
  const bool city = IsCity(*m.town), village = IsVillage(*m.town), maine = m.geoCode <= 8;
  const bool sameName = m.harbour == m.town->city;  // "Winter Harbor" in Winter Harbor: named once
  // A walk to the centre of town only where it is under a mile by land.
  const bool inTown = m.townCentre.miles < 1;
  QStringList first;
  if (m.shore != Shore::Harbour) {
    first = OpenShoreSetting(m);
  } else if (m.island && m.island->kind == IslandKind::Outpost) {
    first << "%H lies among bare rock islands far out to sea: a summer anchorage with a chapel, an old hotel and "
             "little else.";
  } else {
    switch (water) {
      case Water::Sheltered:
        first << "%H is one of the best-protected harbors on this stretch of coast.";
        if (inTown)
          first << (village    ? "The marina lies at the head of %H, a short walk from the village store."
                    : sameName ? "The marina lies at the head of %H, a short walk from the center of town."
                               : "The marina lies at the head of %H, a short walk from the center of %T.");
        break;
      case Water::River:
        first << "The marina lies on %H, out of the swell and within sight of %T's waterfront.";
        break;
      case Water::Canal:
        first << "The marina lies on %H, where the current runs up to four knots: plan to dock at slack water.";
        break;
      case Water::Channel:
        first << "The marina looks out on %H, where lobster boats and cruising sailboats pass the floats all day.";
        break;
      case Water::Bay:
        first << "%H opens before the docks, with lobster boats and sailboats on their moorings.";
        break;
      case Water::Other:
        break;
    }
    if (water != Water::Canal && inTown) {
      if (!village)
        first << (sameName ? "The marina sits on %H at the edge of the town's working waterfront."
                           : "The marina sits on %H at the edge of %T's working waterfront.");
      first << (city ? "The marina is a short walk from downtown %T and its restaurants."
                     : "A short walk from the village green, the marina is at the heart of %T's summer life.");
    }
    if (first.isEmpty()) first << "The marina lies on %H, a short drive from the center of %T.";
  }
  QStringList second = {"Fog can roll in on summer afternoons and lift by evening.", ""};
  if (m.shore == Shore::OpenWater)
    second << "Surf breaks on the ledges off the point in any swell.";
  else if (m.shore == Shore::Beach)
    second << "Swimmers and surfcasters share the beach on summer evenings.";
  else if (!city && !(m.island && m.island->kind == IslandKind::Outpost)) {
    second << "The white steeple of the village church is the landmark from the sea.";
    second << (maine ? "Spruce and granite ledges ring the shore." : "Salt marsh and shingled cottages line the shore.");
  }
  QString text = Fill(r.Pick(first), m);
  // The publisher's sunset mark: a sunset worth the trip.
  const QString more = m.sunset && r.Chance(0.7) ? QStringLiteral("Sunsets over the water are a local ritual.") : r.Pick(second);
  if (!more.isEmpty()) text += QLatin1Char(' ') + Fill(more, m);
  return text;
}

QString Notes(const Marina& m, Rng& r) {
  QStringList sentences;
  if (m.fuel) sentences << "The staff are known for their help at the fuel dock.";
  if (m.slips > 0 && m.moorings > 0)
    sentences << "Transient slips are on the outer floats, with moorings beyond.";
  else if (m.slips > 0)
    sentences << "Transient boats tie up on the outer floats.";
  else
    sentences << "Guest moorings lie just off the docks.";
  if (IsSet(m, kFacilities, "Showers?")) sentences << "The bathhouse was rebuilt recently and is kept spotless.";
  sentences << "Reservations are wise on summer weekends.";
  if (IsSet(m, kFacilities, "Launch Service Fee?")) sentences << "The launch runs from 8 in the morning until dusk.";
  if (HasRow(m, "rpm_Boat_Supplies", "Ships' Store", 0))
    sentences << "The ship's store carries charts, ice and the skipper's essentials.";
  if (HasRow(m, "rpm_Recreation", "Grills", 0) || HasRow(m, "rpm_Recreation", "Picnic Area", 0))
    sentences << "Boaters' picnic tables and grills sit on the lawn above the docks.";
  if (m.boatyard > 0) sentences << "The yard crew handles repairs and hauls by appointment.";
  const int count = std::min(r.IntBetween(2, 4), static_cast<int>(sentences.size()));
  const int start = r.IntBetween(0, static_cast<int>(sentences.size()) - 1);
  QStringList picked;
  for (int i = 0; i < count; ++i) picked << sentences[(start + i) % sentences.size()];
  return picked.join(QLatin1Char(' '));
}

QString Notable(const Marina& m, Rng& r) {
  const Water water = KindOf(m.harbour);
  const bool inTown = m.townCentre.miles < 1;
  const bool bikes = HasRow(m, "rpm_Transportation", "Bikes", 3);  // rentals near the docks
  QStringList texts;
  if (!FerryDestination(*m.town).isEmpty() && HasRow(m, "rpm_Transportation", "Ferry Service"))
    texts << "Ferries for %D leave from the %T waterfront." << "Ferries for %D leave from the %T waterfront.";
  if (m.shore == Shore::OpenWater) {
    texts << "A shore path runs along the rocks from the landing, with open water on one side."
          << "Seals haul out on the ledges off the point at low tide.";
  } else if (m.shore == Shore::Beach) {
    texts << "The beach is the attraction: swimming, surfcasting for stripers and long walks at low tide."
          << "Lifeguards watch the beach in July and August; the landing is at its quieter end.";
  } else if (m.island && m.island->kind == IslandKind::Outpost) {
    texts << "Walk up to the stone chapel and the old hotel on the hill; there is nothing else ashore."
          << "Paths cross the rocks from the landing to the far shore; watch for nesting gulls in June.";
  } else if (IsVillage(*m.town)) {
    texts << "%T is a quiet place: a general store, a church and lobster boats on their moorings."
          << "Walk the shore road from the docks; the village store has coffee and the morning paper.";
    if (m.geoCode <= 8 && water != Water::River) texts << "Trails lead from the village to rocky headlands and cobble beaches.";
    if (m.geoCode > 8 && m.town->remote && bikes)
      texts << "Bikes are the easy way around %T, and rentals are near the docks.";
  } else if (IsCity(*m.town)) {
    if (inTown)
      texts << "Downtown %T, with its restaurants and shops, is within walking distance of the waterfront."
            << "Walk up from the docks to the shops and museums of %T.";
    else
      texts << "Downtown %T, with its museums and restaurants, is a short drive from the docks.";
  } else {
    texts << "%T has galleries, chowder houses and a summer band concert on the common.";
    if (inTown) texts << "Walk up from the docks to the shops and museums of %T.";
    if (water != Water::River && water != Water::Canal) texts << "Beaches and walking trails are a short bike ride from the docks.";
    if (m.town->remote && bikes) texts << "Bikes are the easy way around %T, and rentals are near the docks.";
  }
  QString text = Fill(r.Pick(texts), m);
  if (HasRow(m, "rpm_Provisioning", "Farmers' Market", 4) && r.Chance(0.6))
    text += QStringLiteral(" Don't miss the farmers' market on Saturdays.");
  return text;
}

}  // namespace

void FillExtras(Marina& m) {
  Row& e = m.one[kExtras];
  e.Set("MarinaNo", m.no);
  Rng env = R(m, "Environs");
  if (!env.Chance(0.05)) e.Set("Environs", MaybeHtml(env, Setting(m, env)));
  Rng notes = R(m, "Marina Notes");
  if (!notes.Chance(0.05)) e.Set("Marina Notes", MaybeHtml(notes, Notes(m, notes)));
  Rng notable = R(m, "Notable");
  if (!notable.Chance(0.05)) e.Set("Notable", MaybeHtml(notable, Notable(m, notable)));
}

}  // namespace qw::demo
