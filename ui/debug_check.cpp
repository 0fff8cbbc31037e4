#include "ui/debug_check.h"

#include <windows.h>

#include <cstdio>

namespace debug_check {

namespace {

void ReportToDebugger(const char* file, int line, const char* condition) {
  char text[512];
  std::snprintf(text, sizeof(text), "%s(%d): check failed: %s\n", file, line, condition);
  ::OutputDebugStringA(text);
  if (::IsDebuggerPresent()) ::DebugBreak();
}

Reporter g_reporter = ReportToDebugger;

}  // namespace

Reporter SetReporter(Reporter reporter) {
  const Reporter previous = g_reporter;
  g_reporter = reporter != nullptr ? reporter : ReportToDebugger;
  return previous;
}

void Failed(const char* file, int line, const char* condition) {
  g_reporter(file, line, condition);
}

}  // namespace debug_check
