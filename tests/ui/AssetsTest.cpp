// Finding the program's files in a build tree and in an installed layout (bin/ beside
// share/tarvell/), where no build tree is present.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Assets.h"

using namespace tarvell;

namespace {

class AssetsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(root_.isValid()); }
    QString path(const QString& relative) const { return root_.filePath(relative); }
    void makeFile(const QString& relative) {
        ASSERT_TRUE(QDir(root_.path()).mkpath(QFileInfo(path(relative)).path()));
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("text");
    }
    void makeFolder(const QString& relative) { ASSERT_TRUE(QDir(root_.path()).mkpath(relative)); }
    QDir dir(const QString& relative) const { return QDir(path(relative)); }

    QTemporaryDir root_;
};

}  // namespace

TEST_F(AssetsTest, AnInstalledProgramFindsItsFilesBesideItsBinFolder) {
    makeFolder("usr/bin");
    makeFolder("empty");
    makeFile("usr/share/tarvell/instruct.doc");
    makeFile("usr/share/tarvell/Exhaust.wav");
    makeFolder("usr/share/tarvell/examples");

    EXPECT_EQ(locateAssetFrom(dir("empty"), dir("usr/bin"), "instruct.doc"),
              path("usr/share/tarvell/instruct.doc"));
    EXPECT_EQ(locateAssetFrom(dir("empty"), dir("usr/bin"), "Exhaust.wav"),
              path("usr/share/tarvell/Exhaust.wav"));
    EXPECT_EQ(locateAssetFrom(dir("empty"), dir("usr/bin"), "Error.wav"), "");
    EXPECT_EQ(examplesFolderFrom(dir("usr/bin")), path("usr/share/tarvell/examples"));
}

TEST_F(AssetsTest, ABuildTreeTakesTheWorkingFolderThenTheExecutablesOwn) {
    makeFile("build/app/instruct.doc");
    makeFile("build/app/Error.wav");
    makeFile("work/instruct.doc");
    makeFolder("work/Error.wav");  // a folder of that name is not the file

    EXPECT_EQ(locateAssetFrom(dir("work"), dir("build/app"), "instruct.doc"),
              path("work/instruct.doc"));
    EXPECT_EQ(locateAssetFrom(dir("work"), dir("build/app"), "Error.wav"),
              path("build/app/Error.wav"));
    // The examples of a build tree stay in the sources; the program does not look for them.
    EXPECT_EQ(examplesFolderFrom(dir("build/app")), "");
}
