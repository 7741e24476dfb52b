#include <gtest/gtest.h>
#include "document/tab_file_reader.h"
#include "document/tab_file_writer.h"
TEST(Smoke, Intro) {
    auto r = fretlux::ReadTabBytes("Intro riff\ne|---0---3---|\nB|---1-------|\nG|---0-------|\nD|---2-------|\nA|---3-------|\nE|-----------|\n", fretlux::TabForm::Plain);
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.document.tabCount, 1);
    EXPECT_EQ(r.document.tabLines[0][0], "Intro riff");
    EXPECT_EQ(r.document.tabLines[0][1], "E----|    -    -    -    0AH  -    -    -    3DH  -    -    -    |    ");
}
