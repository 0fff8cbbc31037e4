#include "setup/entry_extraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "setup/os_file.h"
#include "setup/package_archive.h"
#include "setup/payload.h"
#include "setup/variable_table.h"
#include "tests/setup/payload_fixtures.h"
#include "tests/setup/xml_element_double.h"

using payload_test::Bytes;

namespace {

class EntryExtractionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = folder_.File("setup.exe");
    payload_test::WriteAll(path, payload_test::MakeSetupFile(payload_test::MakeZip(
                                     {{"lib/a.dll", "library bytes"}, {"empty", ""}})));
    ASSERT_EQ(PayloadStatus::kOk, OpenPayloadFile(path.c_str(), &payload_));
    // root is the test folder in installer form ("\" separators).
    variables_.SetVariable("root", folder_.InstallerPath());
  }
  void TearDown() override { ClosePayloadFile(&payload_); }

  bool Extract(const char* destination, const char* entry, framework::XmlElement* log) {
    return ExtractEntryFrom(payload_.archive, variables_, destination, entry, log);
  }
  bool Exists(const std::string& relative) const {
    std::error_code error;
    return std::filesystem::exists(folder_.path() / relative, error);
  }

  payload_test::TempFolder folder_;
  PayloadFile payload_;
  VariableTable variables_;
};

}  // namespace

TEST_F(EntryExtractionTest, CreatesAndLogsANewFolderOnce) {
  std::filesystem::create_directory(folder_.path() / "A");
  payload_test::XmlElementDouble log("files");
  ASSERT_TRUE(Extract("$(root)/A/B/c.dll", "lib/a.dll", &log));
  EXPECT_EQ(payload_test::Bytes({'l', 'i', 'b', 'r', 'a', 'r', 'y', ' ', 'b', 'y', 't', 'e', 's'}),
            payload_test::ReadAll((folder_.path() / "A" / "B" / "c.dll").string()));
  ASSERT_EQ(1u, log.children().size());
  const payload_test::XmlElementDouble& dir = *log.children()[0];
  EXPECT_EQ("dir", dir.name());
  const std::string expected = folder_.InstallerPath() + "\\A\\B";
  EXPECT_EQ(std::wstring(expected.begin(), expected.end()), dir.Attribute("path"));
  EXPECT_EQ(0, dir.references()) << "the child reference is released";

  ASSERT_TRUE(Extract("$(root)/A/B/d.dll", "lib/a.dll", &log));
  EXPECT_EQ(1u, log.children().size()) << "an existing folder is not logged again";
  EXPECT_TRUE(Exists("A/B/d.dll"));
}

TEST_F(EntryExtractionTest, ExtractsWithoutALog) {
  EXPECT_TRUE(Extract("$(root)/x/y/z.dll", "lib/a.dll", nullptr));
  EXPECT_TRUE(Exists("x/y/z.dll"));
}

TEST_F(EntryExtractionTest, EmptyOrMissingEntriesAndBadPathsWriteNothing) {
  payload_test::XmlElementDouble log("files");
  EXPECT_FALSE(Extract("$(root)/new/empty.txt", "empty", &log));
  EXPECT_FALSE(Extract("$(root)/new/missing.txt", "Lib/a.dll", &log));
  EXPECT_FALSE(Extract("$(nothere)/new/a.dll", "lib/a.dll", &log));
  EXPECT_FALSE(Extract("$(root/new/a.dll", "lib/a.dll", &log));
  EXPECT_FALSE(Exists("new"));
  EXPECT_TRUE(log.children().empty());
}

TEST_F(EntryExtractionTest, ReplacesAnExistingFile) {
  const std::string target = (folder_.path() / "old.dll").string();
  payload_test::WriteAll(target, Bytes(100, 'x'));
  ASSERT_TRUE(Extract("$(root)/old.dll", "lib/a.dll", nullptr));
  EXPECT_EQ(13u, payload_test::ReadAll(target).size());
}

TEST(EnsureDirectoryTest, ReportsWhetherTheFolderWasCreated) {
  payload_test::TempFolder folder;
  const std::string root = folder.InstallerPath();
  EXPECT_EQ(kDirectoryUnchanged, EnsureDirectory("no-separator"));
  EXPECT_EQ(kDirectoryNotCreated, EnsureDirectory(root.c_str()));
  const std::string nested = root + "\\one\\two\\three";
  EXPECT_EQ(kDirectoryCreated, EnsureDirectory(nested.c_str()));
  std::error_code error;
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "one" / "two" / "three", error));
  EXPECT_EQ(kDirectoryNotCreated, EnsureDirectory(nested.c_str()));
  // A file where a folder should go makes creation fail.
  payload_test::WriteAll(folder.File("file"), Bytes(1, 0));
  const std::string blocked = root + "\\file\\sub";
  EXPECT_EQ(kDirectoryNotCreated, EnsureDirectory(blocked.c_str()));
}

// Installer paths may mix "/" in: each "/" counts as a separator once the
// path holds a "\" at all; a path without any "\" is left alone.
TEST(EnsureDirectoryTest, ForwardSlashesSeparateLevelsToo) {
  payload_test::TempFolder folder;
  const std::string root = folder.InstallerPath();
  std::error_code error;
  std::filesystem::create_directory(folder.path() / "have", error);
  const std::string mixed = root + "\\have/new/deeper";
  EXPECT_EQ(kDirectoryCreated, EnsureDirectory(mixed.c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "have" / "new" / "deeper", error));
  EXPECT_EQ(kDirectoryNotCreated, EnsureDirectory(mixed.c_str()));
  EXPECT_EQ(kDirectoryNotCreated, EnsureDirectory((root + "\\have/new").c_str()));

  std::string forward_only = folder.path().string() + "/other/level";
  for (char& c : forward_only) {
    if (c == '\\') c = '/';
  }
  EXPECT_EQ(kDirectoryUnchanged, EnsureDirectory(forward_only.c_str()));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "other", error));
}
