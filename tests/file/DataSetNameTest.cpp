// The data set name taken from a file's path.
#include <gtest/gtest.h>

#include "DataFile.h"

using tarvell::dataSetNameFromPath;

TEST(DataSetName, LastComponentWithoutItsExtension) {
    EXPECT_EQ(dataSetNameFromPath("C:\\Data\\Loco.dtv"), "Loco");
    EXPECT_EQ(dataSetNameFromPath("/home/me/sets/Loco.dtv"), "Loco");
    EXPECT_EQ(dataSetNameFromPath("loco.dt"), "loco");  // a short extension takes nothing more
    EXPECT_EQ(dataSetNameFromPath("Class 5.backup"), "Class 5");
    EXPECT_EQ(dataSetNameFromPath("Loco"), "Loco");
    EXPECT_EQ(dataSetNameFromPath("Loco.v2.dtv"), "Loco.v2");
    EXPECT_EQ(dataSetNameFromPath("D:/mixed\\seps/Tank.dtv"), "Tank");
}

TEST(DataSetName, DotsOutsideTheFileNameAndLeadingDotsAreKept) {
    EXPECT_EQ(dataSetNameFromPath("/a/b.c/Loco"), "Loco");
    EXPECT_EQ(dataSetNameFromPath("C:\\v1.2\\Loco"), "Loco");
    EXPECT_EQ(dataSetNameFromPath(".hidden"), ".hidden");
    EXPECT_EQ(dataSetNameFromPath("/sets/.hidden"), ".hidden");
    EXPECT_EQ(dataSetNameFromPath("Loco."), "Loco");
    EXPECT_EQ(dataSetNameFromPath(""), "");
}
