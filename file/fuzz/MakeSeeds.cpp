// Writes the fuzzer's seed files into a folder: the default set as a full 72-record file and
// as an older 20-record file without the overlay.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "DataFile.h"

namespace {

bool write(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tarvell_datafile_seeds FOLDER\n";
        return 2;
    }
    const std::string dir = argv[1];
    tarvell::Model m;
    tarvell::StartUp(m);
    const std::vector<unsigned char> full = tarvell::encodeDataFile(m);
    const std::vector<unsigned char> older(full.begin(), full.begin() + 20 * tarvell::kRecordBytes);
    if (!write(dir + "/default72.dtv", full) || !write(dir + "/default20.dtv", older)) {
        std::cerr << "tarvell_datafile_seeds: cannot write into " << dir << "\n";
        return 1;
    }
    return 0;
}
