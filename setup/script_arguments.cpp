#include "setup/script_arguments.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "setup/config_element.h"
#include "setup/os_file.h"

namespace {

struct FormatLetter {
  char letter;  // upper case
  uint32_t count;
  bool required;
};

// Digits, then a letter; required letters must all come before optional ones.
bool ParseFormat(const char* format, std::vector<FormatLetter>* letters) {
  bool optionalSeen = false;
  for (const char* c = format; *c != '\0'; ++c) {
    uint32_t count = 0;
    bool counted = false;
    while (*c >= '0' && *c <= '9') {
      count = count * 10 + static_cast<uint32_t>(*c - '0');
      if (count > 0xFFFF) return false;
      counted = true;
      ++c;
    }
    const bool upper = *c >= 'A' && *c <= 'Z';
    const bool lower = *c >= 'a' && *c <= 'z';
    if (!upper && !lower) return false;
    if (upper && optionalSeen) return false;
    optionalSeen = optionalSeen || lower;
    letters->push_back(
        {upper ? *c : static_cast<char>(*c - 'a' + 'A'), counted ? count : 1, upper});
  }
  return true;
}

bool HexAfterPrefix(const std::string& text, uint64_t* value) {
  if (text.size() < 3 || text[0] != '0' || text[1] != 'x') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long parsed = std::strtoull(text.c_str() + 2, &end, 16);
  if (end == text.c_str() + 2 || errno != 0 || text[2] == '-' || text[2] == '+') return false;
  *value = parsed;
  return true;
}

bool ToSigned(const std::string& text, int64_t* value) {
  uint64_t hex = 0;
  if (text.size() >= 2 && text[0] == '0' && text[1] == 'x') {
    if (!HexAfterPrefix(text, &hex) || hex > 0xFFFFFFFFull) return false;
    *value = static_cast<int32_t>(static_cast<uint32_t>(hex));
    return true;
  }
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || errno != 0 || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  *value = parsed;
  return true;
}

bool ToUnsigned(const std::string& text, int64_t* value) {
  uint64_t hex = 0;
  if (text.size() >= 2 && text[0] == '0' && text[1] == 'x') {
    if (!HexAfterPrefix(text, &hex) || hex > 0xFFFFFFFFull) return false;
    *value = static_cast<int64_t>(hex);
    return true;
  }
  const size_t start = text.find_first_not_of(" \t");
  if (start != std::string::npos && text[start] == '-') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
  if (end == text.c_str() || errno != 0 || parsed > 0xFFFFFFFFull) return false;
  *value = static_cast<int64_t>(parsed);
  return true;
}

bool ToDouble(const std::string& text, double* value) {
  uint64_t hex = 0;
  if (text.size() >= 2 && text[0] == '0' && text[1] == 'x') {
    if (!HexAfterPrefix(text, &hex) || hex > 0xFFFFFFFFull) return false;
    *value = static_cast<double>(hex);
    return true;
  }
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return false;
  *value = parsed;
  return true;
}

bool ToGuid(const std::string& text, framework::Guid* guid) {
  unsigned long data1 = 0;
  unsigned int data2 = 0, data3 = 0, b[8] = {};
  const int fields =
      std::sscanf(text.c_str(), "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", &data1, &data2,
                  &data3, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7]);
  if (fields != 11) return false;
  guid->data1 = static_cast<uint32_t>(data1);
  guid->data2 = static_cast<uint16_t>(data2);
  guid->data3 = static_cast<uint16_t>(data3);
  for (int i = 0; i < 8; ++i) guid->data4[i] = static_cast<uint8_t>(b[i]);
  return true;
}

// Last pair first; names of the same length, equal ignoring case.
bool FromTable(const std::string& text, const std::vector<NamedInteger>* table, int64_t* value) {
  if (table == nullptr) return false;
  for (auto pair = table->rbegin(); pair != table->rend(); ++pair) {
    if (config_element::EqualIgnoringCase(text, pair->name)) {
      *value = pair->value;
      return true;
    }
  }
  return false;
}

bool ConvertNumber(char letter, const std::string& text, const std::vector<NamedInteger>* table,
                   UnpackedArgument* out) {
  if (text.empty()) return false;
  int64_t number = 0;
  double real = 0;
  switch (letter) {
    case 'I':
      if (!ToSigned(text, &number)) return false;
      break;
    case 'U':
      if (!ToUnsigned(text, &number)) return false;
      break;
    case 'T':
      if (!FromTable(text, table, &number)) return false;
      break;
    case 'D':
      if (!ToDouble(text, &real)) return false;
      out->doubles.push_back(real);
      return true;
    default:
      return false;
  }
  out->numbers.push_back(number);
  return true;
}

std::string Narrow(framework::Value* value) {
  const wchar_t* text = value != nullptr ? value->GetText() : nullptr;
  return text != nullptr ? os_file::NarrowAnsi(text) : std::string();
}

bool ConvertScalar(char letter, framework::Value* value, UnpackedArgument* out) {
  const wchar_t* text = value->GetText();
  if (text == nullptr || text[0] == L'\0') return false;
  switch (letter) {
    case 'A':
      out->narrow = os_file::NarrowAnsi(text);
      return true;
    case 'W':
      out->wide = text;
      return true;
    case 'B': {
      const std::string narrow = os_file::NarrowAnsi(text);
      out->boolean = !(narrow == "0" || config_element::EqualIgnoringCase(narrow, "false"));
      return true;
    }
    case 'M':
      return ToGuid(os_file::NarrowAnsi(text), &out->guid);
    default:
      return false;
  }
}

bool Convert(const FormatLetter& letter, framework::Value* value,
             const std::vector<NamedInteger>* table, UnpackedArgument* out) {
  if (value == nullptr) return false;
  out->present = true;
  const bool scalarOnly =
      letter.letter == 'A' || letter.letter == 'W' || letter.letter == 'B' || letter.letter == 'M';
  if (scalarOnly) return letter.count == 1 && ConvertScalar(letter.letter, value, out);
  if (letter.count == 1) return ConvertNumber(letter.letter, Narrow(value), table, out);
  if (value->GetMemberCount() != letter.count) return false;
  for (uint32_t i = 0; i < letter.count; ++i) {
    if (!ConvertNumber(letter.letter, Narrow(value->GetMemberAt(i)), table, out)) return false;
  }
  return true;
}

}  // namespace

bool UnpackArguments(framework::ArgumentList* arguments, const char* format,
                     std::vector<UnpackedArgument>* out, const std::vector<NamedInteger>* table) {
  std::vector<FormatLetter> letters;
  if (format == nullptr || out == nullptr || !ParseFormat(format, &letters)) return false;
  size_t required = 0;
  for (const FormatLetter& letter : letters) required += letter.required ? 1 : 0;
  const size_t given = arguments != nullptr ? arguments->GetCount() : 0;
  if (given < required || given > letters.size()) return false;
  out->assign(letters.size(), UnpackedArgument());
  for (size_t i = 0; i < given; ++i) {
    if (!Convert(letters[i], arguments->GetAt(static_cast<uint32_t>(i)), table, &(*out)[i])) {
      return false;
    }
  }
  return true;
}
