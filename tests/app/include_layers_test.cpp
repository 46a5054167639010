// The layers of src/ as the includes see them: every include points down or
// stays on its layer. Lowest first: the platform layer, the services, the
// subsystems' logic, the window host, the subsystems' windows, the shell.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QStringList kSubsystems = {"data", "search", "results", "report_values", "report", "maps"};

// A source file or include by its path below src/: its folder and whether it
// is window code (in a ui/ folder, or anywhere in the shell).
struct Place {
  QString folder;
  bool ui = false;
  explicit Place(const QString& path)
      : folder(path.section('/', 0, 0)), ui(folder == "app" || path.section('/', 1, 1) == "ui") {}
};

// -1 for a folder that is no layer of ours.
int Layer(const Place& p) {
  if (p.folder == "platform") return 0;
  if (p.folder == "services") return 1;
  if (p.folder == "host") return 3;
  if (p.folder == "app") return 5;
  if (kSubsystems.contains(p.folder)) return p.ui ? 4 : 2;
  return -1;
}

// Why file (a path below src/) must not include include; "" when it may.
QString Violation(const QString& file, const QString& include) {
  const Place from(file), to(include);
  const int fromLayer = Layer(from), toLayer = Layer(to);
  if (fromLayer < 0 || toLayer < 0) return "outside the layers";
  if (toLayer > fromLayer) return "runs up a layer";
  if (!from.ui && to.ui) return "logic includes windows";
  if (fromLayer == 4 && toLayer == 4 && from.folder != to.folder)
    return "reaches another subsystem's windows (use the Screens table)";
  return {};
}

TEST(IncludeLayers, RuleHoldsForEachKindOfInclude) {
  struct Case {
    const char* file;
    const char* include;
    bool allowed;
  };
  const Case cases[] = {
      {"app/main.cpp", "maps/ui/register.h", true},
      {"app/ui/mdi_frm_main.cpp", "host/ui/screens.h", true},
      {"report/ui/frm_view_report.cpp", "host/ui/window_host.h", true},
      {"host/ui/window_host.cpp", "platform/ui/window_frame.h", true},
      {"results/list_fill.cpp", "search/result_query.h", true},
      {"services/settings.cpp", "platform/program.h", true},
      {"host/ui/window_host.cpp", "app/ui/mdi_frm_main.h", false},
      {"maps/ui/map_key.cpp", "app/ui/screens.h", false},
      {"search/ui/frm_criteria.cpp", "results/ui/frm_list.h", false},
      {"report/report_page.cpp", "report/ui/frm_view_report.h", false},
      {"report/report_page.cpp", "host/ui/window_host.h", false},
      {"host/toolbox.cpp", "host/ui/window_host.h", false},
      {"services/settings.cpp", "data/marina_db.h", false},
      {"platform/jet.cpp", "services/settings.h", false},
      {"platform/program.cpp", "platform/ui/twips.h", false},
      {"platform/jet.cpp", "gadgets/x.h", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Violation(c.file, c.include).isEmpty(), c.allowed) << c.file << " -> " << c.include;
}

TEST(IncludeLayers, EverySourceFileIncludesDownward) {
  const QString src = QStringLiteral(QUAYWISE_SOURCE_DIR "/src/");
  static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s+"([^"]+)")re"),
                                          QRegularExpression::MultilineOption);
  int files = 0;
  QStringList violations;
  QDirIterator it(src, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString file = path.mid(src.size());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    ++files;
    for (const auto& m : include.globalMatch(QString::fromUtf8(f.readAll())))
      if (const QString why = Violation(file, m.captured(1)); !why.isEmpty())
        violations << file + " -> " + m.captured(1) + ": " + why;
  }
  EXPECT_GT(files, 100);
  EXPECT_TRUE(violations.isEmpty()) << violations.join('\n').toStdString();
}

}  // namespace
