// libFuzzer target: any bytes offered as a dimension data file must either be refused with a
// reason or open into a model that solves, and saving that model must give a file that opens.
// The same bytes offered as a recovery file are taken whole or refused with a reason.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Calc.h"
#include "DataFile.h"
#include "RecoveryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvell;
    const DecodedRecoveryFile recovery = decodeRecoveryFile({data, size});
    if (recovery.dataSet.has_value() != recovery.header.has_value() ||
        recovery.dataSet.has_value() == !recovery.reason.empty())
        std::abort();
    const DecodedDataFile decoded = decodeDataFile({data, size});
    if (!decoded.dataSet) {
        if (decoded.reason.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    Model m;
    StartUp(m);
    applyDataSet(m, *decoded.dataSet);
    SolveLinkage(m);
    ComputePistonAndOpenings(m);
    UpdatePortEvents(m);
    const DecodedDataFile again = decodeDataFile(encodeDataFile(m));
    if (!again.dataSet) {  // a saved set reopens
        std::fprintf(stderr, "saved set refused: %s\n", again.reason.c_str());
        std::abort();
    }
    return 0;
}
