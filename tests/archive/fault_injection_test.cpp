// Every writer against real failures, not mocks: a disk that fills part-way
// (a file size limit in a child process), a missing folder, a file standing
// where the export folder should be, a folder standing where the file should
// be. And every reader against a file that is shorter than its size says, and
// a folder. Each must say what failed, keep the earlier file and leave no
// temporary file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "archive_builder.h"
#include "archive_writer.h"
#include "chunk_file.h"
#include "open_archive.h"
#include "path_parts.h"
#include "payload_file.h"
#include "state_helpers.h"

namespace asrkit::testing {
namespace {

namespace fs = std::filesystem;
using testing::PrintTo;

struct Writer {
  std::string name;
  std::function<Status(const ArchiveState&)> write;
  std::function<std::string(const ArchiveState&)> target;
};

Status FirstFailureOfExportAll(const ArchiveState& state) {
  Status first;
  ExportAllChunks(state, NoProgress(), [&](const Status& status) {
    if (first.ok()) first = status;
  });
  return first;
}

const Writer kWriters[] = {
    {"SaveAs",
     [](const ArchiveState& state) {
       return SaveArchive(state, ExportFolder(state) + "saved.asr");
     },
     [](const ArchiveState& state) { return ExportFolder(state) + "saved.asr"; }},
    {"ExportChunk", [](const ArchiveState& state) { return ExportChunk(state, 0).status; },
     [](const ArchiveState& state) { return ExportFolder(state) + ChunkFileName(0); }},
    {"ExportAll", FirstFailureOfExportAll,
     [](const ArchiveState& state) { return ExportFolder(state) + ChunkFileName(0); }},
    {"SaveToFile", [](const ArchiveState& state) { return ExportPayload(state, 1).status; },
     [](const ArchiveState& state) { return PayloadFilePath(state, 1); }},
};

enum class Fault {
  kDiskFull,
  kDiskFullNoEarlierFile,
  kMissingFolder,
  kBlockedFolder,
  kTargetIsFolder
};

struct FaultCase {
  std::string name;
  Fault fault;
};

const FaultCase kFaults[] = {
    {"DiskFull", Fault::kDiskFull},
    {"DiskFullNoEarlierFile", Fault::kDiskFullNoEarlierFile},
    {"MissingFolder", Fault::kMissingFolder},
    {"BlockedFolder", Fault::kBlockedFolder},
    {"TargetIsFolder", Fault::kTargetIsFolder},
};

// Every name below `root` that a writer could have left behind mid-way.
std::vector<std::string> TemporaryFiles(const fs::path& root) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path().filename().string().starts_with(".asrkit-"))
      found.push_back(entry.path().string());
  }
  return found;
}

class WriterFaultTest : public ::testing::TestWithParam<std::tuple<Writer, FaultCase>> {};

TEST_P(WriterFaultTest, ReportsTheFailureKeepsTheEarlierFileAndLeavesNothingBehind) {
  const auto& [writer, fault] = GetParam();
  TempDir dir;
  ArchiveState state;
  // Large enough that a 16 KiB limit stops every writer part-way.
  BuildTable(
      state,
      {PlainChunk("ENVS", 64 * 1024), ResourceChunk("tex\\wall.tga", Payload("DDS ", 64 * 1024))},
      dir.path().string() + "/");
  const std::string target = writer.target(state);
  const std::string folder = ExportFolder(state);
  const Bytes earlier = ToBytes("the earlier file");

  Status status;
  switch (fault.fault) {
    case Fault::kDiskFull:
      fs::create_directory(folder);
      WriteFile(target, earlier);
      [[fallthrough]];
    case Fault::kDiskFullNoEarlierFile: {
#ifdef _WIN32
      GTEST_SKIP() << "Windows has no file size limit to fill the disk with";
#else
      fs::create_directory(folder);
      const int child_result = WithFileSizeLimit(16 * 1024, [&] { return writer.write(state); });
      ASSERT_NE(child_result, 3) << "the file size limit could not be set";
      EXPECT_EQ(child_result, 1) << "a full disk must be reported as a write failure";
#endif
      break;
    }
    case Fault::kMissingFolder:
      state.ArchiveDir = (dir.path() / "missing").string() + "/";
      status = writer.write(state);
      break;
    case Fault::kBlockedFolder:
      WriteFile(dir / "level1", earlier);
      status = writer.write(state);
      EXPECT_EQ(ReadFile(dir / "level1"), earlier) << "the file in the folder's place was touched";
      break;
    case Fault::kTargetIsFolder:
      fs::create_directories(target);
      status = writer.write(state);
      EXPECT_TRUE(fs::is_directory(target));
      EXPECT_TRUE(fs::is_empty(target));
      break;
  }
  if (fault.fault != Fault::kDiskFull && fault.fault != Fault::kDiskFullNoEarlierFile) {
    EXPECT_FALSE(status.ok()) << "a failure reported as success";
    EXPECT_EQ(status.kind(), ErrorKind::kWriteFailed);
    EXPECT_NE(status.message().find(writer.target(state)), std::string::npos)
        << "the line must name the path: " << status.message();
  }
  if (fault.fault == Fault::kDiskFull) {
    EXPECT_EQ(ReadFile(target), earlier) << "the earlier file was not kept";
  }
  if (fault.fault == Fault::kDiskFullNoEarlierFile) {
    EXPECT_FALSE(fs::exists(target)) << "a partial file was left under the final name";
  }
  EXPECT_FALSE(fs::exists(BackupName(target))) << "nothing was replaced, so nothing to back up";
  EXPECT_EQ(TemporaryFiles(dir.path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Writers, WriterFaultTest,
                         ::testing::Combine(::testing::ValuesIn(kWriters),
                                            ::testing::ValuesIn(kFaults)),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name;
                         });

// A regular file whose size says more than a read gives: what a file that
// shrinks between the size check and the read looks like. Files of the kernel's
// sysfs report a size of a page and hold a few bytes.
std::string ShrinkingFile() {
  for (const char* path : {"/sys/kernel/mm/transparent_hugepage/enabled", "/sys/power/state",
                           "/sys/kernel/profiling"}) {
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) == 0) continue;
    std::ifstream in(path, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (content.size() < fs::file_size(path, error)) return path;
  }
  return {};
}

struct Reader {
  std::string name;
  std::function<Status(ArchiveState&, const std::string&)> read;
};

const Reader kReaders[] = {
    {"Open",
     [](ArchiveState& state, const std::string& path) {
       OpenListener quiet;
       return ReadArchiveImage(state, path, quiet);
     }},
    {"ImportChunk",
     [](ArchiveState& state, const std::string& path) { return ReadChunkFile(state, 1, path); }},
    {"ImportPayload",
     [](ArchiveState& state, const std::string& path) { return ImportPayload(state, 1, path); }},
};

class ReaderFaultTest : public ::testing::TestWithParam<Reader> {
 protected:
  void SetUp() override {
    BuildTable(state_, {PlainChunk("ENVS", 64), ResourceChunk("a.tga", Payload("DDS ", 32))});
  }
  void ExpectRefusedAndUnchanged(const Status& status, ErrorKind kind, const std::string& path) {
    EXPECT_EQ(status.kind(), kind) << status.message();
    EXPECT_NE(status.message().find(path), std::string::npos) << status.message();
    EXPECT_EQ(status.message().find('\n'), std::string::npos) << "one line";
    EXPECT_EQ(state_.ChunkCount, 2);
    EXPECT_EQ(ToVector(ChunkBytes(state_, 1)), ResourceChunk("a.tga", Payload("DDS ", 32)));
  }
  ArchiveState state_;
};

TEST_P(ReaderFaultTest, RefusesAFileShorterThanItsSize) {
  const std::string path = ShrinkingFile();
  if (path.empty()) GTEST_SKIP() << "no file here reads shorter than its size";
  const Status status = GetParam().read(state_, path);
  if (GetParam().name == "Open") {
    // The open has already let the previous archive go; what matters is that
    // the short image is not taken for an archive.
    EXPECT_EQ(status.kind(), ErrorKind::kShortRead) << status.message();
    EXPECT_FALSE(state_.TableBuilt);
    return;
  }
  ExpectRefusedAndUnchanged(status, ErrorKind::kShortRead, path);
}

TEST_P(ReaderFaultTest, RefusesAFolder) {
  TempDir dir;
  const Status status = GetParam().read(state_, dir.path().string());
  ExpectRefusedAndUnchanged(status, ErrorKind::kCannotOpen, dir.path().string());
}

INSTANTIATE_TEST_SUITE_P(Readers, ReaderFaultTest, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace asrkit::testing
