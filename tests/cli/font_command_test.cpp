// import-font: font tags drawn from the system's fonts, as the editor's New for
// `font` makes them.

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "media/font_import.h"
#include "media/system_fonts.h"

namespace cli_test {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(CliTest, ImportFontListsTheFamiliesOneALine) {
    const std::string listed = ok({"import-font", "--list"});
    EXPECT_TRUE(contains(listed, "\nDejaVu Sans\n") || listed.starts_with("DejaVu Sans\n")) << listed;
    EXPECT_TRUE(contains(listed, "DejaVu Serif\n")) << listed;
    EXPECT_EQ(cli({"import-font", "--list", "DejaVu Sans"}).status, 2);
}

TEST_F(CliTest, ImportFontWritesWhatTheImportDraws) {
    const std::string created = ok({"import-font", "dejavu sans", "Body", "--size", "12", "--bold", "--all-caps"});
    EXPECT_TRUE(contains(created, "created fonts/Body")) << created;

    font_import_options options;
    options.family = "DejaVu Sans";
    options.point_size = 12;
    options.bold = true;
    const auto font = system_font::open(options);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(raw("font/Body"), build_font_tag_data(*font, false, true));

    const std::string listed = ok({"list", "--group", "font"});
    EXPECT_TRUE(contains(listed, "Body")) << listed;
}

TEST_F(CliTest, ImportFontKeepsAnExistingTagUnlessForced) {
    ok({"import-font", "DejaVu Sans", "Body"});
    const std::vector<std::byte> first = raw("font/Body");
    const CliRun again = cli({"import-font", "DejaVu Sans", "body", "--antialiased"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(contains(again.err, "already exists")) << again.err;
    EXPECT_EQ(raw("font/Body"), first);

    ok({"import-font", "DejaVu Sans", "body", "--antialiased", "--force"});
    EXPECT_NE(raw("font/Body"), first);
    const std::string listed = ok({"list", "--group", "font"});
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2) << "the heading and one tag";
}

TEST_F(CliTest, ImportFontRefusesWrongSizesNamesAndFamilies) {
    ok({"import-font", "DejaVu Sans", "Body"});
    struct Refused {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const Refused cases[] = {
        {{"import-font", "DejaVu Sans", "Small", "--size", "3"}, 2, "from 4 to 72"},
        {{"import-font", "DejaVu Sans", "Large", "--size", "73"}, 2, "from 4 to 72"},
        {{"import-font", "DejaVu Sans", "Odd", "--size", "ten"}, 2, "from 4 to 72"},
        {{"import-font", "DejaVu Sans", std::string(32, 'n')}, 2, "at most 31 characters"},
        {{"import-font", "DejaVu Sans"}, 2, "FAMILY and NAME"},
        {{"import-font", "No Such Family", "Missing"}, 1, "no font family named 'No Such Family'"},
        {{"new", "font", "Empty"}, 1, "import-font FAMILY NAME"},
    };
    for (const Refused& refused : cases) {
        SCOPED_TRACE(refused.message);
        const CliRun run = cli(refused.arguments);
        EXPECT_EQ(run.status, refused.status);
        EXPECT_TRUE(contains(run.err, refused.message)) << run.err;
    }
    const std::string listed = ok({"list", "--group", "font"});
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2) << "no tag was made besides Body";
}

}  // namespace
}  // namespace cli_test
