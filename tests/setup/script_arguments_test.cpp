#include "setup/script_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/planex/planex_factory.h"
#include "setup/framework_ref.h"

namespace {

// An argument: a text, or (with members) an array.
struct Argument {
  Argument(const wchar_t* text, std::vector<const wchar_t*> members = {})
      : text(text), members(std::move(members)) {}
  const wchar_t* text;
  std::vector<const wchar_t*> members;
};

template <typename Interface>
FrameworkRef<Interface> Make(const framework::Guid& interfaceId) {
  FrameworkRef<Interface> object;
  CreatePlanexInstance(&framework::kScriptClassId, &interfaceId, object.OutVoid(), nullptr);
  return object;
}

FrameworkRef<framework::ArgumentList> List(const std::vector<Argument>& arguments) {
  FrameworkRef<framework::ArgumentList> list =
      Make<framework::ArgumentList>(framework::kArgumentListId);
  for (const Argument& argument : arguments) {
    FrameworkRef<framework::Value> value = Make<framework::Value>(framework::kValueId);
    value->SetText(argument.text);
    for (const wchar_t* member : argument.members) value->AddTextMember(nullptr, member);
    list->Append(value.get());
  }
  return list;
}

struct UnpackCase {
  const char* format;
  std::vector<Argument> arguments;
  bool accepted;
  // What the last given argument converted to, as text ("" when refused).
  std::string last;
};

std::string Describe(const UnpackedArgument& a, char letter) {
  switch (letter) {
    case 'A':
      return a.narrow;
    case 'W':
      return std::string(a.wide.begin(), a.wide.end());
    case 'B':
      return a.boolean ? "true" : "false";
    case 'M': {
      char text[64];
      std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X", a.guid.data1, a.guid.data2,
                    a.guid.data3, a.guid.data4[0], a.guid.data4[7]);
      return text;
    }
    case 'D': {
      std::string text;
      for (double d : a.doubles) text += std::to_string(d) + " ";
      return text;
    }
    default: {
      std::string text;
      for (int64_t n : a.numbers) text += std::to_string(n) + " ";
      return text;
    }
  }
}

class UnpackArgumentsTest : public ::testing::TestWithParam<UnpackCase> {};

TEST_P(UnpackArgumentsTest, ConvertsByLetter) {
  const UnpackCase& c = GetParam();
  const std::vector<NamedInteger> table = {{"red", 1}, {"Green", 2}, {"RED", 3}};
  std::vector<UnpackedArgument> out;
  FrameworkRef<framework::ArgumentList> list = List(c.arguments);
  const bool accepted = UnpackArguments(list.get(), c.format, &out, &table);
  ASSERT_EQ(c.accepted, accepted) << c.format;
  if (!accepted || c.arguments.empty()) return;
  // The letter of the last given argument (skipping counts).
  std::string letters;
  for (const char* f = c.format; *f; ++f) {
    if (!(*f >= '0' && *f <= '9')) letters += static_cast<char>(*f & ~0x20);
  }
  const size_t last = c.arguments.size() - 1;
  EXPECT_TRUE(out[last].present);
  if (last + 1 < out.size()) EXPECT_FALSE(out[last + 1].present);
  EXPECT_EQ(c.last, Describe(out[last], letters[last])) << c.format;
}

const UnpackCase kUnpackCases[] = {
    {"A", {{L"C:\\Apps"}}, true, "C:\\Apps"},
    {"A", {}, false, ""},
    {"A", {{L"a"}, {L"b"}}, false, ""},
    {"A", {{L""}}, false, ""},
    {"WWw", {{L"installdone"}, {L"Done()"}}, true, "Done()"},
    {"WWw", {{L"e"}, {L"h"}, {L"page"}}, true, "page"},
    {"WWw", {{L"e"}, {L"h"}, {L"p"}, {L"x"}}, false, ""},
    {"B", {{L"FALSE"}}, true, "false"},
    {"B", {{L"0"}}, true, "false"},
    {"B", {{L"no"}}, true, "true"},
    {"I", {{L"-42"}}, true, "-42 "},
    {"I", {{L"12abc"}}, true, "12 "},
    {"I", {{L"0x1F"}}, true, "31 "},
    {"I", {{L"0xFFFFFFFF"}}, true, "-1 "},
    {"I", {{L"0X1F"}}, true, "0 "},
    {"I", {{L"abc"}}, false, ""},
    {"I", {{L"0x"}}, false, ""},
    {"I", {{L"2147483648"}}, false, ""},
    {"U", {{L"4294967295"}}, true, "4294967295 "},
    {"U", {{L"-1"}}, false, ""},
    {"U", {{L"0x100000000"}}, false, ""},
    {"D", {{L"0.5"}}, true, "0.500000 "},
    {"D", {{L"0x10"}}, true, "16.000000 "},
    {"D", {{L"x"}}, false, ""},
    {"3I", {{L"", {L"1", L"0x2", L"-3"}}}, true, "1 2 -3 "},
    {"3I", {{L"", {L"1", L"2"}}}, false, ""},
    {"2A", {{L"a", {L"a", L"b"}}}, false, ""},
    {"M", {{L"4B87D871-D052-4C83-82A3-9B5C8C00BA77"}}, true, "4B87D871-D052-4C83-8277"},
    {"M", {{L"{4B87D871-D052-4C83-82A3-9B5C8C00BA77}"}}, false, ""},
    {"M", {{L"4B87D871-D052-4C83-82A3-9B5C8C00BA"}}, false, ""},
    {"T", {{L"red"}}, true, "3 "},
    {"T", {{L"GREEN"}}, true, "2 "},
    {"T", {{L"gree"}}, false, ""},
    {"Ai", {{L"x"}}, true, "x"},
    {"aI", {{L"x"}}, false, ""},
    {"A?", {{L"x"}}, false, ""},
};

INSTANTIATE_TEST_SUITE_P(Letters, UnpackArgumentsTest, ::testing::ValuesIn(kUnpackCases));

}  // namespace
