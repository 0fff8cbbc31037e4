// skintool: the editor's command-line companion for designers and build
// pipelines. The commands live in SkinTool; this only passes arguments and
// prints what it produced.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/skintool/skin_tool.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The dump is UTF-8 with LF line ends on every platform.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  SkinTool tool;
  const int status = tool.Run(arguments);
  const std::string& output = tool.Output();
  if (!output.empty() && std::fwrite(output.data(), 1, output.size(), stdout) != output.size()) {
    std::fputs("skintool: cannot write the output\n", stderr);
    return SkinTool::kFailure;
  }
  if (std::fflush(stdout) != 0) {
    std::fputs("skintool: cannot write the output\n", stderr);
    return SkinTool::kFailure;
  }
  std::fputs(tool.ErrorMessage().c_str(), stderr);
  return status;
}
