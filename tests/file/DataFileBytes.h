// Helpers of the data file tests: files built by hand, byte by byte, and temporary files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DataFile.h"
#include "TestModel.h"
#include "Vari.h"

namespace tarvell::test {

using Bytes = std::vector<unsigned char>;
using Record = std::array<float, 5>;

// The four bytes of a single float, least significant first.
inline std::array<unsigned char, 4> littleEndian(float v) {
    const auto bits = std::bit_cast<std::uint32_t>(v);
    return {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
            static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
}

inline Bytes bytesOf(const std::vector<Record>& records) {
    Bytes out;
    for (const Record& r : records)
        for (float v : r)
            for (unsigned char b : littleEndian(v)) out.push_back(b);
    return out;
}

// Byte offset of record 1-72, field 1-5.
constexpr std::size_t offsetOf(int record, int field) {
    return static_cast<std::size_t>((record - 1) * 20 + (field - 1) * 4);
}

inline void putField(Bytes& file, int record, int field, float v) {
    const auto b = littleEndian(v);
    std::copy(b.begin(), b.end(),
              file.begin() + static_cast<std::ptrdiff_t>(offsetOf(record, field)));
}

inline float fieldOf(const Bytes& file, int record, int field) {
    const std::size_t at = offsetOf(record, field);
    const std::uint32_t bits = file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                               static_cast<std::uint32_t>(file[at + 3]) << 24;
    return std::bit_cast<float>(bits);
}

inline std::uint32_t bitsOf(float v) {
    return std::bit_cast<std::uint32_t>(v);
}

// Opens the bytes the way the program does: check everything, then apply. Returns the
// refusal's reason, or "" when the file was opened.
inline std::string openInto(Model& m, const Bytes& bytes, ReverseArmBar* bar = nullptr) {
    const DecodedDataFile decoded = decodeDataFile(bytes);
    if (!decoded.dataSet)
        return decoded.reason.empty() ? "(refused without a reason)" : decoded.reason;
    const ReverseArmBar b = applyDataSet(m, *decoded.dataSet);
    if (bar) *bar = b;
    return "";
}

// A file in the system's temporary folder, removed when the test ends.
class TempFile {
  public:
    explicit TempFile(const std::string& name) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tarvell-" + std::to_string(::getpid()) + "-" + info->name() + "-" + name);
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string path() const { return path_.string(); }
    void write(const Bytes& bytes) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

  private:
    std::filesystem::path path_;
};

}  // namespace tarvell::test
