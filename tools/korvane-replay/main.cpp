// korvane-replay: prints the screen that recorded host output leaves, or the
// throughput of the byte-to-screen path on it.

#include <iostream>

#include "tools/korvane-replay/Replay.h"

int main(int argc, char** argv) {
  using namespace korvane::replay;
  Options options;
  std::string error;
  if (!ParseArguments(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::cerr
        << "korvane-replay: " << error << "\n"
        << "usage: korvane-replay [--emulation NAME] [--rows R] [--cols C] [--attrs] [--state] [--bench] FILE...\n";
    return kUsage;
  }
  return Run(options, argc, argv, std::cout, std::cerr);
}
