#include "path_parts.h"

#include <cctype>

#include "archive_state.h"

namespace asrkit {

namespace {

bool IsSeparator(char c, PathStyle style) {
  return c == '/' || (style == PathStyle::kWindows && c == '\\');
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::string Cut(std::string_view part, std::size_t field) {
  return std::string(part.substr(0, field - 1));
}

// Splits the last component at its last dot; a name that is all extension
// (".bashrc") still counts its dot as the extension's start.
void SplitName(std::string_view last, std::string_view& name, std::string_view& ext) {
  const auto dot = last.rfind('.');
  if (dot == std::string_view::npos) {
    name = last;
    ext = {};
  } else {
    name = last.substr(0, dot);
    ext = last.substr(dot);
  }
}

}  // namespace

PathParts SplitPath(std::string_view path, PathStyle style) {
  path = path.substr(0, kMaxPath);
  std::string_view drive;
  if (style == PathStyle::kWindows && HasDrive(path)) {
    drive = path.substr(0, 2);
    path.remove_prefix(2);
  }
  std::size_t last_sep = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsSeparator(path[i], style)) last_sep = i;
  }
  const std::string_view dir =
      last_sep == std::string_view::npos ? std::string_view{} : path.substr(0, last_sep + 1);
  std::string_view name, ext;
  SplitName(path.substr(dir.size()), name, ext);
  return {Cut(drive, kDriveField), Cut(dir, kDirField), Cut(name, kNameField), Cut(ext, kExtField)};
}

std::string ExportFolder(const ArchiveState& state, char separator) {
  return state.ArchiveDrive + state.ArchiveDir + state.ArchiveName + separator;
}

std::string ResourceBaseName(std::string_view resource_name) {
  if (HasDrive(resource_name)) resource_name.remove_prefix(2);
  const auto sep = resource_name.find_last_of("/\\");
  if (sep != std::string_view::npos) resource_name.remove_prefix(sep + 1);
  std::string_view name, ext;
  SplitName(resource_name, name, ext);
  return std::string(name);
}

}  // namespace asrkit
