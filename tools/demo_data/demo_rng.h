#pragma once
// Seedless, per-field random streams: every value the generator draws comes
// from a stream named by the marina, the table and the field, so changing one
// rule never shifts the values of any other field or marina.
#include <QString>
#include <charconv>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

namespace qw::demo {

class Rng {
 public:
  // The stream of the text "<marinaNo>/<table>/<field>/<n>".
  Rng(int marinaNo, const char* table, const char* field, int n = 0) {
    std::uint64_t h = 1469598103934665603ULL;
    const auto step = [&h](const char* s, const char* end) {
      for (; s != end && *s; ++s) {
        h ^= static_cast<unsigned char>(*s);
        h *= 1099511628211ULL;
      }
    };
    char digits[16];
    step(digits, std::to_chars(digits, digits + sizeof digits, marinaNo).ptr);
    step("/", nullptr);
    step(table, nullptr);
    step("/", nullptr);
    step(field, nullptr);
    step("/", nullptr);
    step(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
    state_ = h;
  }

  std::uint64_t Next() {  // SplitMix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  bool Chance(double p) { return Unit() < p; }
  int IntBetween(int a, int b) { return a + static_cast<int>(Next() % static_cast<std::uint64_t>(b - a + 1)); }
  template <typename T>
  const T& Pick(const std::vector<T>& list) { return list[Next() % list.size()]; }
  QString Pick(const QStringList& list) { return list[static_cast<int>(Next() % list.size())]; }
  // Weighted choice: returns the index into the weights.
  int PickWeighted(const std::vector<int>& weights) {
    int total = 0;
    for (int w : weights) total += w;
    int r = static_cast<int>(Next() % static_cast<std::uint64_t>(total));
    for (size_t i = 0; i < weights.size(); ++i) {
      if (r < weights[i]) return static_cast<int>(i);
      r -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
  }

 private:
  std::uint64_t state_;
};

}  // namespace qw::demo
