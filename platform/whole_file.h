// Files read and written whole. A reader is refused a file larger than it can use, or one
// that is not a file at all (a folder), with the reason; a writer's file appears at its path
// only once complete, so no reader ever sees half of it and of two writers one wins whole.
// A writer never replaces what is not a regular file: a symbolic link is followed and the file
// it names replaced; a pipe or a device is written to directly (nothing to replace there); a
// folder, a socket or anything else is refused.
//
//   AtomicFile out(path);                     // an empty temporary file beside `path`
//   if (!out.Ready()) return out.Error();
//   ... write out.TempPath() (any library that takes a file name) ...
//   return out.Commit();                      // renamed into place; "" when done
#pragma once

#include <cstddef>
#include <string>

namespace vekora {

// The largest script or event file read: 64 MiB, far beyond any lesson.
constexpr std::size_t MaxInputFileBytes = std::size_t{64} << 20;
// Why a text over `maxBytes` is refused, as ReadWholeFile says it.
std::string TooLargeReason(std::size_t maxBytes = MaxInputFileBytes);

struct FileContent {
    std::string bytes;
    std::string error;  // "" when read; else why not, e.g. "Is a directory"
};

// The whole file, at most maxBytes of it; a larger file (or an endless one, /dev/zero) is
// refused without reading more than maxBytes + 1 bytes.
FileContent ReadWholeFile(const std::string& path, std::size_t maxBytes = MaxInputFileBytes);

class AtomicFile {
public:
    // Creates an empty temporary file in the folder of `path` (same file system, so the
    // rename is atomic), readable as a new file at `path` would be: "dir/.name.tmp-PID-N.ext"
    // for "dir/name.ext", the extension kept last for libraries that choose a format by it.
    // For a symbolic link, beside the file the link names (its folder, its name). For a pipe
    // or a device, no temporary file: TempPath() is the pipe or device itself.
    explicit AtomicFile(std::string path);
    // Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Whether the temporary file exists to be written; Error() says why not.
    bool Ready() const { return !tempPath_.empty() && !committed_; }
    const std::string& TempPath() const { return tempPath_; }
    const std::string& Path() const { return path_; }
    const std::string& Error() const { return error_; }

    // Renames the temporary file to the path, replacing what was there (a pipe or device has
    // nothing to rename). Returns "" when done, else what went wrong (the temporary file is
    // then removed).
    std::string Commit();
    // Removes the temporary file: nothing is written at the path.
    void Discard();

private:
    std::string path_;
    std::string tempPath_;
    std::string error_;
    bool committed_ = false;
    bool direct_ = false;  // a pipe or a device, written where it is
};

}  // namespace vekora
