// The replay driver of the ordinary builds: runs a fuzz target's entry function on every file
// named on the command line (a folder stands for every file under it), without libFuzzer, so
// the committed corpora and reproducers are tests wherever the project builds.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsUnder(const fs::path& given) {
  std::vector<fs::path> inputs;
  if (fs::is_directory(given)) {
    for (const auto& entry : fs::recursive_directory_iterator(given)) {
      if (entry.is_regular_file()) {
        inputs.push_back(entry.path());
      }
    }
    std::sort(inputs.begin(), inputs.end());
  } else {
    inputs.push_back(given);
  }
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
    return 2;
  }
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const fs::path& input : inputsUnder(argv[i])) {
      std::ifstream in(input, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "cannot read %s\n", input.c_str());
        return 1;
      }
      const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      // Named before it runs: a crash leaves the culprit as the last line.
      std::fprintf(stderr, "replaying %s\n", input.c_str());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::fprintf(stderr, "no input to replay\n");
    return 1;
  }
  std::printf("replayed %zu inputs\n", replayed);
  return 0;
}
