// Path splitting for the export folder, and the base name of a resource name.
#include "path_parts.h"

#include <gtest/gtest.h>

#include "archive_state.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

struct SplitCase {
  std::string name;
  std::string path;
  PathStyle style;
  PathParts expected;
};

class SplitPathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitPathTest, SplitsIntoFourParts) {
  const SplitCase& c = GetParam();
  const PathParts parts = SplitPath(c.path, c.style);
  EXPECT_EQ(parts.drive, c.expected.drive);
  EXPECT_EQ(parts.dir, c.expected.dir);
  EXPECT_EQ(parts.name, c.expected.name);
  EXPECT_EQ(parts.ext, c.expected.ext);
  const bool cut = c.path.size() > kMaxPath || parts.dir.size() == kDirField - 1 ||
                   parts.name.size() == kNameField - 1 || parts.ext.size() == kExtField - 1;
  if (!cut) {
    EXPECT_EQ(parts.drive + parts.dir + parts.name + parts.ext, c.path)
        << "the parts joined give the path back";
  }
}

constexpr auto kWin = PathStyle::kWindows;
constexpr auto kPosix = PathStyle::kPosix;

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitPathTest,
    ::testing::Values(
        SplitCase{
            "WindowsFull", "D:\\data\\level1.asr", kWin, {"D:", "\\data\\", "level1", ".asr"}},
        SplitCase{"WindowsForwardSlashes",
                  "D:/data/level1.asr",
                  kWin,
                  {"D:", "/data/", "level1", ".asr"}},
        SplitCase{"WindowsMixedSeparators", "c:\\a/b\\x.y", kWin, {"c:", "\\a/b\\", "x", ".y"}},
        SplitCase{"WindowsDriveOnly", "D:level1", kWin, {"D:", "", "level1", ""}},
        SplitCase{"WindowsNoDrive", "level1.asr", kWin, {"", "", "level1", ".asr"}},
        SplitCase{
            "WindowsShare", "\\\\server\\share\\a.b", kWin, {"", "\\\\server\\share\\", "a", ".b"}},
        SplitCase{
            "WindowsDotInFolder", "D:\\dir.v2\\level1", kWin, {"D:", "\\dir.v2\\", "level1", ""}},
        SplitCase{"WindowsEndsInSeparator", "D:\\data\\", kWin, {"D:", "\\data\\", "", ""}},
        SplitCase{"PosixFull", "/tmp/x/level1.asr", kPosix, {"", "/tmp/x/", "level1", ".asr"}},
        SplitCase{"PosixNoDrive", "C:/x/a.b", kPosix, {"", "C:/x/", "a", ".b"}},
        SplitCase{"PosixBackslashIsAName", "dir\\a.b", kPosix, {"", "", "dir\\a", ".b"}},
        SplitCase{"PosixNoExtension", "/tmp/archive", kPosix, {"", "/tmp/", "archive", ""}},
        SplitCase{"PosixSeveralDots", "/tmp/a.b.c", kPosix, {"", "/tmp/", "a.b", ".c"}},
        SplitCase{"PosixDotFile", "/tmp/.asr", kPosix, {"", "/tmp/", "", ".asr"}},
        SplitCase{"PosixRelative", "level1.asr", kPosix, {"", "", "level1", ".asr"}},
        SplitCase{"Empty", "", kPosix, {"", "", "", ""}},
        // Fields hold their size less one; the path is cut to 260 first.
        SplitCase{"DirCut",
                  "/" + std::string(258, 'd') + "/x",
                  kPosix,
                  {"", "/" + std::string(254, 'd'), "", ""}},
        SplitCase{"NameCut",
                  "/a/" + std::string(257, 'n'),
                  kPosix,
                  {"", "/a/", std::string(255, 'n'), ""}},
        SplitCase{"ExtCut",
                  "/a/b." + std::string(255, 'e'),
                  kPosix,
                  {"", "/a/", "b", "." + std::string(254, 'e')}},
        SplitCase{"PathCutAt260",
                  "/a/" + std::string(240, 'n') + ".ext" + std::string(30, 'x'),
                  kPosix,
                  {"", "/a/", std::string(240, 'n'), ".ext" + std::string(13, 'x')}}),
    testing::CaseName<SplitCase>);

TEST(ExportFolderTest, DriveDirAndNameThenSeparator) {
  ArchiveState state;
  state.ArchiveDrive = "D:";
  state.ArchiveDir = "\\data\\";
  state.ArchiveName = "level1";
  state.ArchiveExt = ".asr";
  EXPECT_EQ(ExportFolder(state, '\\'), "D:\\data\\level1\\");

  const PathParts parts = SplitPath("/tmp/x/level1.asr", PathStyle::kPosix);
  state.ArchiveDrive = parts.drive;
  state.ArchiveDir = parts.dir;
  state.ArchiveName = parts.name;
  EXPECT_EQ(ExportFolder(state, '/'), "/tmp/x/level1/");
}

#ifdef _WIN32
// On Windows the native style is Windows': an opened file's drive is split
// off and its export folder ends in a backslash.
struct NativeCase {
  std::string name;
  std::string path;
  PathParts expected;
  std::string export_folder;
};

class NativeSplitTest : public ::testing::TestWithParam<NativeCase> {};

TEST_P(NativeSplitTest, DriveSplitAndBackslashFolder) {
  const NativeCase& c = GetParam();
  const PathParts parts = SplitPath(c.path);
  EXPECT_EQ(parts.drive, c.expected.drive);
  EXPECT_EQ(parts.dir, c.expected.dir);
  EXPECT_EQ(parts.name, c.expected.name);
  EXPECT_EQ(parts.ext, c.expected.ext);
  ArchiveState state;
  state.ArchiveDrive = parts.drive;
  state.ArchiveDir = parts.dir;
  state.ArchiveName = parts.name;
  EXPECT_EQ(ExportFolder(state), c.export_folder);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, NativeSplitTest,
    ::testing::Values(
        NativeCase{"Backslashes",
                   "C:\\Games\\data\\level1.asr",
                   {"C:", "\\Games\\data\\", "level1", ".asr"},
                   "C:\\Games\\data\\level1\\"},
        NativeCase{"ForwardSlashes",
                   "d:/data/level1.asr",
                   {"d:", "/data/", "level1", ".asr"},
                   "d:/data/level1\\"},
        NativeCase{"DriveRelative", "E:level1.asr", {"E:", "", "level1", ".asr"}, "E:level1\\"},
        NativeCase{"NoDrive", "data\\level1", {"", "data\\", "level1", ""}, "data\\level1\\"}),
    testing::CaseName<NativeCase>);
#endif

struct BaseNameCase {
  std::string name;
  std::string resource;
  std::string base;
};

class ResourceBaseNameTest : public ::testing::TestWithParam<BaseNameCase> {};

TEST_P(ResourceBaseNameTest, AfterLastSeparatorUpToLastDot) {
  EXPECT_EQ(ResourceBaseName(GetParam().resource), GetParam().base);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResourceBaseNameTest,
    ::testing::Values(BaseNameCase{"Backslash", "textures\\rock.tga", "rock"},
                      BaseNameCase{"Slash", "textures/rock.tga", "rock"},
                      BaseNameCase{"SlashThenBackslash", "a/b\\c.d", "c"},
                      BaseNameCase{"BackslashThenSlash", "a\\b/c.d", "c"},
                      BaseNameCase{"DriveColon", "C:rock.tga", "rock"},
                      BaseNameCase{"DriveAndFolders", "C:\\x\\rock.tga", "rock"},
                      BaseNameCase{"NoExtension", "sounds\\boom", "boom"},
                      BaseNameCase{"SeveralDots", "a\\rock.old.tga", "rock.old"},
                      BaseNameCase{"DotInFolderOnly", "dir.v2\\rock", "rock"},
                      BaseNameCase{"EndsInBackslash", "textures\\", ""},
                      BaseNameCase{"EndsInSlash", "textures/", ""},
                      BaseNameCase{"AllExtension", "a\\.tga", ""}, BaseNameCase{"Empty", "", ""}),
    testing::CaseName<BaseNameCase>);

}  // namespace
}  // namespace asrkit
