// Bounded reading of input files, and output files written beside their path and renamed.
#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace vekora {
namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

std::string Reason() { return errno != 0 ? std::strerror(errno) : "unknown error"; }

std::string TooLarge(std::size_t maxBytes) {
    return "larger than " + std::to_string(maxBytes >> 20) + " MB, more than any lesson needs";
}

// "dir/.name.tmp-PID-N.ext" for "dir/name.ext": hidden, unlikely to meet another writer's, and
// with the extension last for the libraries that choose a format by it.
std::string TempNameFor(const std::string& path, unsigned attempt) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) dot = path.size();
    return path.substr(0, nameStart) + "." + path.substr(nameStart, dot - nameStart) + ".tmp-" +
           std::to_string(::getpid()) + "-" + std::to_string(attempt) + path.substr(dot);
}

}  // namespace

FileContent ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    FileContent content;
    errno = 0;
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0) {
        content.error = Reason();
        return content;
    }
    if (S_ISDIR(status.st_mode)) {
        content.error = std::strerror(EISDIR);
        return content;
    }
    if (S_ISREG(status.st_mode) && static_cast<std::size_t>(status.st_size) > maxBytes) {
        content.error = TooLarge(maxBytes);
        return content;
    }
    if (S_ISREG(status.st_mode)) content.bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            content.error = Reason();
            break;
        }
        if (got == 0) break;
        if (content.bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            content.error = TooLarge(maxBytes);
            break;
        }
        content.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (!content.error.empty()) content.bytes = std::string();
    return content;
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = TempNameFor(path_, attempt);
        errno = 0;
        // 0666 less the umask: the permissions a file created at the path would get.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            tempPath_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST) break;
    }
    error_ = path_ + ": cannot create a file beside it (" + Reason() + ")";
}

AtomicFile::~AtomicFile() { Discard(); }

std::string AtomicFile::Commit() {
    if (!Ready()) return error_.empty() ? path_ + ": nothing to write" : error_;
    errno = 0;
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        error_ = path_ + ": cannot put the file in place (" + Reason() + ")";
        Discard();
        return error_;
    }
    committed_ = true;
    return "";
}

void AtomicFile::Discard() {
    if (tempPath_.empty() || committed_) return;
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

}  // namespace vekora
