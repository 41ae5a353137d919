// The archive state's flags and releases, and replacing one block.
#include "archive_state.h"

#include <gtest/gtest.h>

#include "archive_builder.h"
#include "archive_format.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::Bytes;
using testing::PlainChunk;

TEST(ArchiveStateTest, ReleasesDoNothingAtStartAndWhenRepeated) {
  ArchiveState state;
  FreeChunkTable(state);
  FreeImage(state);
  EXPECT_FALSE(state.ImageLoaded);
  EXPECT_FALSE(state.TableBuilt);
  EXPECT_EQ(state.ChunkCount, 0);

  testing::BuildTable(state, {PlainChunk("ABCD", 16), PlainChunk("EFGH", 8)});
  state.ArchiveImage = ByteBuffer::Zeroed(4);
  state.ImageLoaded = true;
  for (int call = 0; call < 2; ++call) {
    FreeChunkTable(state);
    FreeImage(state);
    EXPECT_FALSE(state.TableBuilt) << "call " << call;
    EXPECT_FALSE(state.ImageLoaded) << "call " << call;
    EXPECT_EQ(state.ChunkCount, 0) << "call " << call;
    EXPECT_TRUE(state.ChunkBlocks.empty()) << "call " << call;
    EXPECT_TRUE(state.ChunkSizes.empty()) << "call " << call;
    EXPECT_TRUE(state.ChunkTags.empty()) << "call " << call;
    EXPECT_EQ(state.ArchiveImage.size(), 0) << "call " << call;
  }
  EXPECT_EQ(state.ArchiveName, "level1") << "no release clears the path parts";
}

TEST(ArchiveStateTest, ChunkRowsAreOneToChunkCount) {
  ArchiveState state;
  EXPECT_FALSE(IsChunkRow(state, 0));
  EXPECT_FALSE(IsChunkRow(state, 1)) << "an empty table has no rows";
  testing::BuildTable(state, {PlainChunk("ABCD", 16), PlainChunk("EFGH", 8)});
  EXPECT_FALSE(IsChunkRow(state, -1));
  EXPECT_FALSE(IsChunkRow(state, 0)) << "row 0 is the header row";
  EXPECT_TRUE(IsChunkRow(state, 1));
  EXPECT_TRUE(IsChunkRow(state, 2));
  EXPECT_FALSE(IsChunkRow(state, 3));
}

TEST(ArchiveStateTest, ReplaceBlockChangesOnlyThatChunk) {
  ArchiveState state;
  const Bytes first = PlainChunk("ABCD", 16);
  const Bytes last = PlainChunk("IJKL", 12);
  testing::BuildTable(state, {first, PlainChunk("EFGH", 8), last});
  const Bytes replacement = testing::ToBytes("RSCF-and-more-bytes");
  ReplaceBlock(state, 1, ByteBuffer::CopyOf(replacement));

  EXPECT_EQ(state.ChunkCount, 3);
  EXPECT_TRUE(state.TableBuilt);
  EXPECT_EQ(state.ChunkSizes[1], static_cast<std::int32_t>(replacement.size()));
  EXPECT_EQ(state.ChunkTags[1], TagRSCF);
  EXPECT_EQ(testing::ToVector(ChunkBytes(state, 1)), replacement);
  EXPECT_EQ(testing::ToVector(ChunkBytes(state, 0)), first);
  EXPECT_EQ(testing::ToVector(ChunkBytes(state, 2)), last);
}

}  // namespace
}  // namespace asrkit
