// Opening an archive: read the chosen file whole, recognise its header, walk
// and copy its chunks into the table. Both front ends run these steps and are
// told of each one through an OpenListener.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "result.h"

namespace asrkit {

struct ArchiveState;

class OpenListener {
 public:
  virtual ~OpenListener() = default;
  virtual void Log(std::string_view /*line*/) {}
  // The whole file was read: the window shows its name as the title.
  virtual void ImageRead(const std::string& /*path*/) {}
  // The walk found `count` chunks and the table is about to be filled: size
  // the list and set the progress maximum.
  virtual void TableAllocated(std::int32_t /*count*/) {}
  // Every chunk is copied; the table is not yet marked built.
  virtual void ChunksCopied() {}
};

// Opens `path`, releases what the state held, and reads the file whole into
// ArchiveImage. Returns ok only after a complete read; the status of a failure
// is also logged. A file that cannot be opened, or of 2 GiB or more, leaves
// the state as it was.
Status ReadArchiveImage(ArchiveState& state, const std::string& path, OpenListener& listener);

// Recognises the image's header and builds the chunk table from it, releasing
// the image. A compressed, unrecognised or malformed archive leaves the image
// held and the table empty.
Status ParseArchiveImage(ArchiveState& state, OpenListener& listener);

// Both steps, for callers that need nothing between them.
Status OpenArchive(ArchiveState& state, const std::string& path, OpenListener& listener);
Status OpenArchive(ArchiveState& state, const std::string& path);

}  // namespace asrkit
