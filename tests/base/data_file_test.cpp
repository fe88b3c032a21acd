// The show's data paths as the data set stores them: the names the generator writes.
#include <gtest/gtest.h>

#include "base/data_file.h"

namespace {

TEST(DataFile, InDataSetIsThePathBelowTheDataSet) {
    EXPECT_EQ(data::inDataSet("./vintra/Scratch1/Scratch"), "Scratch1/Scratch");  // as spelled
    EXPECT_EQ(data::kTowerTexts.inDataSet(3), "tower/t3.3ds");
    EXPECT_EQ(data::kMusic.inDataSet(), "Ostrel.mp3");
    // The original's other spelling: its directories are stored in lower case.
    EXPECT_EQ(data::inDataSet("./Vintra/Qelvo/Qelvo.txt"), "qelvo/Qelvo.txt");
    EXPECT_EQ(data::inDataSet("./Vintra/Ostrel.mp3"), "Ostrel.mp3");
    EXPECT_EQ(data::inDataSet("elsewhere/x.jpg"), "elsewhere/x.jpg");
}

}  // namespace
