// export-bitmap and export-sequence, run as a user would, their files read back
// pixel for pixel (PNG files by Qt's reader).

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli_runner.h"
#include "media/bmp_reader.h"
#include "media/collection_picture.h"

namespace cli_test {
namespace {

std::vector<std::byte> file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return to_bytes(text);
}

class ExportBitmapTest : public CliTest {
protected:
    void SetUp() override { ok({"demo", "."}); }

    // The file's pixels and palette against the picture.
    void expect_file_shows(const std::string& file, const collection_picture& picture) {
        const bmp_read_result read = read_bmp(file_bytes(folder.path() / file), 4096, 4096);
        ASSERT_EQ(read.problem, bmp_problem::none);
        ASSERT_EQ(read.image.width, picture.image.width);
        ASSERT_EQ(read.image.height, picture.image.height);
        EXPECT_EQ(read.image.pixels, picture.image.indexes);
        for (int i = 0; i < color_table_capacity; ++i) {
            EXPECT_EQ(read.image.palette[size_t(i)].red, picture.colors.colors[i].red >> 8) << i;
            EXPECT_EQ(read.image.palette[size_t(i)].green, picture.colors.colors[i].green >> 8) << i;
            EXPECT_EQ(read.image.palette[size_t(i)].blue, picture.colors.colors[i].blue >> 8) << i;
        }
    }
};

TEST_F(ExportBitmapTest, WritesTheBitmapWithItsColourTable) {
    const std::vector<std::byte> collection = raw(".256/Demo Figure");
    const auto picture = read_collection_picture(collection, 1, {});
    ASSERT_TRUE(picture.has_value());
    EXPECT_NE(
        ok({"export-bitmap", ".256/Demo Figure", "--bitmap", "1", "-o", "pose.bmp"}).find("wrote pose.bmp"),
        std::string::npos);
    expect_file_shows("pose.bmp", *picture);

    const CliRun beyond = cli({"export-bitmap", ".256/Demo Figure", "--bitmap", "99", "-o", "none.bmp"});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_NE(beyond.err.find("no bitmap 99"), std::string::npos) << beyond.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.bmp"));
}

// Every pixel of the PNG file: transparent where the colour index is 0, else
// the table colour's high bytes, opaque.
void expect_png_shows(const std::filesystem::path& file, const collection_picture& picture) {
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(file.string()), "PNG")) << file;
    ASSERT_EQ(image.width(), picture.image.width);
    ASSERT_EQ(image.height(), picture.image.height);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t index = picture.image.indexes[std::size_t(y * image.width() + x)];
            const QRgb pixel = image.pixel(x, y);
            if (index == 0) {
                EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
                continue;
            }
            const rgb_color& colour = picture.colors.colors[index];
            EXPECT_EQ(pixel, qRgba(colour.red >> 8, colour.green >> 8, colour.blue >> 8, 255))
                << x << "," << y;
        }
    }
}

TEST_F(ExportBitmapTest, WritesPngWhenTheFileNameSaysSo) {
    const auto picture = read_collection_picture(raw(".256/Demo Figure"), 2, {});
    ASSERT_TRUE(picture.has_value());
    ok({"export-bitmap", ".256/Demo Figure", "--bitmap", "2", "-o", "pose.PNG"});
    expect_png_shows(folder.path() / "pose.PNG", *picture);
}

// The demo's walking sequence has one view and one frame per pose, every pose
// the same size with the same origin: frame k is pose k as it is.
TEST_F(ExportBitmapTest, WritesOnePngPerFrameOfASequence) {
    const std::vector<std::byte> collection = raw(".256/Demo Figure");
    EXPECT_NE(ok({"export-sequence", ".256/Demo Figure", "--sequence", "Walking", "-o", "walk"})
                  .find("wrote 4 frames to walk (32 x 32)"),
              std::string::npos);
    for (int frame = 0; frame < 4; ++frame) {
        const auto picture = read_collection_picture(collection, frame, {});
        ASSERT_TRUE(picture.has_value());
        expect_png_shows(folder.path() / "walk" / ("frame_00" + std::to_string(frame) + ".png"), *picture);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "walk" / "frame_004.png"));

    // Sequence 1 by number, recoloured through core/Beta's first permutation.
    ok({"export-sequence", ".256/Demo Figure", "--sequence", "1", "--core", "core/Beta", "-o", "beta"});
    const std::vector<std::byte> core = raw("core/Beta");
    std::array<rgb_color, 8> permutation{};
    for (std::size_t colour = 0; colour < permutation.size(); ++colour) {
        const auto word = [&](std::size_t at) {
            return std::uint16_t(std::to_integer<unsigned>(core[at]) << 8 |
                                 std::to_integer<unsigned>(core[at + 1]));
        };
        const std::size_t at = 8 + 8 * colour;
        permutation[colour] = {word(at), word(at + 2), word(at + 4), word(at + 6)};
    }
    const auto recoloured = read_collection_picture(collection, 3, permutation);
    ASSERT_TRUE(recoloured.has_value());
    expect_png_shows(folder.path() / "beta" / "frame_003.png", *recoloured);

    const CliRun unknown = cli({"export-sequence", ".256/Demo Figure", "--sequence", "running", "-o", "x"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("has 2 sequences, no sequence 'running'"), std::string::npos) << unknown.err;
    const CliRun view =
        cli({"export-sequence", ".256/Demo Figure", "--sequence", "0", "--view", "1", "-o", "x"});
    EXPECT_EQ(view.status, 1);
    EXPECT_NE(view.err.find("sequence 'standing' has 1 view, no view 1"), std::string::npos) << view.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "x"));
}

TEST_F(ExportBitmapTest, RecoloursThroughAPermutationOfACollectionReference) {
    // core/Beta names the demo collection; make its first permutation blue for every hue change.
    std::vector<std::byte> core = raw("core/Beta");
    ASSERT_GE(core.size(), 384u);
    core[4] = std::byte{0};
    core[5] = std::byte{1};
    std::array<rgb_color, 8> blue{};
    for (int i = 0; i < 8; ++i) {
        blue[size_t(i)] = {0, 0, 65535, 0};
        const std::byte colour[8] = {{}, {}, {}, {}, std::byte{0xFF}, std::byte{0xFF}, {}, {}};
        std::memcpy(core.data() + 8 + 8 * size_t(i), colour, sizeof colour);
    }
    {
        std::ofstream out(folder.path() / "beta.bin", std::ios::binary);
        out.write(reinterpret_cast<const char*>(core.data()), std::streamsize(core.size()));
    }
    ok({"import", "core/Beta", "beta.bin", "--raw"});
    const auto plain = read_collection_picture(raw(".256/Demo Figure"), 0, {});
    const auto recolored = read_collection_picture(raw(".256/Demo Figure"), 0, blue);
    ASSERT_TRUE(plain && recolored);
    ASSERT_NE(std::memcmp(plain->colors.colors, recolored->colors.colors, sizeof plain->colors.colors), 0);
    ok({"export-bitmap", ".256/Demo Figure", "--core", "core/Beta", "--permutation", "0", "-o", "blue.bmp"});
    expect_file_shows("blue.bmp", *recolored);

    const CliRun missing = cli(
        {"export-bitmap", ".256/Demo Figure", "--core", "core/Beta", "--permutation", "1", "-o", "x.bmp"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("has 1 permutation, no permutation 1"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace cli_test
