// ScratchSection: the DIB section a drawing call composes in. Each thread
// keeps one section per depth between calls and lends its top-left part out,
// so repeated drawing reuses memory that is already mapped instead of
// faulting a fresh block in every time (for a full-screen picture that costs
// more than composing it). Areas above kMaxKeptPixels get a section of their
// own that ends with the ScratchSection, so a single huge draw does not pin
// its memory for the thread's life.
#pragma once

#include "imaging/dib_section_win.h"

class ScratchSection {
 public:
  static constexpr long long kMaxKeptPixels = 2 * 1024 * 1024;

  // bitCount is 24 or 32. The lent area's contents are undefined.
  ScratchSection(int width, int height, int bitCount);
  ScratchSection(const ScratchSection&) = delete;
  ScratchSection& operator=(const ScratchSection&) = delete;

  // Null when no section could be made.
  DibSection* Get() const { return section_; }

 private:
  DibSection own_;
  DibSection* section_ = nullptr;
};
