// Times decoding a 2048 x 2048 DXT5 texture against ImageMagick decoding the
// same file (`convert big.dds rgba:/dev/null`), in one run on one machine.
// Not a test: run it by hand, `asrkit_preview_timing [runs]`.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "archive_builder.h"
#include "dds_decode.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

template <typename Work>
double Best(int runs, Work work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    if (!work()) return -1;
    best = std::min(best, Milliseconds(Clock::now() - start));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace asrkit;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  testing::TempDir dir;
  const std::string dds = dir / "big.dds";
  const std::string make =
      "convert -size 2048x2048 gradient:red-blue -swirl 180 -alpha on "
      "-channel A -fx 'i/w' +channel -define dds:compression=dxt5 " +
      dds;
  if (std::system(make.c_str()) != 0) {
    std::fprintf(stderr, "could not make %s with ImageMagick\n", dds.c_str());
    return 1;
  }

  const double ours_with_read = Best(runs, [&] {
    const auto payload = testing::ReadFile(dds);
    return preview::DecodeDds(payload).status.ok();
  });
  const auto payload = testing::ReadFile(dds);
  const double ours = Best(runs, [&] { return preview::DecodeDds(payload).status.ok(); });
  const std::string theirs_command = "convert " + dds + " rgba:/dev/null";
  const double theirs = Best(runs, [&] { return std::system(theirs_command.c_str()) == 0; });

  std::printf("2048 x 2048 DXT5, best of %d runs\n", runs);
  std::printf("  DecodeDds (payload in memory)   %8.1f ms\n", ours);
  std::printf("  DecodeDds (file read + decode)  %8.1f ms\n", ours_with_read);
  std::printf("  convert big.dds rgba:/dev/null  %8.1f ms\n", theirs);
  return ours < 0 || theirs < 0 ? 1 : 0;
}
