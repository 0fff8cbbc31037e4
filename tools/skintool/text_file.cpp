#include "tools/skintool/text_file.h"

#include <cstdio>

bool TextFile::Read(const std::string& path, size_t maxBytes, std::string& text,
                    std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = "cannot open the file";
    return false;
  }
  std::string bytes;
  char buffer[64 * 1024];
  bool ok = true;
  for (;;) {
    const size_t read = std::fread(buffer, 1, sizeof buffer, file);
    if (read > maxBytes - bytes.size()) {
      error = "file too large";
      ok = false;
      break;
    }
    bytes.append(buffer, read);
    if (read < sizeof buffer) break;
  }
  if (ok && std::ferror(file)) {
    error = "cannot read the file";
    ok = false;
  }
  std::fclose(file);
  if (ok) text.swap(bytes);
  return ok;
}

bool TextFile::Write(const std::string& path, const std::string& text, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create the file";
    return false;
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    error = "cannot write the file";
    std::remove(path.c_str());
  }
  return ok;
}
