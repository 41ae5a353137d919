// The log lines both front ends show, exactly as users and their scripts know
// them; several end in blanks that matter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace asrkit::msg {

// Open
inline constexpr std::string_view kOpeningFile = "Opening file...";
inline constexpr std::string_view kCancelledOpen = "Cancelled! ";
inline constexpr std::string_view kDone = "Done   ";
inline constexpr std::string_view kFileSize = "File size ";
inline constexpr std::string_view kBytes = " bytes";
inline constexpr std::string_view kDecompressing = "Decompressing Asura file.....";
inline constexpr std::string_view kExploring = "Exploring files...";
inline constexpr std::string_view kHeaderDone = "Done       ";
inline constexpr std::string_view kFound = "Found ";
inline constexpr std::string_view kChunksOfData = " Chunks of data";

// Save As
inline constexpr std::string_view kConfirmText = "Do you want to confirm?";
inline constexpr std::string_view kConfirmCaption = "Save As    ";
inline constexpr std::string_view kSavingFile = "Saving the file...";
inline constexpr std::string_view kCancelled = "Cancelled!";
inline constexpr std::string_view kSaved = "Saved.";
inline constexpr std::string_view kBackupSuffix = ".backup";

// Chunk files
inline constexpr std::string_view kExportAllText =
    "All chunks of data contained in this file will be saved to a new folder. Do you want to "
    "continue?";
inline constexpr std::string_view kExportAllCaption = "Saving Chunks";
inline constexpr std::string_view kSavingChunks = "Saving chunks...                ";
inline constexpr std::string_view kSavedAll = "Saved.     ";
inline constexpr std::string_view kChunkSavedTo = "Chunk saved to: ";
inline constexpr std::string_view kLoadingChunk = "Loading RSCF chunk...";
inline constexpr std::string_view kChunkLoaded = "Chunk loaded: ";
inline constexpr std::string_view kChunksSeparator = "   chunks ";

// Payload files
inline constexpr std::string_view kSavedTo = "Saved to: ";
inline constexpr std::string_view kLoadingMaterial = "Loading material...     ";
inline constexpr std::string_view kFileLoaded = "File loaded: ";

// Lines that carry a number or a path.
inline std::string ChunkSavedLine(const std::string& path) {
  return std::string(kChunkSavedTo) + path;
}
inline std::string ChunkLoadedLine(std::int32_t index, const std::string& path) {
  return std::string(kChunkLoaded) + std::to_string(index + 1) + std::string(kChunksSeparator) +
         path;
}
inline std::string SavedToLine(const std::string& path) { return std::string(kSavedTo) + path; }
inline std::string FileLoadedLine(std::int32_t index, const std::string& path) {
  return std::string(kFileLoaded) + std::to_string(index + 1) + ": " + path;
}
// Said in place of "Saved.     " when some chunk files could not be written.
inline std::string ExportAllFailedLine(std::int32_t failed, std::int32_t total) {
  return "Not saved: " + std::to_string(failed) + " of " + std::to_string(total) +
         " chunk files could not be written";
}

}  // namespace asrkit::msg
