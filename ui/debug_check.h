// QORVA_CHECK(condition): a check for what must never happen, such as a
// message parameter the system never sends null. In debug builds a failed
// check is reported with OutputDebugString (file, line and the condition)
// and breaks into the debugger when one is attached; in release builds
// (NDEBUG) it compiles to nothing and the condition is not evaluated.
//
// A check documents a caller's promise; it never replaces the handling of
// input that can really occur, so code after a check still copes when the
// promise is broken in a release build.
#pragma once

namespace debug_check {

// Receives every failed check of a debug build; the default writes it to the
// debugger. Tests install their own to see that a check fires.
using Reporter = void (*)(const char* file, int line, const char* condition);
// Returns the previous reporter; null restores the default.
Reporter SetReporter(Reporter reporter);
void Failed(const char* file, int line, const char* condition);

}  // namespace debug_check

#ifdef NDEBUG
#define QORVA_CHECK(condition) ((void)0)
#else
#define QORVA_CHECK(condition) \
  ((condition) ? (void)0 : ::debug_check::Failed(__FILE__, __LINE__, #condition))
#endif
