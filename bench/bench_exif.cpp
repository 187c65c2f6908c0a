// The EXIF pass over a folder of 2,000 camera pictures: the kind and the items of every file in
// one read, warm cache, one thread. Compared, in the same run, with a bare read of the first
// 8 KB of every file and with exiftool and exiv2 reading the same folder.
#include "corpus.h"
#include "exif/ExifReader.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kamelune;

namespace {

void BareRead(const std::vector<std::string>& files) {
    static char buffer[8192];
    for (const auto& f : files) {
        const int fd = ::open(f.c_str(), O_RDONLY);
        if (fd < 0) continue;
        if (::read(fd, buffer, sizeof buffer) < 0) std::perror("read");
        ::close(fd);
    }
}

// As a folder read does it: one open and head read of each file for its kind and its items.
int ExifPass(const std::vector<std::string>& files) {
    int exif = 0;
    FileKind kind = FileKind::Unread, quick = FileKind::Unknown;
    ExifItemTexts items;
    for (const auto& f : files) {
        ReadExifFile(f, kind, items, {}, &quick);
        exif += quick == FileKind::Exif;
    }
    return exif;
}

// Runs the pass in a child process and returns its peak resident memory in MB.
double PassPeakMb(const std::vector<std::string>& files) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ExifPass(files);
        ::_exit(0);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss / 1024.0;
}

double Best(int runs, const std::function<void()>& fn) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, bench::TimeSeconds(fn));
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const std::string samples = argc > 1 ? argv[1] : "tests/data/samples";
    const std::string dir = argc > 2 ? argv[2] : "build/bench-corpus";
    const auto files = bench::MakeCameraCorpus(samples, dir, 2000);
    if (files.empty()) {
        std::fprintf(stderr, "no camera samples under %s\n", samples.c_str());
        return 2;
    }
    BareRead(files); // warm the cache
    ExifPass(files);
    const double bare = Best(5, [&] { BareRead(files); });
    int exifCount = 0;
    const double pass = Best(5, [&] { exifCount = ExifPass(files); });
    std::printf("exif pass: %zu files (%d EXIF), %.1f ms, %.0f files/s\n", files.size(), exifCount,
                pass * 1000, files.size() / pass);
    std::printf("bare 8 KB read: %.1f ms; pass / bare = %.2f (target <= 10)\n", bare * 1000,
                pass / bare);
    std::printf("peak memory of the pass: %.1f MB (target < 20)\n", PassPeakMb(files));

    const std::string glob = "'" + dir + "'/*.jpg";
    const double exiftool = bench::TimeCommand("exiftool -fast2 -q " + glob);
    const double exiv2 = bench::TimeCommand("exiv2 -q -Pkv " + glob);
    if (exiftool > 0)
        std::printf("exiftool -fast2: %.0f ms; kamelune pass is %.1fx faster\n", exiftool * 1000,
                    exiftool / pass);
    else
        std::printf("exiftool: not available\n");
    if (exiv2 > 0)
        std::printf("exiv2 -Pkv: %.0f ms; kamelune pass is %.1fx faster\n", exiv2 * 1000,
                    exiv2 / pass);
    else
        std::printf("exiv2: not available\n");
    return 0;
}
