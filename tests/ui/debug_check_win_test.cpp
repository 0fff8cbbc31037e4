// QORVA_CHECK as a debug build compiles it: a failed check reaches the
// reporter with its place and condition, a passing one does not; and the
// condition of a passing check is evaluated once.
#undef NDEBUG
#include "ui/debug_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int g_failures = 0;
std::string g_condition;

void Record(const char*, int, const char* condition) {
  ++g_failures;
  g_condition = condition;
}

TEST(DebugCheck, AFailedCheckReachesTheReporterWithItsCondition) {
  const debug_check::Reporter previous = debug_check::SetReporter(Record);
  g_failures = 0;
  int evaluated = 0;
  QORVA_CHECK(++evaluated == 1);
  EXPECT_EQ(g_failures, 0);
  EXPECT_EQ(evaluated, 1);
  const void* header = nullptr;
  QORVA_CHECK(header != nullptr);
  EXPECT_EQ(g_failures, 1);
  EXPECT_EQ(g_condition, "header != nullptr");
  debug_check::SetReporter(previous);
}

}  // namespace
