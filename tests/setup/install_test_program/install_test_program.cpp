// A program for the install tests to run from an archive:
//   install_test_program MARKER MILLISECONDS [WORDS...]
// sleeps, then writes its arguments after the first two, one a line, to MARKER.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
  FILE* marker = std::fopen(argv[1], "wb");
  if (marker == nullptr) return 3;
  for (int i = 3; i < argc; ++i) std::fprintf(marker, "%s\n", argv[i]);
  std::fclose(marker);
  return 0;
}
