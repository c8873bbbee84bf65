// `check` reads the data of fonts, sounds and collections with their own readers:
// tags written by our writers pass, and each kind of damage is reported once,
// with the reader's reason.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "media/sound_tag.h"
#include "support/sound_permutation.h"

namespace cli_test {
namespace {

struct Damage {
    const char* tag;
    std::size_t at;                     // where bytes are overwritten
    std::vector<unsigned char> bytes;   // empty: the data is cut at `at`
    const char* reason;
};

class CheckMedia : public CliTest {
protected:
    void SetUp() override {
        ok({"demo", "."});
        ok({"import-font", "DejaVu Sans", "body", "--size", "10"});
        sound_tag sound = new_sound_tag();
        sound.permutations.push_back(test_support::marked_permutation("door", 4, 0x11, 0, 22050));
        folder.write_file("door.raw", to_string(*write_sound_tag(sound)));
        ok({"new", "soun", "Door"});
        ok({"import", "soun/Door", "door.raw", "--raw", "--force"});
    }

    void damage(const Damage& d) {
        std::string bytes = to_string(raw(d.tag));
        if (d.bytes.empty()) {
            bytes.resize(d.at);
        } else {
            for (std::size_t index = 0; index < d.bytes.size(); ++index) bytes[d.at + index] = static_cast<char>(d.bytes[index]);
        }
        folder.write_file("damaged.raw", bytes);
        ok({"import", d.tag, "damaged.raw", "--raw", "--force"});
    }
};

TEST_F(CheckMedia, EachDamagedMediaTagIsReportedOnceWithTheReadersReason) {
    const CliRun clean = cli({"check"});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;

    const Damage damages[] = {
        {"font/body", 20, {0x7F, 0xFF, 0xFF, 0xFF},
         "fonts/body: the character block does not lie inside the tag after the font record"},
        {"font/body", 16, {0, 0, 0, 0}, "fonts/body: the character block does not lie inside the tag after the font record"},
        {"font/body", 64 + 4, {0xFF, 0xFE}, "fonts/body: a character record has a negative width or height"},
        {"soun/Door", 200, {}, "sounds/Door: the samples of permutation 0 run past the end of the tag (200 bytes)"},
        {".256/Demo Figure", 400, {}, "collections/Demo Figure: the collection header or its data block does not fit the tag"},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.reason);
        const std::string before = to_string(raw(d.tag));
        damage(d);
        const CliRun check = cli({"check"});
        EXPECT_EQ(check.status, 1);
        EXPECT_NE(check.out.find(std::string(d.reason) + "\n"), std::string::npos) << check.out;
        EXPECT_EQ(check.out.find(d.reason), check.out.rfind(d.reason)) << "reported once";
        folder.write_file("intact.raw", before);
        ok({"import", d.tag, "intact.raw", "--raw", "--force"});
    }
    EXPECT_EQ(cli({"check"}).status, 0);
}

}  // namespace
}  // namespace cli_test
