#include "setup/earlier_installation.h"

#include <gtest/gtest.h>

#include "tests/setup/xml_element_double.h"

namespace {

// document -> UninstallLog -> packages, ready for packages and files.
class EarlierInstallationTest : public ::testing::Test {
 protected:
  EarlierInstallationTest()
      : document("root"), packages(document.Add("UninstallLog").Add("packages")) {}

  std::wstring Find() {
    std::wstring folder = L"<none>";
    if (!FindEarlierInstallDirectory(&document, &folder)) folder = L"<none>";
    EXPECT_EQ(0, document.OutstandingReferences());
    return folder;
  }

  payload_test::XmlElementDouble document;
  payload_test::XmlElementDouble& packages;
};

TEST_F(EarlierInstallationTest, FolderOfTheProgramInTheFirstPackage) {
  payload_test::XmlElementDouble& package = packages.Add("package");
  package.Add("file", L"C:\\Apps\\Corvana2\\readme.txt");
  package.Add("file", L"C:\\Apps\\Corvana2\\CORVANA2.EXE");
  EXPECT_EQ(L"C:\\Apps\\Corvana2", Find());
}

TEST_F(EarlierInstallationTest, FirstMatchInDocumentOrderWinsAcrossPackages) {
  packages.Add("package").Add("file", L"C:\\one\\readme.txt");
  packages.Add("Package").Add("file", L"D:/two/sub/Corvana2.exe");
  packages.Add("package").Add("file", L"E:\\three\\corvana2.exe");
  EXPECT_EQ(L"D:/two/sub", Find());
}

TEST_F(EarlierInstallationTest, PathWithoutSeparatorGivesTheCurrentFolder) {
  packages.Add("package").Add("file", L"corvana2.exe");
  EXPECT_EQ(L".", Find());
}

TEST_F(EarlierInstallationTest, NoMatchingFileOrNoLogStructureFindsNothing) {
  payload_test::XmlElementDouble& package = packages.Add("package");
  package.Add("file", L"C:\\Apps\\corvana.exe");
  package.Add("file");                                      // no path attribute
  package.Add("dir", L"C:\\Apps\\Corvana2\\corvana2.exe");  // not a file element
  EXPECT_EQ(L"<none>", Find());

  payload_test::XmlElementDouble bare("root");
  bare.Add("packages").Add("package").Add("file", L"C:\\x\\corvana2.exe");
  std::wstring folder;
  EXPECT_FALSE(FindEarlierInstallDirectory(&bare, &folder));
  EXPECT_FALSE(FindEarlierInstallDirectory(nullptr, &folder));
}

}  // namespace
