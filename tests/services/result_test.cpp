#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/jet.h"
#include "services/result.h"

namespace qw {
namespace {

TEST(Result, AttemptKeepsTheValueOrTheErrorOfWhatWasThrown) {
  const Result<int> value = Attempt([] { return 42; });
  ASSERT_TRUE(value.ok());
  EXPECT_EQ(value.value(), 42);
  EXPECT_EQ(value.error().number, 0) << "no error beside a value";

  struct Case {
    std::function<int()> work;
    int number;
    QString source;
    QString description;
  };
  const Case cases[] = {
      {[]() -> int { throw JetError(kJetCannotWrite, "DAO.Database", "read-only"); }, kJetCannotWrite,
       "DAO.Database", "read-only"},
      {[]() -> int { throw std::runtime_error("went wrong"); }, kGeneralRuntimeError, "Quaywise", "went wrong"},
  };
  for (const Case& c : cases) {
    const Result<int> failed = Attempt(c.work);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().number, c.number);
    EXPECT_EQ(failed.error().source, c.source);
    EXPECT_EQ(failed.error().description, c.description);
    EXPECT_EQ(failed.value_or(-1), -1);
  }
}

}  // namespace
}  // namespace qw
