#include <QPageSize>
#include <gtest/gtest.h>
#include <stdexcept>

#include "platform/print_pages.h"

namespace {

QMarginsF BodyMargins(const qw::PageSetup& setup) {
  const QPageLayout paper(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF());
  const QPageLayout body = qw::BodyLayout(paper, setup);
  EXPECT_EQ(body.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(body.pageSize().id(), QPageSize::Letter);
  return body.margins(QPageLayout::Inch);
}

TEST(PrintPages, BodyKeepsClearOfTheHeaderAndFooterAndReadsStoredMargins) {
  struct Case {
    qw::PageSetup setup;
    QMarginsF margins;  // left, top, right, bottom
  };
  const Case cases[] = {
      {{}, {0.5, 0.75, 0.5, 0.4}},                                    // defaults
      {{"", "", "0.07", "", "", ""}, {0.5, 0.07, 0.5, 0.4}},          // the report's top margin
      {{"", "", "0,07", "", "", ""}, {0.5, 0.07, 0.5, 0.4}},          // written with a decimal comma
      {{"H", "F", "0.07", "0.1", "", ""}, {0.5, 0.75, 0.5, 0.75}},    // room for the lines
      {{"H", "", "1.5", "1", "0.25", "2"}, {0.25, 1.5, 2, 1}},
      {{"", "", "x", "-1", "", ""}, {0.5, 0.75, 0.5, 0.4}},           // unreadable: defaults
      {{"", "", "9", "9", "", ""}, {0.5, 0.75, 0.5, 0.75}},           // no body left: defaults
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setup.marginTop.toStdString() + "/" + c.setup.marginBottom.toStdString());
    const QMarginsF m = BodyMargins(c.setup);
    EXPECT_NEAR(m.left(), c.margins.left(), 1e-3);
    EXPECT_NEAR(m.top(), c.margins.top(), 1e-3);
    EXPECT_NEAR(m.right(), c.margins.right(), 1e-3);
    EXPECT_NEAR(m.bottom(), c.margins.bottom(), 1e-3);
  }
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
