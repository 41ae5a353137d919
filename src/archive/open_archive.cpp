#include "open_archive.h"

#include <limits>

#include "archive_format.h"
#include "archive_state.h"
#include "chunk_walk.h"
#include "file_io.h"
#include "messages.h"
#include "path_parts.h"

namespace asrkit {

namespace {

Status LogFailure(OpenListener& listener, Status status) {
  listener.Log(status.message());
  return status;
}

}  // namespace

Status ReadArchiveImage(ArchiveState& state, const std::string& path, OpenListener& listener) {
  InputFile file;
  if (Status status = file.Open(path); !status.ok()) return LogFailure(listener, status);
  const std::int64_t size = file.Size();
  if (size < 0) {
    return LogFailure(listener, {ErrorKind::kCannotOpen, "Cannot find the size of " + path});
  }
  // Sizes are signed 32-bit throughout; refuse before anything is released or allocated.
  if (size > std::numeric_limits<std::int32_t>::max()) {
    return LogFailure(listener,
                      {ErrorKind::kTooLarge, "Cannot open a file of 2 GiB or more (" +
                                                 std::to_string(size) + " bytes): " + path});
  }
  PathParts parts = SplitPath(path);
  state.ArchiveDrive = std::move(parts.drive);
  state.ArchiveDir = std::move(parts.dir);
  state.ArchiveName = std::move(parts.name);
  state.ArchiveExt = std::move(parts.ext);
  listener.Log(std::string(msg::kDone) + path);
  const auto size32 = static_cast<std::int32_t>(size);
  listener.Log(std::string(msg::kFileSize) + std::to_string(size32) + std::string(msg::kBytes));

  FreeImage(state);
  FreeChunkTable(state);
  state.ArchiveImage = ByteBuffer::Uninitialised(size32);
  state.ImageLoaded = true;
  listener.Log(msg::kDecompressing);

  const std::int64_t read = file.Read(state.ArchiveImage.bytes());
  if (read != size) {
    return LogFailure(listener, {ErrorKind::kShortRead,
                                 "Read " + std::to_string(read < 0 ? 0 : read) + " of " +
                                     std::to_string(size) + " bytes, cannot go on: " + path});
  }
  state.ArchiveImageSize = size32;
  listener.Log(msg::kDone);
  listener.Log(msg::kExploring);
  listener.ImageRead(path);
  return Status::Ok();
}

Status ParseArchiveImage(ArchiveState& state, OpenListener& listener) {
  const auto image =
      state.ArchiveImage.bytes().first(static_cast<std::size_t>(state.ArchiveImageSize));
  switch (RecogniseHeader(image)) {
    case HeaderKind::kCompressed:
      return LogFailure(listener, {ErrorKind::kCompressed,
                                   "The archive is compressed (AsuraCmp) and cannot be read"});
    case HeaderKind::kUnrecognised:
      return LogFailure(listener,
                        {ErrorKind::kUnrecognised, "Not an Asura archive: unrecognised header"});
    case HeaderKind::kUncompressed:
      break;
  }
  listener.Log(msg::kHeaderDone);

  state.ChunkCount = 0;
  const WalkResult walk = CountChunks(image);
  if (!walk.status.ok()) return LogFailure(listener, walk.status);
  state.ChunkCount = walk.count;
  listener.Log(std::string(msg::kFound) + std::to_string(state.ChunkCount) +
               std::string(msg::kChunksOfData));

  listener.TableAllocated(state.ChunkCount);
  CopyChunks(image, state.ChunkCount, state);
  listener.ChunksCopied();
  state.TableBuilt = true;
  FreeImage(state);
  return Status::Ok();
}

Status OpenArchive(ArchiveState& state, const std::string& path, OpenListener& listener) {
  if (Status status = ReadArchiveImage(state, path, listener); !status.ok()) return status;
  return ParseArchiveImage(state, listener);
}

Status OpenArchive(ArchiveState& state, const std::string& path) {
  OpenListener quiet;
  return OpenArchive(state, path, quiet);
}

}  // namespace asrkit
