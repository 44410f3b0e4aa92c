// The JPEG, TGA and BMP decoders on files the tests write, hostile ones included.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "assets/decoders.h"
#include "tests/assets_test_files.h"
#include "tests/bmp_test_files.h"
#include "tests/hostile_jpeg.h"

namespace {

std::vector<std::string> messages;
void recordMessage(const char* message) {
    messages.push_back(message);
}

// Every test starts with no recorded message and the recording reporter.
class Decoders : public ::testing::Test {
protected:
    void SetUp() override {
        messages.clear();
        setDecoderErrorReporter(recordMessage);
    }
    void TearDown() override { releaseImage(image); }
    const unsigned char* px(int x, int y) const {
        return image->pixels + (static_cast<std::size_t>(y) * image->width + x) * image->components;
    }
    void expectRgb(int x, int y, int r, int g, int b, int slack = 0) const {
        const unsigned char* p = px(x, y);
        EXPECT_NEAR(p[0], r, slack) << "at " << x << "," << y;
        EXPECT_NEAR(p[1], g, slack) << "at " << x << "," << y;
        EXPECT_NEAR(p[2], b, slack) << "at " << x << "," << y;
    }
    Image* image = nullptr;
};

using JpegDecoder = Decoders;
using TgaDecoder = Decoders;
using BmpDecoder = Decoders;
using JpegDecoderDeathTest = Decoders;

// ---------------------------------------------------------------------------
// JPEG

TEST_F(JpegDecoder, RedOverBlueComesOutBlueRowsFirst) {
    Bytes rgb;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 16; ++x) {
            rgb.insert(rgb.end(), {static_cast<unsigned char>(y < 16 ? 255 : 0), 0,
                                   static_cast<unsigned char>(y < 16 ? 0 : 255)});
        }
    }
    image = decodeJpeg(writeJpeg("redblue.jpg", 16, 32, 3, JCS_RGB, rgb).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->components, 3);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 32);
    expectRgb(3, 0, 0, 0, 255, 24);   // bottom row of the texture: blue
    expectRgb(3, 31, 255, 0, 0, 24);  // top: red
    EXPECT_TRUE(messages.empty());
}

TEST_F(JpegDecoder, GrayscaleAndCmykComeOutAsRgb) {
    Bytes gray(8 * 8, 128);
    image = decodeJpeg(writeJpeg("gray.jpg", 8, 8, 1, JCS_GRAYSCALE, gray).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->components, 3);
    expectRgb(4, 4, 128, 128, 128, 3);
    releaseImage(image);

    // libjpeg marks CMYK files as Adobe's, which store ink inverted: 255 = no ink.
    Bytes cmyk;
    for (int i = 0; i < 8 * 8; ++i) {
        cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    }
    image = decodeJpeg(writeJpeg("cmyk.jpg", 8, 8, 4, JCS_CMYK, cmyk).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->components, 3);
    expectRgb(4, 4, 255, 0, 0, 8);
}

TEST_F(JpegDecoder, MissingFileGivesNothingSilently) {
    EXPECT_EQ(decodeJpeg((scratchDir() + "/absent.jpg").c_str()), nullptr);
    EXPECT_EQ(decodeJpeg(nullptr), nullptr);
    EXPECT_TRUE(messages.empty());
}

TEST_F(JpegDecoder, TruncatedFileWarnsOnceAndStillGivesTheImage) {
    Bytes rgb(64 * 64 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<unsigned char>(i * 7);
    }
    const std::string whole = writeJpeg("whole.jpg", 64, 64, 3, JCS_RGB, rgb);
    FILE* f = std::fopen(whole.c_str(), "rb");
    Bytes bytes(1 << 16);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    bytes.resize(bytes.size() / 2);
    const std::string cut = writeFile("cut.jpg", bytes);
    ::testing::internal::CaptureStderr();
    image = decodeJpeg(cut.c_str());
    const std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 64);
    EXPECT_NE(err.find("Premature end of JPEG file"), std::string::npos) << err;
    EXPECT_EQ(err.find("Premature end of JPEG file"), err.rfind("Premature end of JPEG file"));
}

TEST_F(JpegDecoderDeathTest, FileTheLibraryRejectsEndsTheProcessWithStatus1) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    const std::string notJpeg = writeFile("not.jpg", Bytes{'h', 'e', 'l', 'l', 'o', 0, 1, 2});
    EXPECT_EXIT(decodeJpeg(notJpeg.c_str()), ::testing::ExitedWithCode(1),
                "not.jpg: Not a JPEG file: starts with 0x68 0x65\n");
    const std::string empty = writeFile("empty.jpg", Bytes{});
    EXPECT_EXIT(decodeJpeg(empty.c_str()), ::testing::ExitedWithCode(1), "Empty input file");
}

// Refused files: no image and one line on standard error, before the picture is decoded.
TEST_F(JpegDecoder, APictureLargerThanATextureOrTheImageCapIsRefusedByItsHeader) {
    std::vector<unsigned char> bytes = compressPicture(16, "progressive");
    ASSERT_TRUE(declareSize(bytes, 2048, 16));
    image = decodeJpeg(writeFile("wide.jpg", bytes).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2048);
    for (const auto& [width, height] : {std::pair{2049u, 16u}, std::pair{16u, 65500u}}) {
        ASSERT_TRUE(declareSize(bytes, width, height));
        const std::string path = writeFile("huge.jpg", bytes);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(decodeJpeg(path.c_str()), nullptr);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  path + ": not loaded: " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels, more than a texture may have (2048 x 2048)\n");
    }
    const std::string small = writeFile("small.jpg", compressPicture(16, "baseline"));
    setImageByteLimit(16 * 16 * 3 - 1);
    ::testing::internal::CaptureStderr();
    Image* capped = decodeJpeg(small.c_str());
    setImageByteLimit(kMaxImageBytes);
    EXPECT_EQ(capped, nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("16 x 16 pixels"), std::string::npos);
}

TEST_F(JpegDecoder, AFileOfMoreScansThanAPictureNeedsIsRefused) {
    image = decodeJpeg(writeFile("scans100.jpg", manyScans(100, 64)).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 64);
    const std::string path = writeFile("scans101.jpg", manyScans(101, 64));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(decodeJpeg(path.c_str()), nullptr);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(path + ": not loaded: more than 100 scans\n"), std::string::npos) << said;
}

// ---------------------------------------------------------------------------
// TGA

Image* tga(const Bytes& bytes) {
    return decodeTgaMemory(bytes.data(), bytes.size());
}

TEST_F(TgaDecoder, UncompressedPixelsSwapToRgbAndKeepFileRowOrder) {
    Bytes b = tgaHeader(2, 1, 2, 24);
    b.insert(b.end(), {10, 20, 30, 1, 2, 3});
    image = decodeTga(writeFile("a.tga", b).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->components, 3);
    expectRgb(0, 0, 30, 20, 10);
    expectRgb(0, 1, 3, 2, 1);
    releaseImage(image);

    // Top-left origin in the descriptor changes nothing: rows stay in file order.
    b = tgaHeader(2, 1, 2, 32, 0, 0x20);
    b.insert(b.end(), {10, 20, 30, 40, 1, 2, 3, 4});
    image = tga(b);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->components, 4);
    EXPECT_EQ(0, std::memcmp(image->pixels, "\x1e\x14\x0a\x28\x03\x02\x01\x04", 8));
}

TEST_F(TgaDecoder, SixteenBitWordsSpreadToFiveBitChannels) {
    Bytes b = tgaHeader(2, 3, 1, 16);
    put16(b, 0x7FFF);
    put16(b, 0x8000);
    put16(b, (1u << 10) | (2u << 5) | 31u);
    image = tga(b);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->components, 3);
    expectRgb(0, 0, 248, 248, 248);
    expectRgb(1, 0, 0, 0, 0);
    expectRgb(2, 0, 8, 16, 248);
}

TEST_F(TgaDecoder, RunLengthPacketHeaders128_255_0_127) {
    Bytes b = tgaHeader(10, 258, 1, 24);
    b.insert(b.end(), {128, 1, 2, 3});  // run of 1
    b.insert(b.end(), {255, 4, 5, 6});  // run of 128
    b.insert(b.end(), {0, 7, 8, 9});    // raw 1
    b.push_back(127);                   // raw 128
    for (int i = 0; i < 128; ++i) {
        b.insert(b.end(), {static_cast<unsigned char>(i), 0, 200});
    }
    image = tga(b);
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 3, 2, 1);
    expectRgb(1, 0, 6, 5, 4);
    expectRgb(128, 0, 6, 5, 4);
    expectRgb(129, 0, 9, 8, 7);
    expectRgb(130, 0, 200, 0, 0);
    expectRgb(257, 0, 200, 0, 127);
}

TEST_F(TgaDecoder, ImageIdIsSkippedButAColourMapIsNot) {
    Bytes b = tgaHeader(2, 1, 1, 24, 3, 0, 1);
    b.insert(b.end(), {'i', 'd', '!', 10, 20, 30, 99, 99, 99});
    image = tga(b);
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 30, 20, 10);
}

TEST_F(TgaDecoder, RunPastTheLastPixelIsCutThere) {
    Bytes b = tgaHeader(10, 2, 2, 32);
    b.insert(b.end(), {255, 1, 2, 3, 4});  // 128 pixels for an image of 4
    image = tga(b);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(0, std::memcmp(image->pixels + 12, "\x03\x02\x01\x04", 4));
    releaseImage(image);
    b = tgaHeader(10, 1, 1, 24);
    b.insert(b.end(), {5, 1, 2, 3});  // raw packet of 6 with one pixel given
    image = tga(b);
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 3, 2, 1);
}

TEST_F(TgaDecoder, HostileFilesGiveNothing) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"short header", Bytes(17, 0)});
    Bytes b = tgaHeader(2, 4, 4, 24);
    b.insert(b.end(), 47, 0);
    cases.push_back({"uncompressed one byte short", b});
    b = tgaHeader(10, 4, 4, 24);
    b.insert(b.end(), {130, 1, 2, 3, 0, 1});
    cases.push_back({"run-length ends early", b});
    b = tgaHeader(10, 4, 4, 24);
    b.insert(b.end(), {130, 1, 2});
    cases.push_back({"run value cut", b});
    cases.push_back({"zero width", tgaHeader(2, 0, 4, 24)});
    cases.push_back({"zero height", tgaHeader(10, 4, 0, 32)});
    for (int depth : {0, 8, 15, 64}) {
        b = tgaHeader(2, 1, 1, depth);
        b.insert(b.end(), 16, 0);
        cases.push_back({"odd depth", b});
    }
    b = tgaHeader(10, 1, 1, 16);
    b.insert(b.end(), {128, 1, 2});
    cases.push_back({"run-length 16-bit", b});
    b = tgaHeader(2, 1, 1, 24, 200);
    b.insert(b.end(), 10, 0);
    cases.push_back({"image ID past the end", b});
    cases.push_back({"65535 x 65535 x 4 over the size limit", tgaHeader(2, 65535, 65535, 32)});
    for (const Case& c : cases) {
        Image* got = tga(c.bytes);
        EXPECT_EQ(got, nullptr) << c.what;
        releaseImage(got);
    }
    EXPECT_EQ(decodeTga((scratchDir() + "/absent.tga").c_str()), nullptr);
    EXPECT_EQ(decodeTgaMemory(nullptr, 0), nullptr);
}

// ---------------------------------------------------------------------------
// BMP

Image* bmp(const Bytes& bytes) {
    return decodeBmpMemory(bytes.data(), bytes.size(), "t.bmp");
}

TEST_F(BmpDecoder, ThreePixelWide24BitRowsLoseTheirPadding) {
    image = decodeBmp(writeFile("w3.bmp", bmpThreeWide()).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->components, 3);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    const unsigned char want[18] = {3, 2, 1, 6, 5, 4, 9, 8, 7, 13, 12, 11, 16, 15, 14, 19, 18, 17};
    EXPECT_EQ(0, std::memcmp(image->pixels, want, 18));
    EXPECT_TRUE(messages.empty());
}

TEST_F(BmpDecoder, TopDownRowsAreTurnedBottomUp) {
    image = bmp(bmpTopDown());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->height, 2);
    expectRgb(0, 0, 6, 5, 4);
    expectRgb(0, 1, 3, 2, 1);
}

TEST_F(BmpDecoder, PalettedSourcesGoThroughTheirColourTable) {
    image = bmp(bmpPaletted1());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 12, 11, 10);
    expectRgb(1, 0, 2, 1, 0);
    expectRgb(2, 0, 12, 11, 10);
    expectRgb(9, 0, 12, 11, 10);
    releaseImage(image);

    image = bmp(bmpPaletted4());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 52, 51, 50);
    expectRgb(1, 0, 152, 151, 150);
    expectRgb(2, 0, 22, 21, 20);
    releaseImage(image);

    image = bmp(bmpPaletted8());  // its index 200 lies past the 4-entry table: black
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 32, 31, 30);
    expectRgb(1, 0, 12, 11, 10);
    expectRgb(0, 1, 22, 21, 20);
    expectRgb(1, 1, 0, 0, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(BmpDecoder, CoreHeaderAndPackedDib) {
    image = bmp(bmpCorePacked());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 248, 0, 7);
    expectRgb(1, 0, 5, 0, 250);
    releaseImage(image);

    image = bmp(bmpPacked32());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 30, 20, 10);
}

TEST_F(BmpDecoder, SixteenBitDefaultAndMaskedLayouts) {
    image = bmp(bmp16Default());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 255, 0, 0);
    expectRgb(1, 0, 0, 0, 255);
    releaseImage(image);

    image = bmp(bmp16Masked());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 0, 255, 0);
    expectRgb(1, 0, 255, 255, 255);
}

TEST_F(BmpDecoder, RunLengthSourcesClipWhatRunsOffTheImage) {
    image = bmp(bmpRle8());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 52, 51, 50);
    expectRgb(2, 0, 52, 51, 50);
    expectRgb(3, 0, 12, 11, 10);
    expectRgb(0, 1, 0, 0, 0);  // skipped by the delta: stays black
    expectRgb(1, 1, 72, 71, 70);
    expectRgb(3, 1, 72, 71, 70);
    releaseImage(image);

    image = bmp(bmpRle4());
    ASSERT_NE(image, nullptr);
    expectRgb(0, 0, 12, 11, 10);
    expectRgb(1, 0, 22, 21, 20);
    expectRgb(2, 0, 12, 11, 10);
    expectRgb(3, 0, 32, 31, 30);
    expectRgb(0, 1, 0, 0, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(BmpDecoder, NewerInfoHeadersAreAnUnknownFormat) {
    for (unsigned size : {108u, 124u, 64u, 0u}) {
        messages.clear();
        EXPECT_EQ(decodeBmp(writeFile("v.bmp", bmpHeaderOfSize(size)).c_str()), nullptr);
        ASSERT_EQ(messages.size(), 1u) << size;
        EXPECT_EQ(messages[0], "Unknown DIB file format.");
    }
}

// With no display for the box, each message is one line on standard error.
TEST_F(BmpDecoder, WithNoBoxToShowEachMessageIsOneLineOnStandardError) {
    const std::string empty = writeFile("empty.bmp", {});
    BmpLayout unknown;
    unknown.headerSize = 108;
    const std::string newer = writeFile("newer.bmp", bmpBytes(unknown));
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display != nullptr ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setDecoderErrorReporter(nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(decodeBmp(empty.c_str()), nullptr);
    EXPECT_EQ(decodeBmp(newer.c_str()), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Failed to open DIB file " + empty + ".\nUnknown DIB file format.\n");
    if (display != nullptr)
        setenv("DISPLAY", savedDisplay.c_str(), 1);
}

TEST_F(BmpDecoder, OpenFailuresAndHostileFilesGiveOneMessageAndNoImage) {
    EXPECT_EQ(decodeBmp((scratchDir() + "/absent.bmp").c_str()), nullptr);
    EXPECT_TRUE(messages.empty()) << "the probe fails silently";

    const std::string empty = writeFile("empty.bmp", Bytes{});
    EXPECT_EQ(decodeBmp(empty.c_str()), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Failed to open DIB file " + empty + ".\n");

    for (const HostileBmp& c : hostileBmps()) {
        messages.clear();
        Image* got = bmp(c.bytes);
        EXPECT_EQ(got, nullptr) << c.what;
        releaseImage(got);
        ASSERT_EQ(messages.size(), 1u) << c.what;
        EXPECT_EQ(messages[0], c.message) << c.what;
    }
}

}  // namespace
