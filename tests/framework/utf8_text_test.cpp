#include "framework/common/utf8_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

using framework_text::Utf8FromWide;
using framework_text::WideFromUtf8;

constexpr wchar_t kBad = 0xFFFD;

std::wstring Wide(std::initializer_list<wchar_t> units) { return std::wstring(units); }

std::string Printable(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char byte : bytes) {
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
    out += ' ';
  }
  return out;
}

TEST(Utf8Text, DecodesWellFormedTextAndReplacesEachBadByte) {
  struct Case {
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"", L""},
      {"plain", L"plain"},
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
      {"\xC2\x80", L"\u0080"},  // smallest two-byte form
      {"\xC3\xA9", L"\u00E9"},
      {"\xDF\xBF", L"\u07FF"},
      {"\xE0\xA0\x80", L"\u0800"},  // smallest three-byte form
      {"\xE2\x82\xAC", L"\u20AC"},
      {"\xED\x9F\xBF", L"\uD7FF"},  // just below the surrogates
      {"\xEE\x80\x80", L"\uE000"},  // just above them
      {"\xEF\xBF\xBF", L"\uFFFF"},
      {"\xF0\x90\x80\x80", L"\U00010000"},  // smallest four-byte form
      {"\xF0\x9F\x98\x80", L"\U0001F600"},
      {"\xF4\x8F\xBF\xBF", L"\U0010FFFF"},  // largest code point
      {"\x80", Wide({kBad})},               // continuation byte alone
      {"\xBFz", Wide({kBad, L'z'})},
      {"\xFF", Wide({kBad})},                                          // leads no sequence
      {"\xF8\x88\x80\x80\x80", Wide({kBad, kBad, kBad, kBad, kBad})},  // five-byte form
      {"\xC0\x80", Wide({kBad, kBad})},                                // overlong NUL
      {"\xC1\xBF", Wide({kBad, kBad})},
      {"\xE0\x9F\xBF", Wide({kBad, kBad, kBad})},
      {"\xF0\x8F\xBF\xBF", Wide({kBad, kBad, kBad, kBad})},
      {"\xED\xA0\x80", Wide({kBad, kBad, kBad})},            // encoded high surrogate
      {"\xED\xBF\xBF", Wide({kBad, kBad, kBad})},            // encoded low surrogate
      {"\xED\xA0\xBD\xED\xB8\x80", std::wstring(6, kBad)},   // an encoded pair
      {"\xF4\x90\x80\x80", Wide({kBad, kBad, kBad, kBad})},  // above U+10FFFF
      {"\xC3", Wide({kBad})},                                // cut short by the end
      {"x\xE2\x82", Wide({L'x', kBad, kBad})},
      {"\xF0\x9F\x98", Wide({kBad, kBad, kBad})},
      {"\xC3(", Wide({kBad, L'('})},  // cut short by a character
      {"\xE2(\xA1", Wide({kBad, L'(', kBad})},
      {"\xE2\x82\xC3\xA9", Wide({kBad, kBad, L'\u00E9'})},  // a new sequence resumes
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WideFromUtf8(c.utf8), c.wide) << Printable(c.utf8);
    EXPECT_EQ(WideFromUtf8(c.utf8.data(), c.utf8.size()), c.wide) << Printable(c.utf8);
  }
}

TEST(Utf8Text, EncodesWideTextAndReplacesUnpairedSurrogates) {
  struct Case {
    std::wstring wide;
    std::string utf8;
  } cases[] = {
      {L"", ""},
      {L"plain", "plain"},
      {std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
      {L"\u007F", "\x7F"},
      {L"\u0080", "\xC2\x80"},
      {L"\u07FF", "\xDF\xBF"},
      {L"\u0800", "\xE0\xA0\x80"},
      {L"\uD7FF", "\xED\x9F\xBF"},
      {L"\uE000", "\xEE\x80\x80"},
      {L"\uFFFF", "\xEF\xBF\xBF"},
      {L"\U00010000", "\xF0\x90\x80\x80"},
      {L"C:\\Caf\u00E9 \U0001F600", "C:\\Caf\xC3\xA9 \xF0\x9F\x98\x80"},
      {L"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {Wide({0xD800}), "\xEF\xBF\xBD"},                      // high at the end
      {Wide({0xDBFF, L'z'}), "\xEF\xBF\xBDz"},               // high before a character
      {Wide({0xDC00}), "\xEF\xBF\xBD"},                      // low alone
      {Wide({0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD"},  // the wrong way round
      {Wide({0xD800, L'\0', 0xDC00}), std::string("\xEF\xBF\xBD\0\xEF\xBF\xBD", 7)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Printable(Utf8FromWide(c.wide)), Printable(c.utf8)) << Printable(c.utf8);
    EXPECT_EQ(Printable(Utf8FromWide(c.wide.data(), c.wide.size())), Printable(c.utf8));
  }
}

// Surrogate units pair up only where wide text is UTF-16; with 32-bit wchar_t
// each is a unit of its own, and values above U+10FFFF exist.
TEST(Utf8Text, SurrogateUnitsFollowTheWidthOfWideText) {
  const std::wstring pair = Wide({0xD83D, 0xDE00});
  const std::wstring high_then_pair = Wide({0xD800, 0xD800, 0xDC00});
  if (sizeof(wchar_t) == 2) {
    EXPECT_EQ(Utf8FromWide(pair), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8FromWide(high_then_pair), "\xEF\xBF\xBD\xF0\x90\x80\x80");
    EXPECT_EQ(WideFromUtf8("\xF0\x9F\x98\x80"), pair);
  } else {
    EXPECT_EQ(Utf8FromWide(pair), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(Utf8FromWide(high_then_pair), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(WideFromUtf8("\xF0\x9F\x98\x80"), std::wstring(1, static_cast<wchar_t>(0x1F600)));
    const std::wstring too_large = {static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)};
    EXPECT_EQ(Utf8FromWide(too_large), "\xEF\xBF\xBD\xEF\xBF\xBD");
  }
}

TEST(Utf8Text, EveryCodePointRoundTrips) {
  std::wstring all;
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    if (sizeof(wchar_t) == 2 && code >= 0x10000) {
      all += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
      all += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      all += static_cast<wchar_t>(code);
    }
  }
  const std::string utf8 = Utf8FromWide(all);
  // 128 one-byte, 1920 two-byte, 61440 three-byte and 1048576 four-byte forms.
  EXPECT_EQ(utf8.size(), 128u + 1920u * 2 + 61440u * 3 + 1048576u * 4);
  EXPECT_EQ(WideFromUtf8(utf8), all);
}

}  // namespace
