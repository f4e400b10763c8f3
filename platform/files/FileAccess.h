// Looking at and reading files without surprises: what stands at a path (an ordinary file, a
// folder, or something else such as a device or a pipe), and reading an ordinary file up to
// a limit without ever waiting on a pipe or a device. The interface is plain C++, so the
// report tool and the program share it; the operating system's calls stay behind it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarvell {

enum class PathKind {
    Missing,      // nothing there (or a link to nothing)
    RegularFile,  // an ordinary file, or a link to one
    Folder,
    Other,  // a device, a pipe (FIFO), a socket: never opened as a file
};

// What `path` (a local path, as the operating system spells it) names, following links.
PathKind pathKind(const std::string& path);

// The bytes read from a file, or why none could be.
struct FileBytes {
    std::vector<unsigned char> bytes;
    bool longer = false;  // the file holds more than the limit; `bytes` stops at the limit
    std::string reason;   // empty when the file was read; else the end of a sentence, e.g.
                          // "this is a folder, not a file."
    bool ok() const { return reason.empty(); }
};

// Reads at most `limit` bytes of the ordinary file at `path`. Anything else (a folder, a
// device, a FIFO) is refused with a reason before any byte is read; the file is opened so
// that a pipe put there between the look and the open cannot block the caller.
FileBytes readRegularFile(const std::string& path, std::size_t limit);

// Removes the ordinary file at `path`; false (with the reason) when it is not one or the
// removal failed. Anything else there is left alone.
bool removeRegularFile(const std::string& path, std::string* reason = nullptr);

// The reason for the last failed call of the operating system, as the end of a sentence
// ("no space left on device").
std::string lastSystemReason();

}  // namespace tarvell
