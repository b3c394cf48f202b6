#include "platform/RegularFile.h"
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder, not a file";
#ifdef S_ISFIFO
    if (S_ISFIFO(mode)) return "is a pipe, not a file";
#endif
    return "is not a regular file";
}

} // namespace

#ifndef _WIN32
std::FILE* OpenRegularFile(const char* path, std::string& problem) {
    // Non-blocking, so that opening a FIFO returns at once; then only a regular file is kept.
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = std::strerror(errno);
        return nullptr;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        problem = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = KindOf(info.st_mode);
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        problem = std::strerror(errno);
        ::close(fd);
    }
    return file;
}
#else
std::FILE* OpenRegularFile(const char* path, std::string& problem) {
    struct _stat64 info;
    if (::_stat64(path, &info) != 0) {
        problem = std::strerror(errno);
        return nullptr;
    }
    if (!(info.st_mode & _S_IFREG)) {
        problem = KindOf(info.st_mode);
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (!file) problem = std::strerror(errno);
    return file;
}
#endif
