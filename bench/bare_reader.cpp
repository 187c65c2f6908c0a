// The least a folder read can do: list the folder, and open each JPEG file and read its first
// 64 KB. The yardstick kamelune-table is measured against.
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <strings.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare_reader DIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 1;
    static char buffer[65536];
    long bytes = 0;
    int files = 0;
    while (const dirent* e = ::readdir(dir)) {
        const char* dot = std::strrchr(e->d_name, '.');
        if (!dot || (::strcasecmp(dot, ".jpg") != 0 && ::strcasecmp(dot, ".jpeg") != 0)) continue;
        const int fd = ::open((folder + "/" + e->d_name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) bytes += n;
        ::close(fd);
        ++files;
    }
    ::closedir(dir);
    std::printf("%d files, %ld bytes\n", files, bytes);
    return 0;
}
