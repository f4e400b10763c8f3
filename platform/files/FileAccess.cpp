// Looking at and reading files (see FileAccess.h). POSIX systems open with O_NONBLOCK and
// check what was opened; elsewhere the standard library's look before the open has to do.
#include "FileAccess.h"

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#define TARVELL_POSIX_FILES 1
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvell {
namespace {

std::string lowerFirst(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

std::string refusal(PathKind kind) {
    switch (kind) {
        case PathKind::Missing:
            return "the file is not there.";
        case PathKind::Folder:
            return "this is a folder, not a file.";
        case PathKind::Other:
            return "this is a device or a pipe, not an ordinary file; only ordinary files "
                   "are opened.";
        case PathKind::RegularFile:
            break;
    }
    return {};
}

}  // namespace

std::string lastSystemReason() {
    return lowerFirst(std::generic_category().message(errno));
}

PathKind pathKind(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return PathKind::Missing;
    if (std::filesystem::is_regular_file(status)) return PathKind::RegularFile;
    if (std::filesystem::is_directory(status)) return PathKind::Folder;
    return PathKind::Other;
}

#ifdef TARVELL_POSIX_FILES

FileBytes readRegularFile(const std::string& path, std::size_t limit) {
    FileBytes out;
    if (path.empty()) {
        out.reason = "no file name was given.";
        return out;
    }
    if (const PathKind kind = pathKind(path);
        kind != PathKind::RegularFile && kind != PathKind::Missing) {
        out.reason = refusal(kind);
        return out;
    }
    // Non-blocking, so that a pipe put in the file's place after the look cannot hold us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        out.reason = "the file cannot be opened (" + lastSystemReason() + ").";
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        out.reason = S_ISDIR(st.st_mode) ? refusal(PathKind::Folder) : refusal(PathKind::Other);
        ::close(fd);
        return out;
    }
    // One byte past the limit tells whether the file holds more.
    out.bytes.resize(limit + 1);
    std::size_t got = 0;
    while (got < out.bytes.size()) {
        const ssize_t n = ::read(fd, out.bytes.data() + got, out.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            out.reason = "the file cannot be read (" + lastSystemReason() + ").";
            out.bytes.clear();
            ::close(fd);
            return out;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.longer = got > limit;
    out.bytes.resize(got > limit ? limit : got);
    return out;
}

#else

FileBytes readRegularFile(const std::string& path, std::size_t limit) {
    FileBytes out;
    if (path.empty()) {
        out.reason = "no file name was given.";
        return out;
    }
    if (const PathKind kind = pathKind(path);
        kind != PathKind::RegularFile && kind != PathKind::Missing) {
        out.reason = refusal(kind);
        return out;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out.reason = "the file cannot be opened (" + lastSystemReason() + ").";
        return out;
    }
    out.bytes.resize(limit + 1);
    in.read(reinterpret_cast<char*>(out.bytes.data()),
            static_cast<std::streamsize>(out.bytes.size()));
    if (in.bad()) {
        out.reason = "the file cannot be read (" + lastSystemReason() + ").";
        out.bytes.clear();
        return out;
    }
    const auto got = static_cast<std::size_t>(in.gcount());
    out.longer = got > limit;
    out.bytes.resize(got > limit ? limit : got);
    return out;
}

#endif

bool removeRegularFile(const std::string& path, std::string* reason) {
    auto fail = [reason](std::string why) {
        if (reason) *reason = std::move(why);
        return false;
    };
    std::error_code ec;
    // A link is removed as a link, never followed to what it names.
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::exists(status)) return fail(refusal(PathKind::Missing));
    if (!std::filesystem::is_regular_file(status)) return fail("this is not an ordinary file.");
    if (!std::filesystem::remove(path, ec) || ec)
        return fail("it cannot be removed (" + lowerFirst(ec.message()) + ").");
    return true;
}

}  // namespace tarvell
