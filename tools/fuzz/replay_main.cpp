// Replays saved inputs through a fuzz target without the fuzzing engine, so
// that the regression inputs run in the ordinary test suite with any
// compiler: each argument is a file or a folder of files; the empty input
// runs first. A failing input aborts, as it does under the fuzzer.
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

void Run(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    std::exit(2);
  }
  const QByteArray bytes = file.readAll();
  std::fprintf(stderr, "%s\n", qPrintable(path));
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  LLVMFuzzerTestOneInput(nullptr, 0);
  int count = 1;
  for (int i = 1; i < argc; ++i) {
    const QString path = QString::fromLocal8Bit(argv[i]);
    if (QFileInfo(path).isDir()) {
      const QDir dir(path);
      for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        Run(dir.filePath(name));
        ++count;
      }
    } else {
      Run(path);
      ++count;
    }
  }
  std::fprintf(stderr, "%d inputs passed\n", count);
  return 0;
}
