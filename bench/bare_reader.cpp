// The least a folder read can do: list the folder, and open each JPEG file and read its first
// 64 KB (or the bytes --bytes N says), on one thread. The yardstick kamelune-table is measured
// against.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <strings.h>
#include <unistd.h>

int main(int argc, char** argv) {
    static char buffer[65536];
    std::size_t size = sizeof buffer;
    if (argc == 4 && std::strcmp(argv[1], "--bytes") == 0) {
        size = std::strtoul(argv[2], nullptr, 10);
        argv += 2;
        argc -= 2;
    }
    if (argc != 2 || size == 0 || size > sizeof buffer) {
        std::fprintf(stderr, "usage: bare_reader [--bytes N] DIR  (N at most 65536)\n");
        return 2;
    }
    const std::string folder = argv[1];
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 1;
    long bytes = 0;
    int files = 0;
    while (const dirent* e = ::readdir(dir)) {
        const char* dot = std::strrchr(e->d_name, '.');
        if (!dot || (::strcasecmp(dot, ".jpg") != 0 && ::strcasecmp(dot, ".jpeg") != 0)) continue;
        const int fd = ::open((folder + "/" + e->d_name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        const ssize_t n = ::read(fd, buffer, size);
        if (n > 0) bytes += n;
        ::close(fd);
        ++files;
    }
    ::closedir(dir);
    std::printf("%d files, %ld bytes\n", files, bytes);
    return 0;
}
