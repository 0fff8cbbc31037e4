#include "setup/variable_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

class VariableTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.SetVariable("instdir", "C:\\Apps\\X");
    table.SetVariable("v", "instdir");
  }

  // The expansion, or "<failed>".
  std::string Expand(const char* text) const {
    std::string out = "untouched";
    return table.ExpandVariables(text, &out) ? out : std::string("<failed>");
  }

  VariableTable table;
};

TEST_F(VariableTableTest, ExpandsTheCasesInstallersRelyOn) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"$(instdir)/bin/a.dll", "C:\\Apps\\X\\bin\\a.dll"},
      {"$(Instdir)", "C:\\Apps\\X"},
      {"$(INSTDIR)\\b", "C:\\Apps\\X\\b"},
      {"$(nothere)/a", "<failed>"},
      {"50$ off", "50$ off"},
      {"a$b$(instdir)", "a$b$(instdir)"},
      {"$($(v))", "C:\\Apps\\X"},
      {"$(instdir", "<failed>"},
      {"$(", "<failed>"},
      {"end$", "end$"},
      {"", ""},
      {"plain/text", "plain/text"},
      {"x/$(instdir)", "x\\C:\\Apps\\X"},
      {"$(instdir)$(instdir)", "C:\\Apps\\XC:\\Apps\\X"},
      // After a reference only the tail's own first "$" counts.
      {"$(instdir)/a$b$(instdir)", "C:\\Apps\\X\\a$b$(instdir)"},
      {"$(instdir)/$(nothere)", "<failed>"},
      {"$(v)(x)", "instdir(x)"},
      {"$((v))", "<failed>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Expand(c.text)) << "text: " << c.text;
  }
}

TEST_F(VariableTableTest, NullTextFailsAndLeavesTheOutputAlone) {
  std::string out = "untouched";
  EXPECT_FALSE(table.ExpandVariables(nullptr, &out));
  EXPECT_EQ("untouched", out);
}

TEST_F(VariableTableTest, ParenthesesInsideANameAreBalanced) {
  table.SetVariable("a(b)c", "inner");
  EXPECT_EQ("inner!", Expand("$(a(b)c)!"));
}

TEST_F(VariableTableTest, ValuesAreInsertedLiterallyNotExpandedAgain) {
  table.SetVariable("ref", "$(instdir)");
  EXPECT_EQ("$(instdir)", Expand("$(ref)"));
}

TEST(VariableTable, SetReplacesOnlyAnExactNameAndLookupTakesTheNewest) {
  VariableTable table;
  table.SetVariable("dir", "first");
  table.SetVariable("DIR", "second");
  EXPECT_EQ(2u, table.size());
  // Lookup ignores case and takes the newest pair.
  ASSERT_NE(nullptr, table.Find("Dir"));
  EXPECT_EQ("second", *table.Find("Dir"));

  table.SetVariable("dir", "third");
  EXPECT_EQ(2u, table.size());
  EXPECT_EQ("second", *table.Find("dir"));  // "DIR" is still newer
  table.SetVariable("DIR", "fourth");
  EXPECT_EQ("fourth", *table.Find("dir"));
  EXPECT_EQ(nullptr, table.Find("di"));
}

TEST(VariableTable, RefusesRunawayNestingAndResults) {
  VariableTable table;
  table.SetVariable("x", "x");
  std::string nested = "x";
  for (int i = 0; i < 200; ++i) nested = "$(" + nested + ")";
  std::string out;
  EXPECT_FALSE(table.ExpandVariables(nested.c_str(), &out));

  std::string shallow = "$($($(x)))";
  EXPECT_TRUE(table.ExpandVariables(shallow.c_str(), &out));
  EXPECT_EQ("x", out);

  // Many references in a row are no problem for the stack...
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "$(x)";
  ASSERT_TRUE(table.ExpandVariables(many.c_str(), &out));
  EXPECT_EQ(std::string(100000, 'x'), out);

  // ...but a result beyond a megabyte is refused.
  table.SetVariable("big", std::string(64 * 1024, 'b'));
  std::string huge;
  for (int i = 0; i < 20; ++i) huge += "$(big)";
  EXPECT_FALSE(table.ExpandVariables(huge.c_str(), &out));
}

TEST(VariableTable, ProcessTableIsSharedByTheFreeFunctions) {
  SetVariable("process_table_probe", "C:/p");
  std::string out;
  ASSERT_TRUE(ExpandVariables("$(PROCESS_TABLE_PROBE)/q", &out));
  EXPECT_EQ("C:\\p\\q", out);
  ASSERT_NE(nullptr, InstallerVariables().Find("process_table_probe"));
}

}  // namespace

// The install worker expands while the window's script sets variables: a
// set that moves the list must never race a read (ASan would catch a read
// of the freed list).
TEST(VariableTableThreads, ExpandingWhileAnotherThreadSetsIsSafe) {
  VariableTable table;
  table.SetVariable("instdir", "C:\\A");
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 3000; ++i) {
      table.SetVariable("v" + std::to_string(i), std::string(64, 'x'));
      table.SetVariable("instdir", (i % 2) ? "C:\\A" : "C:\\B");
    }
    done = true;
  });
  int odd = 0;
  while (!done) {
    std::string expanded;
    ASSERT_TRUE(table.ExpandVariables("$(instdir)/x", &expanded));
    if (expanded != "C:\\A\\x" && expanded != "C:\\B\\x") ++odd;
    std::string value;
    ASSERT_TRUE(table.Lookup("instdir", &value));
  }
  writer.join();
  EXPECT_EQ(0, odd);
  EXPECT_EQ(3001u, table.size());
}
