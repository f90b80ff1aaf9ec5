// The B3D writer: number formats, encoding, line ends, emitters, and what a
// failed open, write or close leaves behind.
#include "b3d/b3d_writer.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "house/house_header.h"
#include "core/language_file.h"
#include "core/numbers.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace kestrane {
namespace {

using test::B3dBytes;
using test::ReadFile;
using test::TempFolder;

TEST(FormatReal, WritesThreeDecimalsRightAlignedToSix)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, " 0.000"},        {3.5, " 3.500"},         {-3.0, "-3.000"},    {12.5, "12.500"},
        {-12.25, "-12.250"},    {123.4567, "123.457"},   {0.5, " 0.500"},     {1000.0, "1000.000"},
        {-0.0001, "-0.000"},    {-0.0, " 0.000"},        {0.0625, " 0.062"},  {0.0005, " 0.001"},
        {2.0 / 3.0, " 0.667"},  {1e20, "100000000000000000000.000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatReal(value), text) << value;
    EXPECT_EQ(FormatReal(25.0, 8), "  25.000");
    EXPECT_EQ(FormatReal(-0.0004, 8), "  -0.000");
}

TEST(FormatReal, IgnoresTheLocale)
{
    const char* hungarian = std::setlocale(LC_ALL, "hu_HU.UTF-8");
    if (!hungarian)
        GTEST_SKIP() << "the hu_HU.UTF-8 locale is not installed";
    EXPECT_EQ(FormatReal(1.5), " 1.500");
    EXPECT_EQ(ParseReal("1.5"), 1.5);
    std::setlocale(LC_ALL, "C");
}

TEST(FormatReal, RefusesValuesThatAreNotFinite)
{
    EXPECT_THROW(FormatReal(std::numeric_limits<double>::infinity()), NonFiniteValue);
    EXPECT_THROW(FormatReal(std::nan("")), NonFiniteValue);
}

TEST(FormatChannel, PadsToThree)
{
    EXPECT_EQ(FormatChannel(5), "  5");
    EXPECT_EQ(FormatChannel(80), " 80");
    EXPECT_EQ(FormatChannel(255), "255");
    EXPECT_EQ(FormatChannel(0), "  0");
}

TEST(RoundHalfEven, TiesGoToEven)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(0.4), 0);
    EXPECT_EQ(RoundHalfEven(95.9999), 96);
}

TEST(ParseReal, ReadsWholeNumbersOnly)
{
    const std::pair<const char*, double> good[] = {
        {"6000", 6000},  {"", 0},        {"   ", 0},     {"-", 0},        {"+", 0},
        {"-2.5", -2.5},  {"+4", 4},      {" 3.5 ", 3.5}, {"3.", 3},       {".5", 0.5},
        {"1e3", 1000},   {"1E-3", 0.001}, {"-1.5e+2", -150}, {"007", 7},
    };
    for (const auto& [text, value] : good) {
        const auto parsed = ParseReal(text);
        ASSERT_TRUE(parsed.has_value()) << '"' << text << '"';
        EXPECT_DOUBLE_EQ(*parsed, value) << '"' << text << '"';
    }
    const char* bad[] = {"3,5", "6000mm", "-2x", "1e5x", "1.2.3", ".", "-.", "e5", "1e", "1e+", "3 5", "0x10",
                         "inf", "nan", "1e999", "--1"};
    for (const char* text : bad)
        EXPECT_FALSE(ParseReal(text).has_value()) << '"' << text << '"';
}

TEST(ParseRealLenient, TakesTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(ParseRealLenient("0.96 beta"), 0.96);
    EXPECT_DOUBLE_EQ(ParseRealLenient("-2"), -2);
    EXPECT_DOUBLE_EQ(ParseRealLenient("1e2x"), 100);
    EXPECT_DOUBLE_EQ(ParseRealLenient(""), 0);
    EXPECT_DOUBLE_EQ(ParseRealLenient("beta"), 0);
    EXPECT_DOUBLE_EQ(ParseRealLenient("  1.5\r"), 1.5);
}

TEST(Cp1250, ConvertsHungarianLettersAndRefusesOthers)
{
    std::string out;
    ASSERT_TRUE(AppendUtf8AsCp1250(out, "őűŐŰáé€"));
    EXPECT_EQ(out, "\xF5\xFB\xD5\xDB\xE1\xE9\x80");
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t code = Cp1250ToUnicode(static_cast<std::uint8_t>(byte));
        if (code != 0 || byte == 0) {
            EXPECT_EQ(UnicodeToCp1250(code), byte) << byte;
        }
    }
    out.clear();
    EXPECT_FALSE(AppendUtf8AsCp1250(out, "ab\xE4\xB8\xAD"));  // a CJK letter
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(AppendUtf8AsCp1250(out, "\xC3"));  // cut UTF-8
    EXPECT_EQ(FirstUnencodable("kő\xE4\xB8\xAD"), "\xE4\xB8\xAD");
    EXPECT_EQ(FirstUnencodable("kő.bmp"), std::nullopt);
    EXPECT_EQ(Cp1250ToUtf8("k\xF5 \x80\x81"), "kő €\xEF\xBF\xBD");
    EXPECT_TRUE(IsValidUtf8("kő"));
    EXPECT_FALSE(IsValidUtf8("k\xF5"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
}

class WriterTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path file = folder / "out.b3d";
};

TEST_F(WriterTest, EmittersWriteTheirLinesWithTheOffset)
{
    B3dWriter out;
    out.OpenOutput(file);
    out.EmitVertex(0, 3.5, -3);
    out.offset = {10, 0, 2};
    out.EmitVertex(0, 3.5, -3);
    out.EmitTranslate(-10, 0.0004, -2.0001);
    out.EmitColor({180, 160, 105});
    out.EmitColor({100, 20, 5});
    out.EmitColor({0, 0, 0});
    out.EmitTextureTriangle("a.bmp");
    out.EmitTextureQuad("1.bmp");
    out.EmitTextureQuadSloped("b.bmp", 2 / 8.8);
    out.EmitTexturePentagon("3.bmp", 1 - (3.5 + 3.5 * 0.4 / 3.4) / 7);
    out.WriteLine(";Tetőlemez");
    out.CloseOutput();
    EXPECT_EQ(ReadFile(file), B3dBytes("vertex  0.000, 3.500,-3.000\n"
                                       "vertex 10.000, 3.500,-1.000\n"
                                       "translate  0.000, 0.000,-0.000\n"
                                       "color 180,160,105\n"
                                       "color 100, 20,  5\n"
                                       "color   0,  0,  0\n"
                                       "[Texture]\nload a.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0.5,0\n\n"
                                       "[Texture]\nload 1.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\n"
                                       "Coordinates 2,0,0\nCoordinates 3,1,0\n\n"
                                       "[Texture]\nload b.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\n"
                                       "Coordinates 2, 0.227,0\nCoordinates 3, 0.773,0\n\n"
                                       "[Texture]\nload 3.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\n"
                                       "Coordinates 2,0, 0.441\nCoordinates 3,0.5,0\nCoordinates 4,1, 0.441\n\n"
                                       ";Tetőlemez\n"));
}

TEST_F(WriterTest, RunsOfBytesOfEverySizeLandInOrderAndAreCounted)
{
    // Runs far below, near and far above what goes to the file directly,
    // each after a line that waits in the buffer.
    std::string expected;
    std::size_t vertices = 0;
    B3dWriter out;
    out.OpenOutput(file, B3dWriter::Counting::On);
    for (const std::size_t lines : {1, 1170, 0, 3, 1171, 40000, 2}) {
        std::string run;
        for (std::size_t k = 0; k < lines; ++k)
            run += "Vertex 1,2,3\r\n";
        out.WriteLine("[MeshBuilder]");
        out.WriteBytes(run);
        expected += "[MeshBuilder]\r\n" + run;
        vertices += lines;
    }
    out.CloseOutput();
    EXPECT_EQ(ReadFile(file), expected);
    EXPECT_EQ(out.Counts().sections, 7u);
    EXPECT_EQ(out.Counts().vertices, vertices);
}

TEST_F(WriterTest, LanguageFileHoldsTheCodeAlone)
{
    const auto cfg = folder / "lang.cfg";
    EXPECT_EQ(ReadLanguageFile(cfg), UiLanguage::Hungarian);  // missing
    WriteLanguageFile(cfg, UiLanguage::English);
    EXPECT_EQ(ReadFile(cfg), "en");
    EXPECT_EQ(ReadLanguageFile(cfg), UiLanguage::English);
    const std::pair<const char*, UiLanguage> contents[] = {
        {"hu", UiLanguage::Hungarian}, {"hu\r\nen\r\n", UiLanguage::Hungarian}, {"hu\nx", UiLanguage::Hungarian},
        {"HU", UiLanguage::English},   {" hu", UiLanguage::English},           {"", UiLanguage::English},
    };
    for (const auto& [text, language] : contents) {
        test::WriteFile(cfg, text);
        EXPECT_EQ(ReadLanguageFile(cfg), language) << '"' << text << '"';
    }
    std::filesystem::remove(cfg);
    std::filesystem::create_directory(cfg);
    EXPECT_EQ(ReadLanguageFile(cfg), UiLanguage::Hungarian);
    EXPECT_THROW(WriteLanguageFile(cfg, UiLanguage::Hungarian), OutputError);
}

TEST_F(WriterTest, AFailedGenerationLeavesThePreviousFile)
{
    test::WriteFile(file, "previous");
    {
        B3dWriter out;
        out.OpenOutput(file);
        out.WriteLine("half a house");
        // Destroyed without CloseOutput, as when an element throws.
    }
    EXPECT_EQ(ReadFile(file), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary file is left behind";

    B3dWriter out;
    out.OpenOutput(file);
    out.WriteLine("new");
    EXPECT_EQ(ReadFile(file), "previous") << "the file is replaced only when it is complete";
    out.CloseOutput();
    EXPECT_EQ(ReadFile(file), "new\r\n");
}

TEST_F(WriterTest, ReportsTheFailuresInThePlatformsWords)
{
    auto openFails = [](const std::filesystem::path& path) -> std::string {
        B3dWriter out;
        try {
            out.OpenOutput(path);
        } catch (const OutputError& e) {
            return e.what();
        }
        return "opened";
    };
    test::WriteFile(folder / "plain", "x");
    EXPECT_EQ(openFails(folder / "plain" / "out.b3d"), "File not found");  // a path under a regular file
    EXPECT_EQ(openFails(folder / "missing" / "out.b3d"), "File not found");
    std::filesystem::create_directory(folder / "taken.b3d");
    EXPECT_EQ(openFails(folder / "taken.b3d"), "File access denied");
    EXPECT_EQ(openFails(folder / std::string(300, 'x')), "Invalid filename");
    EXPECT_EQ(IoErrorText(EIO), "I/O error 5");
}

TEST_F(WriterTest, AFullDiskFailsTheWriteAndTheClose)
{
    // The disk is full after 64 KiB of this file.
    const test::FileSizeLimit limit(64 * 1024);
    const auto full = folder / "full.b3d";
    B3dWriter out;
    out.OpenOutput(full);
    try {
        for (int i = 0; i < 100000; ++i)
            out.WriteLine("vertex  0.000, 0.000, 0.000");
        out.CloseOutput();
        FAIL() << "writing to a full disk succeeded";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(), "Disk full");
    }
}

TEST(HouseHeader, WritesSeventeenLinesInEachLanguage)
{
    TempFolder folder;
    const HouseHeaderValues values{"haz_satorteto.b3d", {-2, 0, 12.5}, 12.5, 8, 3.5, 7};
    for (const UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English}) {
        B3dWriter out;
        out.OpenOutput(folder / "h.b3d");
        WriteHouseHeader(out, language, values);
        out.CloseOutput();
        const std::string expected =
            language == UiLanguage::Hungarian
                ? ";Házgeneráló program\n" + std::string(kAuthorshipComment) +
                      "\n;Nullpont a homlokfal közepe a talaj síkjában\n;Paraméterek:\n;\n"
                      ";Eredeti fájlnév: haz_satorteto.b3d\n;X eltolás:-2.000\n;Y eltolás: 0.000\n"
                      ";Z eltolás:12.500\n;Szélesség:12.500\n;Hosszúság: 8.000\n;Magasság: 3.500\n"
                      ";Tetőmagasság: 7.000\n;\n;Az obektum textúrázása a Te feladatod!\n;----====ZX====----\n;\n"
                : ";Buildig generating program\n" + std::string(kAuthorshipComment) +
                      "\n;Null point on center of front wall, in a floor\n;Parameters: \n;\n"
                      ";Origin filename: haz_satorteto.b3d\n;X ofset:-2.000\n;Y ofset: 0.000\n"
                      ";Z ofset:12.500\n;Width:12.500\n;Long: 8.000\n;Height: 3.500\n"
                      ";Roof height: 7.000\n;\n;The correct texturing is a your job!\n;----====ZX====----\n;\n";
        EXPECT_EQ(test::ReadableText(ReadFile(folder / "h.b3d")), test::ReadableText(B3dBytes(expected)));
        EXPECT_EQ(ReadFile(folder / "h.b3d"), B3dBytes(expected));
    }
}

}  // namespace
}  // namespace kestrane
