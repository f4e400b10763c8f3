// Writing a whole file so that a failed write never harms the file already there: the bytes
// go to a temporary file beside it, are checked there, and only then take the file's name.
// Only an ordinary file or a new name is written; a folder, a device or a pipe is refused.
// The interface is plain C++; Qt Core does the work behind it.
#pragma once

#include <span>
#include <string>

namespace tarvell {

// Writes `bytes` to `path` (a local path, as the operating system spells it). Returns an
// empty string, or the reason the file could not be written (a fragment such as "no space
// left on device"), in which case any file that stood at `path` is as it was.
std::string writeFileSafely(const std::string& path, std::span<const unsigned char> bytes);

}  // namespace tarvell
