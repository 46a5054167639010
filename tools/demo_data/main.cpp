// quaywise_demogen: writes the demo program folder (database, VykMarina.ini,
// pictures), or with --marinas N --out FILE a larger synthetic database.
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <exception>

#include "demo_model.h"
#include "demo_write.h"

using namespace qw::demo;

namespace {

QString Resource(const QString& name) {
  QFile f(QStringLiteral(":/demo_data/") + name);
  if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(("missing resource " + name).toStdString());
  return QString::fromUtf8(f.readAll());
}

// A synthetic set of n marinas laid over the real marks, each mark taking an
// equal share (the first n mod 227 one more). A mark's marinas get consecutive
// numbers, the marks in map order: as in the real guide, marinas near each
// other have numbers near each other, so that what a search reads in
// geographic order lies together in the file, as it would in a real one.
std::vector<MapMark> SyntheticMarks(const std::vector<MapMark>& real, int n) {
  std::vector<MapMark> marks;
  std::map<int, int> nextMapNo;
  const size_t total = static_cast<size_t>(n);
  for (size_t j = 0; j < real.size(); ++j) {
    const size_t share = total / real.size() + (j < total % real.size() ? 1 : 0);
    for (size_t k = 0; k < share; ++k) {
      MapMark m = real[j];
      m.marinaNo = static_cast<int>(marks.size()) + 1;
      m.mapNo = ++nextMapNo[m.geoCode];
      marks.push_back(m);
    }
  }
  return marks;
}

bool Build(const std::vector<MapMark>& marks, bool demo, const QString& dbPath) {
  const SeaMiles seaMiles = SeaMiles::Read(Resource(QStringLiteral("sea-miles.csv")));
  const LandMiles landMiles =
      LandMiles::Read(Resource(QStringLiteral("land-miles.csv")), Resource(QStringLiteral("land-reach.csv")));
  if (demo) {
    const DemoData data = Generate(marks, true, seaMiles, landMiles);
    WriteDatabase(data, Resource(QStringLiteral("marina-schema.sql")), dbPath);
    BalanceSplitPositions(data.marinas, dbPath);
  } else {
    // A synthetic set is written a slice at a time so that its rows never all sit in memory.
    DemoData data = Plan(marks, false, seaMiles, landMiles);
    {
      DatabaseWriter writer(Resource(QStringLiteral("marina-schema.sql")), dbPath);
      const size_t slice = 2000;
      for (size_t from = 0; from < data.marinas.size(); from += slice) {
        const size_t to = std::min(data.marinas.size(), from + slice);
        for (size_t i = from; i < to; ++i) {
          FillRows(data.marinas[i], data);
          AddMapKey(data.marinas[i]);
        }
        writer.Write(data.marinas, from, to);
        for (size_t i = from; i < to; ++i) {
          data.marinas[i].one.clear();
          data.marinas[i].many.clear();
        }
      }
      writer.Finish();
    }
    BalanceSplitPositions(data.marinas, dbPath);
  }
  const QStringList failures = CheckDatabase(dbPath, marks, demo);
  if (failures.isEmpty()) return true;
  for (const QString& f : failures) std::fprintf(stderr, "quaywise_demogen: CHECK FAILED: %s\n", qPrintable(f));
  // Leave no half-sound database behind: the next build must try again.
  QFile::remove(dbPath);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // the generator never shows a window
  QGuiApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Writes the Quaywise demo database and pictures."));
  parser.addHelpOption();
  parser.addOption({QStringLiteral("program-folder"), QStringLiteral("Lay out the demo program folder here."), QStringLiteral("folder")});
  parser.addOption({QStringLiteral("marinas"), QStringLiteral("Write a synthetic database of N marinas."), QStringLiteral("N")});
  parser.addOption({QStringLiteral("out"), QStringLiteral("File of the synthetic database."), QStringLiteral("file")});
  parser.process(app);

  try {
    QElapsedTimer timer;
    timer.start();
    const std::vector<MapMark> marks = ProgramMapMarks(ReadMarkPlaces(Resource(QStringLiteral("mark-places.csv"))));
    if (parser.isSet(QStringLiteral("marinas"))) {
      bool ok = false;
      const int n = parser.value(QStringLiteral("marinas")).toInt(&ok);
      if (!ok || n < 1 || n > 100000 || !parser.isSet(QStringLiteral("out"))) {
        std::fprintf(stderr, "quaywise_demogen: --marinas takes 1 to 100000 and needs --out FILE\n");
        return 2;
      }
      if (!Build(SyntheticMarks(marks, n), false, parser.value(QStringLiteral("out")))) return 1;
      std::printf("quaywise_demogen: %d marinas written to %s in %lld ms\n", n, qPrintable(parser.value(QStringLiteral("out"))),
                  static_cast<long long>(timer.elapsed()));
      return 0;
    }
    if (!parser.isSet(QStringLiteral("program-folder"))) {
      std::fprintf(stderr, "quaywise_demogen: give --program-folder FOLDER or --marinas N --out FILE\n");
      return 2;
    }
    const QString folder = QDir(parser.value(QStringLiteral("program-folder"))).absolutePath();
    QDir(folder).mkpath(QStringLiteral("Database"));
    QDir(folder).mkpath(QStringLiteral("Photos"));
    if (!Build(marks, true, folder + QStringLiteral("/Database/marina.mdb"))) return 1;
    QFile ini(folder + QStringLiteral("/VykMarina.ini"));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate) || ini.write(IniFileContent()) < 0)
      throw std::runtime_error("cannot write VykMarina.ini");
    ini.close();
    const QStringList pictures = WritePictures(folder) + WriteOrnaments(folder) + WriteMarinaPhotos(folder, marks);
    std::printf("quaywise_demogen: %zu marinas, %lld pictures in %s (%lld ms)\n", marks.size(),
                static_cast<long long>(pictures.size()), qPrintable(folder), static_cast<long long>(timer.elapsed()));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quaywise_demogen: FAILED: %s\n", e.what());
    return 1;
  }
}
