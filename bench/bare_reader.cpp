// The least a folder read can do: list the folder, and open each JPEG file and read its first
// 64 KB (or the bytes --bytes N says), on one thread. The yardstick kamelune-table is measured
// against. With --pages LIST, each file LIST names ("NAME OFFSET..." lines) is read as the EXIF
// reader needs it: the 4 KB page at its start and the page at each offset.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    static char buffer[65536];
    std::size_t size = sizeof buffer;
    std::map<std::string, std::vector<long>> pages;
    const bool paged = argc == 4 && std::strcmp(argv[1], "--pages") == 0;
    if (paged) {
        std::ifstream list(argv[2]);
        for (std::string line; std::getline(list, line);) {
            std::istringstream words(line);
            std::string name;
            words >> name;
            auto& offsets = pages[name];
            offsets.push_back(0);
            for (long at; words >> at;)
                offsets.push_back(at / 4096 * 4096);
        }
        argv += 2;
        argc -= 2;
    } else if (argc == 4 && std::strcmp(argv[1], "--bytes") == 0) {
        size = std::strtoul(argv[2], nullptr, 10);
        argv += 2;
        argc -= 2;
    }
    if (argc != 2 || size == 0 || size > sizeof buffer) {
        std::fprintf(stderr, "usage: bare_reader [--bytes N | --pages LIST] DIR  (N at most "
                             "65536)\n");
        return 2;
    }
    const std::string folder = argv[1];
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 1;
    long bytes = 0;
    int files = 0;
    while (const dirent* e = ::readdir(dir)) {
        const char* dot = std::strrchr(e->d_name, '.');
        const auto listed = pages.find(e->d_name);
        if (paged ? listed == pages.end()
                  : !dot || (::strcasecmp(dot, ".jpg") != 0 && ::strcasecmp(dot, ".jpeg") != 0))
            continue;
        const int fd = ::open((folder + "/" + e->d_name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        if (paged) {
            long last = -1;
            for (const long at : listed->second) {
                if (at == last) continue;
                const ssize_t n = ::pread(fd, buffer, 4096, at);
                if (n > 0) bytes += n;
                last = at;
            }
        } else {
            const ssize_t n = ::read(fd, buffer, size);
            if (n > 0) bytes += n;
        }
        ::close(fd);
        ++files;
    }
    ::closedir(dir);
    std::printf("%d files, %ld bytes\n", files, bytes);
    return 0;
}
