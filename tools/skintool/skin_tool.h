// SkinTool: the skintool commands, run on arguments with the output and the
// error message collected in strings, so tests run them in-process.
//   dump SKIN        the skin dump (SkinDump) on the output
//   unpack SKIN DIR  skin.json and PNG files into DIR (SkinUnpacker)
//   pack DIR SKIN    the skin file back from such a folder (SkinPacker)
//   convert IN OUT   a BMP or PNG file rewritten as BMP or PNG
// Run returns the exit status: 0 on success, 1 on failure with a one-line
// message (ending in a line break) naming the file and what failed.
#pragma once

#include <string>
#include <vector>

class SkinTool {
 public:
  static constexpr int kSuccess = 0;
  static constexpr int kFailure = 1;

  // arguments excludes the program name.
  int Run(const std::vector<std::string>& arguments);

  const std::string& Output() const { return output_; }
  const std::string& ErrorMessage() const { return error_; }

 private:
  int Dump(const std::string& skinPath);
  int Unpack(const std::string& skinPath, const std::string& folder);
  int Pack(const std::string& folder, const std::string& skinPath);
  int Convert(const std::string& inPath, const std::string& outPath);
  int Fail(const std::string& message);

  std::string output_;
  std::string error_;
};
