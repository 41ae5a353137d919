// Writing the chunk table out as an archive file: header, every block as long
// as its table entry, terminator.
#pragma once

#include <string>

#include "progress.h"
#include "result.h"

namespace asrkit {

struct ArchiveState;

// The chosen name with ".backup" appended to the whole name.
std::string BackupName(const std::string& path);

// Writes the archive to a temporary file beside `path`, moves an existing file
// at `path` to its backup name unless a backup exists already, and renames
// the new file into place. On failure `path` is as it was and no temporary
// file is left. Progress: maximum ChunkCount, position i after chunk i.
Status SaveArchive(const ArchiveState& state, const std::string& path,
                   ProgressSink& progress = NoProgress());

}  // namespace asrkit
