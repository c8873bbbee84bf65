// import-sound, export-sound and the permutation table of info, run as a user
// runs them on WAVE files sox makes, with sox reading back what we export.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli_runner.h"
#include "media/sound_tag.h"
#include "media/wave_writer.h"
#include "support/sound_permutation.h"

namespace cli_test {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string shell(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    char buffer[256];
    std::size_t count;
    while (pipe && (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, count);
    EXPECT_TRUE(pipe && ::pclose(pipe) == 0) << command;
    return text;
}

class SoundCommands : public CliTest {
protected:
    // A tone made by sox in the working folder; the format is given to the null
    // input too, so that a length in samples counts samples of the file.
    std::string sox(const std::string& name, const std::string& arguments, const std::string& length) const {
        shell("sox " + arguments + " -n " + arguments + " '" + (folder.path() / name).string() + "' synth " + length +
              " sine 440 vol 0.8 2>&1");
        return name;
    }
    const cli::Json& permutation(const cli::Json& info, std::size_t index) const {
        return info.at("permutations").at(index);
    }
    static std::int64_t number(const cli::Json& object, const char* key) {
        return std::stoll(cli::json::number_text(object.at(key)));
    }
};

TEST_F(SoundCommands, ImportCreatesTheTagAndAppendsPermutations) {
    sox("door.creak.wav", "-r 22050 -c 1 -b 16 -e signed-integer", "1001s");
    sox("wind.wav", "-r 44100 -c 2 -b 16 -e signed-integer", "4411s");
    sox("bell.wav", "-r 48000 -c 1 -b 16 -e signed-integer", "64s");
    EXPECT_TRUE(contains(ok({"import-sound", "soun/Creak", "door.creak.wav", "wind.wav"}), "2 permutations added, 2 in all"));
    EXPECT_TRUE(contains(ok({"import-sound", "sounds/creak", "bell.wav"}), "1 permutation added, 3 in all"));

    const cli::json::ReadResult info = cli::json::read(ok({"info", "soun/creak", "--json"}));
    ASSERT_TRUE(info.value) << info.error;
    const struct {
        const char* name;
        std::int64_t channels, rate, frames, data_size;
    } expected[] = {
        {"door", 1, 22050, 1024, 16 * 34},
        {"wind", 2, 44100, 4416, 2 * 69 * 34},
        {"bell", 1, 48000, 64, 34},
    };
    for (std::size_t index = 0; index < 3; ++index) {
        const cli::Json& entry = permutation(*info.value, index);
        EXPECT_EQ(entry.at("name"), expected[index].name);
        EXPECT_EQ(number(entry, "channels"), expected[index].channels) << index;
        EXPECT_EQ(number(entry, "rate"), expected[index].rate) << index;
        EXPECT_EQ(number(entry, "frames"), expected[index].frames) << index;
        EXPECT_EQ(number(entry, "data_size"), expected[index].data_size) << index;
        EXPECT_EQ(number(entry, "skip_fraction"), 0) << index;
    }
    const std::string table = ok({"info", "soun/creak"});
    EXPECT_TRUE(contains(table, "permutations: 3")) << table;
    EXPECT_TRUE(contains(table, "wind")) << table;
    EXPECT_TRUE(contains(table, "0.100")) << "4416 frames at 44100 Hz\n" << table;
    EXPECT_EQ(raw("soun/creak").size(), std::size_t(64 + 3 * 64 + 544 + 4692 + 34));
}

TEST_F(SoundCommands, RefusalsWriteNothing) {
    sox("good.wav", "-r 11025 -c 1 -b 16 -e signed-integer", "100s");
    sox("eight.wav", "-r 11025 -c 1 -b 8 -e unsigned-integer", "100s");
    CliRun run = cli({"import-sound", "soun/Fresh", "good.wav", "eight.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "eight.wav: Only 16-bit wave files are supported; nothing was imported")) << run.err;
    EXPECT_NE(cli({"info", "soun/Fresh"}).status, 0) << "no tag was made";

    ok({"import-sound", "soun/Full", "good.wav", "good.wav", "good.wav", "good.wav", "good.wav"});
    const std::vector<std::byte> full = raw("soun/full");
    run = cli({"import-sound", "soun/Full", "good.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "good.wav: A sound holds at most 5 permutations. Nothing was imported.")) << run.err;
    run = cli({"import-sound", "soun/Other", "missing.wav"});
    EXPECT_TRUE(contains(run.err, "missing.wav: error opening file!")) << run.err;
    EXPECT_EQ(raw("soun/full"), full);

    // A sound claiming six permutations is refused by every command, and kept.
    std::string damaged = to_string(full);
    damaged[39] = 6;
    folder.write_file("damaged.bin", damaged);
    ok({"import", "soun/Full", "damaged.bin", "--raw"});
    for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
             {"import-sound", "soun/Full", "good.wav"}, {"export-sound", "soun/Full", "-o", "out.wav"}, {"info", "soun/Full"}}) {
        run = cli(command);
        EXPECT_EQ(run.status, 1) << command[0];
        EXPECT_TRUE(contains(run.err, "sounds/Full is not a readable sound: the sound has 6 permutations; at most 5 can be edited"))
            << command[0] << ": " << run.err;
    }
    EXPECT_TRUE(contains(run.out, "name:        Full")) << "info still shows the header\n" << run.out;
    EXPECT_EQ(to_string(raw("soun/full")), damaged);
}

TEST_F(SoundCommands, ExportDecodesAPermutationAtItsRate) {
    sox("left.wav", "-r 8000 -c 1 -b 16 -e signed-integer", "300s");
    sox("both.wav", "-r 44100 -c 2 -b 16 -e signed-integer", "1000s");
    ok({"import-sound", "soun/Pair", "left.wav", "both.wav"});
    EXPECT_TRUE(contains(ok({"export-sound", "soun/pair", "--permutation", "1", "-o", "out.wav"}), "at 44100 Hz"));
    const std::string out = (folder.path() / "out.wav").string();
    EXPECT_EQ(shell("soxi -c '" + out + "'"), "2\n");
    EXPECT_EQ(shell("soxi -r '" + out + "'"), "44100\n");
    EXPECT_EQ(shell("soxi -s '" + out + "'"), "1024\n") << "16 blocks of 64 frames";
    ok({"export-sound", "soun/pair", "-o", "first.wav"});
    EXPECT_EQ(shell("soxi -r '" + (folder.path() / "first.wav").string() + "'"), "8000\n");

    CliRun run = cli({"export-sound", "soun/pair", "--permutation", "2", "-o", "x.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "sounds/Pair has 2 permutations, numbered 0 to 1")) << run.err;
    EXPECT_EQ(cli({"export-sound", "soun/pair"}).status, 2) << "-o is needed";
    EXPECT_EQ(cli({"export-sound", "soun/pair", "--permutation", "-1", "-o", "x.wav"}).status, 2);
    ok({"new", "mons", "Ogre"});
    run = cli({"export-sound", "mons/Ogre", "-o", "x.wav"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.err, "'mons/Ogre' is not a sound")) << run.err;
}

// A sound longer than the pieces both commands work in goes in and out whole:
// the exported file is the WAVE file of everything the tag decodes to.
TEST_F(SoundCommands, ALongSoundIsExportedWhole) {
    sox("long.wav", "-r 44100 -c 2 -b 16 -e signed-integer", "300001s");
    ok({"import-sound", "soun/Long", "long.wav"});
    ok({"export-sound", "soun/long", "-o", "out.wav"});
    const sound_tag_read_result read = read_sound_tag(raw("soun/long"));
    ASSERT_TRUE(read.sound) << read.problem;
    const sound_tag_permutation& permutation = read.sound->permutations.at(0);
    EXPECT_EQ(permutation.header.count, (300001 + 63) / 64 * 2);
    const std::vector<std::byte> expected =
        wave_file_bytes(decode_sound_permutation(permutation).value(), 2, 44100).value();
    EXPECT_TRUE(to_string(expected) == folder.read_file("out.wav")) << "the exported file differs";
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "out.wav.tessary-cli-new"));
}

// A stored name is shown as the editor shows it; a permutation of 0 Hz is no
// WAVE file, and export-sound says so instead of writing one.
TEST_F(SoundCommands, NamesAreShownAsTextAndARateOfZeroIsRefused) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(test_support::marked_permutation("caf\x8E", 2, 0x11, 0, 22050));
    sound.permutations.push_back(test_support::marked_permutation("mute", 2, 0x22, 0, 0));
    folder.write_file("bell.raw", to_string(*write_sound_tag(sound)));
    ok({"new", "soun", "Bell"});
    ok({"import", "soun/Bell", "bell.raw", "--raw", "--force"});
    EXPECT_TRUE(contains(ok({"info", "soun/Bell"}), "  0  caf\xC3\xA9  "));
    const CliRun run = cli({"export-sound", "soun/Bell", "--permutation", "1", "-o", "mute.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "permutation 1 of sounds/Bell has a sample rate of 0 Hz")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "mute.wav"));
}

}  // namespace
}  // namespace cli_test
