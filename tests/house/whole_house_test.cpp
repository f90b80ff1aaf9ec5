// The default house (pyramid roof, ring gutter, downpipe, chimney of size 1,
// two-step front platform) compared byte for byte with reviewed files.
//
// The expected files in the test data folder, default_house_hu.b3d.txt and
// default_house_en.b3d.txt, are readable UTF-8 text with LF line ends; the
// test converts them to Windows-1250 with CR LF (B3dBytes) before comparing.
#include "house/house_generator.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

std::string Expected(const std::string& name)
{
    const std::string text = test::ReadFile(std::filesystem::path(KESTRANE_TEST_DATA) / name);
    EXPECT_FALSE(text.empty()) << name;
    return test::B3dBytes(text);
}

TEST(WholeHouse, DefaultHouseInEachLanguage)
{
    struct Case {
        UiLanguage language;
        const char* fileName;
        const char* expected;
        const char* status;
    };
    const Case cases[] = {
        {UiLanguage::Hungarian, "haz_satorteto.b3d", "default_house_hu.b3d.txt",
         "haz_satorteto.b3d fájl generálása kész"},
        {UiLanguage::English, "House_pyramid.b3d", "default_house_en.b3d.txt",
         "House_pyramid.b3d file generating successfull"},
    };
    for (const Case& c : cases) {
        test::TempFolder folder;
        const HouseResult result = GenerateHouse(HouseInput{}, c.language, folder.path());
        EXPECT_EQ(result.fileName, c.fileName);
        EXPECT_EQ(result.status, c.status);
        const std::string written = test::ReadFile(folder / c.fileName);
        const std::string expected = Expected(c.expected);
        EXPECT_EQ(test::ReadableText(written), test::ReadableText(expected)) << c.fileName;
        EXPECT_EQ(written, expected) << c.fileName;
    }
}

TEST(WholeHouse, CommandLineWithoutOptionsWritesTheSameFile)
{
    test::TempFolder folder;
    const test::CommandResult run = test::RunCli({"house"}, folder.path());  // no lang.cfg: Hungarian
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ReadFile(folder / "haz_satorteto.b3d"), Expected("default_house_hu.b3d.txt"));
}

}  // namespace
}  // namespace kestrane
