// Reads the version record of the program file through the system's API.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const char* programPath = "bootspan.exe";

std::vector<char> versionRecord() {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(programPath, &handle);
  std::vector<char> record(size);
  if (size == 0 || !GetFileVersionInfoA(programPath, 0, size, record.data())) {
    record.clear();
  }
  return record;
}

std::string stringValue(std::vector<char>& record, const char* table,
                        const char* key) {
  std::string path = std::string("\\StringFileInfo\\") + table + "\\" + key;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(record.data(), path.c_str(),
                      reinterpret_cast<void**>(&value), &length)) {
    return "(missing)";
  }
  return std::string(value);
}

TEST(VersionRecord, FixedValues) {
  std::vector<char> record = versionRecord();
  ASSERT_FALSE(record.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\",
                             reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x0002000Cu);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x0002000Cu);
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask,
            static_cast<DWORD>(VS_FF_PRIVATEBUILD));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  WORD* translations = nullptr;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &length));
  ASSERT_EQ(length, 8u);
  EXPECT_EQ(translations[0], 0x0407);
  EXPECT_EQ(translations[1], 0);
  EXPECT_EQ(translations[2], 0x0409);
  EXPECT_EQ(translations[3], 0);
}

TEST(VersionRecord, StringTables) {
  struct Entry {
    const char* key;
    const char* german;
    const char* english;
  } entries[] = {
      {"Comments", "Geben Sie fuer Hilfe 'bootspan /?' ein.",
       "Type bootspan /? to get help."},
      {"FileDescription", "Bestimmt die Laufzeit des angegebenen Computers.",
       "Retrieves the bootspan of the specified computer."},
      {"FileVersion", "1, 0, 2, 12", "1, 0, 2, 12"},
      {"InternalName", "BOOTSPAN", "BOOTSPAN"},
      {"OriginalFilename", "bootspan.exe", "bootspan.exe"},
      {"PrivateBuild", "2006/01/27", "2006/01/27"},
      {"ProductName", "Bootspan", "Bootspan"},
      {"ProductVersion", "1.0", "1.0"},
      {"CompanyName", "the bootspan authors", "the bootspan authors"},
      {"LegalCopyright", "Copyright (C) the bootspan authors",
       "Copyright (C) the bootspan authors"},
  };
  std::vector<char> record = versionRecord();
  ASSERT_FALSE(record.empty());
  for (const Entry& e : entries) {
    EXPECT_EQ(stringValue(record, "04070000", e.key), e.german) << e.key;
    EXPECT_EQ(stringValue(record, "04090000", e.key), e.english) << e.key;
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) programPath = argv[1];
  return RUN_ALL_TESTS();
}
