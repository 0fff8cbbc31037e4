// The arguments of a script method call, converted by a format of letters:
// an upper-case letter is a required argument, a run of lower-case letters
// after the required ones are optional arguments, and a decimal count before
// a letter asks for an array of that many elements (the argument's members).
//
//   A narrow (ANSI) text      W wide text        B boolean ("0", "false": false)
//   I signed 32-bit integer   U unsigned 32-bit  D double
//   M GUID (no braces)        T a name of a caller's table of named integers
//
// Numbers are decimal, or hexadecimal after "0x" (lower-case x only); a
// number that consumes no characters, or does not fit its type, fails. A, W,
// B and M take a single value only. An empty text fails every letter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/interfaces.h"

struct NamedInteger {
  const char* name;
  int32_t value;
};

// One converted argument; `present` is false for an optional argument that
// was not given. Arrays (and single numbers) are in `numbers` or `doubles`.
struct UnpackedArgument {
  bool present = false;
  std::string narrow;
  std::wstring wide;
  bool boolean = false;
  std::vector<int64_t> numbers;  // I, U and T
  std::vector<double> doubles;   // D
  framework::Guid guid = {};
};

// Converts every given argument by its letter into *out (one entry per
// letter of the format). False when the number of arguments is outside
// [required, required + optional] or a conversion fails. `table` serves T.
bool UnpackArguments(framework::ArgumentList* arguments, const char* format,
                     std::vector<UnpackedArgument>* out,
                     const std::vector<NamedInteger>* table = nullptr);
