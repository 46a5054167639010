#pragma once
// Values drawn from a fuzz input, front to back. An exhausted input gives
// zeros, so every input, however short, makes a complete value.
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace qw::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return size_ == 0; }
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
  std::uint32_t Long() { return static_cast<std::uint32_t>(Word()) | (static_cast<std::uint32_t>(Word()) << 16); }
  bool Bool() { return (Byte() & 1) != 0; }
  // A value from lo to hi (inclusive, hi - lo below 65536).
  int Range(int lo, int hi) { return lo + static_cast<int>(Word() % static_cast<unsigned>(hi - lo + 1)); }
  // One entry of a non-empty list.
  template <typename List>
  const auto& Pick(const List& list) {
    return list[static_cast<std::size_t>(Word()) % static_cast<std::size_t>(std::size(list))];
  }

  // A text of up to maxLength UTF-16 units in one of three forms: bytes as
  // Latin-1, bytes decoded as UTF-8 (invalid sequences replaced), or raw
  // UTF-16 units (lone surrogates and NUL included).
  QString AnyText(int maxLength) {
    const int form = Byte() % 3;
    const int length = Range(0, maxLength);
    if (form == 2) {
      QString text;
      for (int i = 0; i < length && !Empty(); ++i) text += QChar(Word());
      return text;
    }
    QByteArray bytes;
    for (int i = 0; i < length && !Empty(); ++i) bytes += static_cast<char>(Byte());
    return form == 0 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace qw::fuzz
