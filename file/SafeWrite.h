// Writing a whole file so that a failed write never harms the file already there: the bytes
// go to a temporary file beside it, which then takes the file's name. The interface is plain
// C++; Qt Core does the work behind it.
#pragma once

#include <span>
#include <string>

namespace tarvell {

// Writes `bytes` to `path` (a local path, as the operating system spells it). Returns an
// empty string, or the reason the file could not be written, in which case any file that
// stood at `path` is as it was.
std::string writeFileSafely(const std::string& path, std::span<const unsigned char> bytes);

}  // namespace tarvell
