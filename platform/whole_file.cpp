// Bounded reading of input files, and output files written beside their path and renamed.
#include "platform/whole_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "i18n/language.h"

namespace vekora {
namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

std::string Reason() { return errno != 0 ? std::strerror(errno) : "unknown error"; }

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

// The path a file written at `path` lands on: symbolic links followed (a relative target from
// the link's folder), so that the link stays and the file it names is replaced. A chain longer
// than the system's own limit is left as the last link reached, which is then refused.
std::string FollowLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) return path;
        std::string next(target, static_cast<std::size_t>(length));
        const std::size_t slash = path.find_last_of('/');
        if (next[0] != '/' && slash != std::string::npos) next = path.substr(0, slash + 1) + next;
        path = std::move(next);
    }
    return path;
}

enum class OutputKind { Replaceable, Direct, Refused };

// What stands at `path` now: nothing or a regular file (replaced whole), a pipe or a device
// (written where it is: renaming a file over it would destroy it), or anything else.
OutputKind KindOfOutput(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return OutputKind::Replaceable;
    if (S_ISREG(status.st_mode)) return OutputKind::Replaceable;
    if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return OutputKind::Direct;
    return OutputKind::Refused;
}

}  // namespace

std::string TooLargeReason(std::size_t maxBytes) {
    return TrFormat(N_("larger than %s MB, more than any lesson needs"), {std::to_string(maxBytes >> 20)});
}

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
        content.error = TooLargeReason(maxBytes);
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
            content.error = TooLargeReason(maxBytes);
            break;
        }
        content.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (!content.error.empty()) content.bytes = std::string();
    return content;
}

AtomicFile::AtomicFile(std::string path) : path_(FollowLinks(path)) {
    switch (KindOfOutput(path_)) {
        case OutputKind::Replaceable: break;
        case OutputKind::Direct:
            direct_ = true;
            tempPath_ = path_;
            return;
        case OutputKind::Refused:
            error_ = TrFormat(N_("%s: not a file that can be written (a folder, a socket or a loop of links)"), {path});
            path_ = std::move(path);
            return;
    }
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
    error_ = TrFormat(N_("%s: cannot create a file beside it (%s)"), {path_, Reason()});
}

AtomicFile::~AtomicFile() { Discard(); }

std::string AtomicFile::Commit() {
    if (!Ready()) return error_.empty() ? TrFormat(N_("%s: nothing to write"), {path_}) : error_;
    if (direct_) {
        committed_ = true;
        return "";
    }
    errno = 0;
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        error_ = TrFormat(N_("%s: cannot put the file in place (%s)"), {path_, Reason()});
        Discard();
        return error_;
    }
    committed_ = true;
    return "";
}

void AtomicFile::Discard() {
    if (tempPath_.empty() || committed_) return;
    if (!direct_) ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

}  // namespace vekora
