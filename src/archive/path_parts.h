// Splitting a file path into drive, directory, base name and extension, the
// export folder built from them, and the base name of a resource name.
#pragma once

#include <string>
#include <string_view>

namespace asrkit {

// Windows paths have drives and either separator; POSIX paths have neither
// drive nor backslash separators.
enum class PathStyle { kPosix, kWindows };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::kWindows;
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::kPosix;
inline constexpr char kNativeSeparator = '/';
#endif

// Field sizes of the path parts, NUL included, and the longest path split.
inline constexpr std::size_t kMaxPath = 260;
inline constexpr std::size_t kDriveField = 3;
inline constexpr std::size_t kDirField = 256;
inline constexpr std::size_t kNameField = 256;
inline constexpr std::size_t kExtField = 256;

struct PathParts {
  std::string drive;  // "C:" or empty
  std::string dir;    // ends with a separator, or empty
  std::string name;   // base name without extension
  std::string ext;    // from the last dot of the last component, or empty
};

// Drive + dir + name + ext gives back the (at most kMaxPath long) path when no
// part is longer than its field; a longer part is cut to its field less one.
PathParts SplitPath(std::string_view path, PathStyle style = kNativePathStyle);

struct ArchiveState;

// The folder beside the archive named after it: drive, dir and name of the
// opened file followed by a separator.
std::string ExportFolder(const ArchiveState& state, char separator = kNativeSeparator);

// The base name of a resource name, which may use either separator and a
// drive whatever the platform: the part after the last separator (or a
// leading drive's colon), up to its last dot.
std::string ResourceBaseName(std::string_view resource_name);

}  // namespace asrkit
