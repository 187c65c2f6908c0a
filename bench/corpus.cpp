#include "corpus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kamelune::bench {
namespace fs = std::filesystem;

std::vector<std::string> CameraSamples(const std::string& samplesDir) {
    std::vector<std::string> files;
    const fs::path root = samplesDir;
    for (const char* sub : {"", "exif-org", "gps", "hdr", "mobile", "orientation"}) {
        const fs::path dir = root / sub;
        if (!fs::is_directory(dir)) continue;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string ext = e.path().extension().string();
            if (e.is_regular_file() && (ext == ".jpg" || ext == ".JPG") &&
                e.path().filename() != "corrupted.jpg")
                files.push_back(e.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> MakeCameraCorpus(const std::string& samplesDir, const std::string& dir,
                                          int count) {
    const auto samples = CameraSamples(samplesDir);
    std::vector<std::string> files;
    if (samples.empty()) return files;
    fs::create_directories(dir);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%05d.jpg", i + 1);
        const fs::path target = fs::path(dir) / name;
        const std::string& source = samples[i % samples.size()];
        if (!fs::exists(target) || fs::file_size(target) != fs::file_size(source))
            fs::copy_file(source, target, fs::copy_options::overwrite_existing);
        files.push_back(target.string());
    }
    return files;
}

double TimeSeconds(const std::function<void()>& fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeCommand(const std::string& command) {
    int status = 0;
    const double t =
        TimeSeconds([&] { status = std::system((command + " >/dev/null 2>&1").c_str()); });
    // Exit status 127: the shell did not find the command. Other statuses are the tool's verdict
    // on some file, which does not make the timing wrong.
    return WIFEXITED(status) && WEXITSTATUS(status) == 127 ? -1.0 : t;
}

namespace {

double RunSeconds(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = 0;
    const double t = TimeSeconds([&] {
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            status = -1;
        else
            ::waitpid(pid, &status, 0);
    });
    posix_spawn_file_actions_destroy(&actions);
    return status == 0 ? t : -1.0;
}

} // namespace

std::vector<double> BestOfEach(int rounds, const std::vector<std::vector<std::string>>& programs) {
    std::vector<double> best(programs.size(), 1e9);
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < programs.size(); ++k) {
            const double t = best[k] < 0 ? -1.0 : RunSeconds(programs[k]);
            best[k] = t < 0 ? -1.0 : std::min(best[k], t);
        }
    }
    return best;
}

double BestOf(int n, const std::string& command) {
    double best = 1e9;
    for (int i = 0; i < n; ++i) {
        const double t = TimeCommand(command);
        if (t < 0) return t;
        best = std::min(best, t);
    }
    return best;
}

} // namespace kamelune::bench

#include "platform/Jpeg.h"

#include <random>

namespace kamelune::bench {

std::vector<std::string> MakeLargeCorpus(const std::string& dir, int count, int width, int height) {
    fs::create_directories(dir);
    std::vector<std::string> files;
    std::mt19937 random(12345);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "BIG_%04d.jpg", i + 1);
        const fs::path path = fs::path(dir) / name;
        files.push_back(path.string());
        if (fs::exists(path)) continue;
        // Smooth gradients with sensor-like noise: costs the decoder what a camera file does.
        RgbImage img(width, height);
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = img.RowPtr(y);
            for (int x = 0; x < width; ++x) {
                const int noise = static_cast<int>(random() % 48) - 24;
                row[x * 3] = static_cast<std::uint8_t>(std::clamp(x * 255 / width + noise, 0, 255));
                row[x * 3 + 1] =
                    static_cast<std::uint8_t>(std::clamp(y * 255 / height + noise, 0, 255));
                row[x * 3 + 2] =
                    static_cast<std::uint8_t>(std::clamp(128 + (i * 40) % 100 + noise, 0, 255));
            }
        }
        if (const FileResult r = WriteJpegFile(img, 92, path.string()); !r) {
            std::fprintf(stderr, "%s\n", r.error.c_str());
            std::exit(1);
        }
    }
    return files;
}

} // namespace kamelune::bench
