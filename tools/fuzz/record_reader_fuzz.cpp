// Any bytes as a record file (the configuration file, a criteria file): the
// reader ends, never reads past its data, and stops for good once stopped.
#include <cstdint>
#include <cstdlib>

#include "platform/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qw::RecordReader reader(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  QString field;
  std::size_t fields = 0;
  while (reader.ReadField(field)) {
    if (++fields > size + 1) std::abort();  // every field but an empty last line consumes input
  }
  if (!reader.AtEnd() || reader.ReadField(field)) std::abort();
  return 0;
}
