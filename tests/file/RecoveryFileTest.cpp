// The design snapshot that tells a change from the saved design, and the recovery file.
#include <gtest/gtest.h>

#include <cmath>

#include "Calc.h"
#include "DesignSnapshot.h"
#include "RecoveryFile.h"

using namespace tarvell;

namespace {

Model started() {
    Model m;
    StartUp(m);
    return m;
}

}  // namespace

TEST(DesignSnapshot, SeesTheDesignButNotTheTurningGear) {
    Model m = started();
    const DesignSnapshot saved = designSnapshot(m);
    for (float angle : {10.0f, 135.0f, 290.0f}) {  // the solved pivots move, the design not
        m.gear.DriverAngle = angle;
        SolveLinkage(m);
    }
    m.lastPlottedPosition = 11.0f;
    EXPECT_EQ(designSnapshot(m), saved);
    m.frame.Stroke = 3.5f;
    EXPECT_FALSE(designSnapshot(m) == saved);
    m.frame.Stroke = 3.25f;
    EXPECT_EQ(designSnapshot(m), saved);
    m.overlay[4].colour = 2;
    EXPECT_FALSE(designSnapshot(m) == saved);
    // A value that is not a number is the same as itself.
    Model n = started();
    n.view.current.scale = std::nanf("");
    EXPECT_EQ(designSnapshot(n), designSnapshot(n));
}

TEST(RecoveryFile, RoundTripsAndRefusesWhatIsNotWhole) {
    Model m = started();
    m.frame.Stroke = 3.5f;
    const RecoveryHeader header{"Loco\nnext line", "/home/x/Loco.dtv", "2026-12-08 10:11:12"};
    const std::vector<unsigned char> bytes = encodeRecoveryFile(header, m);
    const DecodedRecoveryFile back = decodeRecoveryFile(bytes);
    ASSERT_TRUE(back.dataSet.has_value()) << back.reason;
    EXPECT_EQ(back.header->dataSetName, "Loco next line");  // one line in the header
    EXPECT_EQ(back.header->sourcePath, "/home/x/Loco.dtv");
    EXPECT_EQ(back.header->writtenAt, "2026-12-08 10:11:12");
    Model restored = started();
    applyDataSet(restored, *back.dataSet);
    EXPECT_EQ(restored.frame.Stroke, 3.5f);

    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, bytes.size() - 1}) {
        const DecodedRecoveryFile part =
            decodeRecoveryFile(std::span<const unsigned char>(bytes.data(), cut));
        EXPECT_FALSE(part.dataSet.has_value()) << cut;
        EXPECT_FALSE(part.reason.empty()) << cut;
    }
    std::vector<unsigned char> odd = bytes;
    odd[20] = 'X';  // "name" becomes an unknown line
    EXPECT_FALSE(decodeRecoveryFile(odd).dataSet.has_value());
}

TEST(RecoveryFile, NamesAndPathsOfAnyAlphabetComeBackExactly) {
    const RecoveryHeader header{"Lok Größe", "/home/ü/Lok Größe.dtv", "2026-12-08 10:11:12"};
    const DecodedRecoveryFile back = decodeRecoveryFile(encodeRecoveryFile(header, started()));
    ASSERT_TRUE(back.header.has_value()) << back.reason;
    EXPECT_EQ(back.header->dataSetName, "Lok Größe");
    EXPECT_EQ(back.header->sourcePath, "/home/ü/Lok Größe.dtv");
}

TEST(RecoveryFile, EachFaultIsNamed) {
    const RecoveryHeader header{"Loco", "/home/x/Loco.dtv", "2026-12-08 10:11:12"};
    const std::vector<unsigned char> whole = encodeRecoveryFile(header, started());
    const std::string text(whole.begin(), whole.end());
    // Each of the header's three lines left out in turn.
    for (const char* line :
         {"name Loco\n", "path /home/x/Loco.dtv\n", "time 2026-12-08 10:11:12\n"}) {
        std::string without = text;
        without.erase(without.find(line), std::string(line).size());
        const std::string key = std::string(line).substr(0, 4);
        EXPECT_EQ(decodeRecoveryFile(
                      {reinterpret_cast<const unsigned char*>(without.data()), without.size()})
                      .reason,
                  "its header has no " + key + " line.");
    }
    std::vector<unsigned char> longer = whole;
    longer.insert(longer.end(), 7, 0);
    EXPECT_EQ(decodeRecoveryFile(longer).reason,
              "7 bytes follow the design in it, where a recovery file ends.");
    EXPECT_EQ(decodeRecoveryFile({whole.data(), whole.size() - 40}).reason,
              "the design in it is cut short: it holds 1400 of its 1440 bytes.");
}
