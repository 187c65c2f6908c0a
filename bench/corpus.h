// Benchmark corpora made from the sample camera pictures.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kamelune::bench {

// The real camera pictures among the samples (not the damaged or unusual test files).
std::vector<std::string> CameraSamples(const std::string& samplesDir);

// Fills dir with count copies of the camera samples, round robin, named so that their order is
// the order of the copies. Reuses a folder that already holds them.
std::vector<std::string> MakeCameraCorpus(const std::string& samplesDir, const std::string& dir,
                                          int count);

// Seconds of wall-clock time for fn.
double TimeSeconds(const std::function<void()>& fn);
// Wall-clock seconds of a shell command, or a negative number when it failed or is missing.
double TimeCommand(const std::string& command);
// The shortest of n runs of a command (cache warm from the runs before), negative when it failed.
double BestOf(int n, const std::string& command);
// Programs run without a shell (output to /dev/null), taken in turn for the given rounds: the
// shortest time of each, or a negative number for one that could not run or failed.
std::vector<double> BestOfEach(int rounds, const std::vector<std::vector<std::string>>& programs);

} // namespace kamelune::bench

namespace kamelune::bench {

// Camera-like pictures: width × height of noisy detail, encoded at quality 92, count files named
// BIG_0001.jpg … in dir (reused when present).
std::vector<std::string> MakeLargeCorpus(const std::string& dir, int count, int width = 4000,
                                         int height = 3000);

} // namespace kamelune::bench
