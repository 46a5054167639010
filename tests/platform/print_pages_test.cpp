#include <QPageSize>
#include <gtest/gtest.h>
#include <stdexcept>

#include "platform/print_pages.h"

namespace {

// The page's margins as stored and shown (left, top, right, bottom) and the
// body's inside them, on Letter paper in landscape; never less than the
// margins the printer cannot print on.
TEST(PrintPages, PageKeepsTheStoredMarginsAndTheBodyClearsTheHeaderAndFooter) {
  struct Case {
    qw::PageSetup setup;
    QMarginsF page;
    QMarginsF body;
    QMarginsF unprintable = {};
  };
  const Case cases[] = {
      {{}, {0.5, 0.4, 0.5, 0.4}, {0.5, 0.4, 0.5, 0.4}},                                  // defaults
      {{"", "", "0.07", "", "", "", "", ""}, {0.5, 0.07, 0.5, 0.4}, {0.5, 0.07, 0.5, 0.4}},      // the report's top margin
      {{"", "", "0,07", "", "", "", "", ""}, {0.5, 0.07, 0.5, 0.4}, {0.5, 0.07, 0.5, 0.4}},      // a decimal comma
      {{"H", "F", "0.07", "0.1", "", "", "", ""}, {0.5, 0.07, 0.5, 0.1}, {0.5, 0.42, 0.5, 0.45}},  // lines inside
      {{"H", "", "1.5", "1", "0.25", "2", "", ""}, {0.25, 1.5, 2, 1}, {0.25, 1.85, 2, 1}},
      {{"", "", "x", "-1", "", "", "", ""}, {0.5, 0.4, 0.5, 0.4}, {0.5, 0.4, 0.5, 0.4}},         // unreadable: defaults
      {{"H", "", "4", "3.4", "", "", "", ""}, {0.5, 0.4, 0.5, 0.4}, {0.5, 0.75, 0.5, 0.4}},      // no body left: defaults
      {{"H", "F", "0.07", "0.1", "", "", "", ""}, {0.5, 1.0 / 6, 0.75, 1.0 / 6}, {0.5, 1.0 / 6 + 0.35, 0.75, 1.0 / 6 + 0.35},
       {0.25, 1.0 / 6, 0.75, 1.0 / 6}},  // a laser's 12 pt it cannot print on
  };
  const auto expectMargins = [](const QPageLayout& layout, const QMarginsF& m) {
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(layout.pageSize().id(), QPageSize::Letter);
    const QMarginsF got = layout.margins(QPageLayout::Inch);
    EXPECT_NEAR(got.left(), m.left(), 1e-3);
    EXPECT_NEAR(got.top(), m.top(), 1e-3);
    EXPECT_NEAR(got.right(), m.right(), 1e-3);
    EXPECT_NEAR(got.bottom(), m.bottom(), 1e-3);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setup.marginTop.toStdString() + "/" + c.setup.marginBottom.toStdString());
    const QPageLayout paper(QPageSize(QPageSize::Letter), QPageLayout::Landscape, c.unprintable, QPageLayout::Inch,
                            c.unprintable);
    expectMargins(qw::PageSetupLayout(paper, c.setup), c.page);
    expectMargins(qw::BodyLayout(paper, c.setup), c.body);
  }
}

// The paper is kept by name (or size), read back whatever its case; none, or
// one that cannot be read, is the usual paper of the user's country.
TEST(PrintPages, PaperIsStoredByNameAndDefaultsToTheLocalesPaper) {
  const struct {
    const char* paper;
    const char* orientation;
    QPageSize::PageSizeId id;  // Custom: the locale's paper
    QPageLayout::Orientation expected;
    const char* written;
  } cases[] = {
      {"Letter", "landscape", QPageSize::Letter, QPageLayout::Landscape, "Letter"},
      {"a4", "", QPageSize::A4, QPageLayout::Portrait, "A4"},
      {"Legal", "Portrait", QPageSize::Legal, QPageLayout::Portrait, "Legal"},
      {"215.9x355.6mm", "LANDSCAPE", QPageSize::Legal, QPageLayout::Landscape, "Legal"},
      {"", "", QPageSize::Custom, QPageLayout::Portrait, nullptr},
      {"Folio Grande", "sideways", QPageSize::Custom, QPageLayout::Portrait, nullptr},
  };
  for (const auto& c : cases) {
    qw::PageSetup setup;
    setup.paper = c.paper;
    setup.orientation = c.orientation;
    const QPageLayout stored = qw::StoredPaper(setup);
    const QPageSize expected = c.id == QPageSize::Custom ? qw::LocalePaper(QLocale::system()) : QPageSize(c.id);
    EXPECT_EQ(stored.pageSize().id(), expected.id()) << c.paper;
    EXPECT_EQ(stored.orientation(), c.expected) << c.paper;
    if (c.written) {
      EXPECT_EQ(qw::PaperText(stored.pageSize()), c.written);
    }
  }
  qw::PageSetup custom;
  custom.paper = qw::PaperText(QPageSize(QSizeF(100, 150), QPageSize::Millimeter));
  EXPECT_EQ(custom.paper, "100x150mm");
  EXPECT_EQ(qw::StoredPaper(custom).pageSize().size(QPageSize::Millimeter), QSizeF(100, 150));
  EXPECT_EQ(qw::OrientationText(QPageLayout::Landscape), "landscape");

  using L = QLocale;
  for (const L& letter : {L(L::English, L::UnitedStates), L(L::French, L::Canada), L(L::Spanish, L::Mexico)})
    EXPECT_EQ(qw::LocalePaper(letter).id(), QPageSize::Letter) << letter.name().toStdString();
  for (const L& a4 : {L(L::English, L::UnitedKingdom), L(L::German, L::Germany), L::c()})
    EXPECT_EQ(qw::LocalePaper(a4).id(), QPageSize::A4) << a4.name().toStdString();
}

TEST(PrintPages, PrintWithPageSetupWritesBeforeAndAfterEvenWhenThePrintFails) {
  QStringList log;
  auto sink = qw::SetPageSetupSink([&](const QString& n, const QString& v) { log << n + "=" + v; });
  const qw::PageSetupChange during{{qw::kPageHeader, "Guide"}, {qw::kPageFooter, "Page No [ &p ]"}};
  const qw::PageSetupChange after{{qw::kPageHeader, ""}, {qw::kPageFooter, ""}};
  qw::PrintWithPageSetup(during, after, [&] { log << "print"; });
  EXPECT_EQ(log, (QStringList{"header=Guide", "footer=Page No [ &p ]", "print", "header=", "footer="}));

  log.clear();
  EXPECT_THROW(qw::PrintWithPageSetup(during, after, [] { throw std::runtime_error("printer gone"); }),
               std::runtime_error);
  EXPECT_EQ(log, (QStringList{"header=Guide", "footer=Page No [ &p ]", "header=", "footer="}));

  // The report's top margin stays written.
  log.clear();
  qw::PrintWithPageSetup({{qw::kMarginTop, "0.07"}}, {}, [&] { log << "print"; });
  EXPECT_EQ(log, (QStringList{"margin_top=0.07", "print"}));
  qw::SetPageSetupSink(sink);
}

}  // namespace
