#include <gtest/gtest.h>

#include "framework/oxu/library_path.h"
#include "framework/oxu/registration_file.h"

TEST(OxuRegistrationFile, FormatThenParseGivesTheSameRegistrations) {
  std::vector<Registration> written = {
      {L"C:\\Temp\\trvxtmp~0\\ioweave.dll", 0, L""},
      {L"C:\\Program Files\\Caf\u00e9 \U0001F600\\app.dll", -7, L"D:\\models"},
  };
  std::vector<Registration> read = RegistrationFile::Parse(RegistrationFile::Format(written));
  ASSERT_EQ(read.size(), 2u);
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].path, written[i].path);
    EXPECT_EQ(read[i].kind, written[i].kind);
    EXPECT_EQ(read[i].model_directory, written[i].model_directory);
  }
}

TEST(OxuRegistrationFile, DamagedLinesCostOnlyThemselves) {
  std::string text =
      "# comment\r\n"
      "0\tC:\\a.dll\t\r\n"
      "x\tC:\\bad-kind.dll\t\n"
      "99999999999\tC:\\kind-too-large.dll\t\n"
      "1\t\t\n"
      "2\tC:\\two-fields.dll\n"
      "3\tC:\\extra.dll\t\tmore\n"
      "\xff\xfe garbage\n"
      "5\tC:\\b\xc3\x28.dll\tM\n";
  std::vector<Registration> read = RegistrationFile::Parse(text);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].path, L"C:\\a.dll");
  EXPECT_EQ(read[0].kind, 0);
  // A broken UTF-8 sequence becomes U+FFFD; the line itself is kept.
  EXPECT_EQ(read[1].path, L"C:\\b\ufffd(.dll");
  EXPECT_EQ(read[1].model_directory, L"M");
}

TEST(OxuRegistrationFile, LinesCannotHoldTabsOrLineBreaks) {
  EXPECT_TRUE(RegistrationFile::CanHold(L"C:\\plain path\\x.dll"));
  EXPECT_FALSE(RegistrationFile::CanHold(L"C:\\a\tb.dll"));
  EXPECT_FALSE(RegistrationFile::CanHold(L"C:\\a\nb.dll"));
  EXPECT_FALSE(RegistrationFile::CanHold(std::wstring(L"C:\\a\0b.dll", 10)));
}

TEST(OxuLibraryPath, OnlyDriveAndUncPathsAreFull) {
  struct Case {
    const wchar_t* path;
    bool full;
  } cases[] = {{L"C:\\x\\oxu.dll", true},
               {L"c:/x/oxu.dll", true},
               {L"\\\\server\\share\\a.dll", true},
               {L"oxu.dll", false},
               {L"oxu", false},
               {L".\\oxu.dll", false},
               {L"C:oxu.dll", false},
               {L"\\oxu.dll", false},
               {L"\\\\\\x", false},
               {L"", false}};
  for (const Case& c : cases) EXPECT_EQ(library_path::IsFull(c.path), c.full) << c.path;
  EXPECT_TRUE(library_path::Same(L"C:\\Temp\\IOWEAVE.dll", L"c:/temp/ioweave.DLL"));
  EXPECT_FALSE(library_path::Same(L"C:\\Temp\\a.dll", L"C:\\Temp\\b.dll"));
}
