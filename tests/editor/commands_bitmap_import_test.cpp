#include "commands_fixture.h"

#include "definitions/tag_name_list.h"
#include "editor/frame_commands.h"
#include "media/bmp_bytes.h"
#include "tag_files/tag_header.h"

#include <QStatusBar>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <fstream>
#include <span>

namespace editor_test {
namespace {

class BitmapImportTest : public CommandsTest {
protected:
    // Writes the bytes as a file of the working folder; its full path.
    QString write_file(const std::string& name, std::span<const std::byte> bytes) {
        const std::filesystem::path path = folder.path() / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return QString::fromStdString(path.string());
    }

    bool listed_for_pickers(const std::string& name) {
        const definitions::TagNameList* list = frame().registry().find_tag_list(collections);
        return list && std::any_of(list->entries.begin(), list->entries.end(),
                                   [&name](const definitions::TagNameEntry& entry) { return entry.name == name; });
    }

    void expect_no_messages() {
        EXPECT_TRUE(services.messages().empty()) << services.message_texts().join("; ").toStdString();
    }
};

struct ImportCase {
    int command;
    std::int32_t tag_size;  // header and data of the collection written
};

constexpr ImportCase import_cases[] = {
    {command_id::import_overhead_map, 19808},
    {command_id::import_netmap_preview, 75494},
};

TEST_F(BitmapImportTest, CancellingTheFileDialogChangesNothing) {
    for (const ImportCase& import : import_cases) {
        EXPECT_TRUE(frame().command_enabled(import.command));
        frame().run_command(import.command);
    }
    expect_no_messages();
    std::array<tag_handle, tag_group_list_limit> handles;
    EXPECT_EQ(tag_list_of_group(collections, handles.data()), 0);
}

TEST_F(BitmapImportTest, ValidBitmapBecomesCollectionListedForPickers) {
    for (const ImportCase& import : import_cases) {
        const std::string name = "harbour " + std::to_string(import.command) + ".bmp";
        SCOPED_TRACE(name);
        services.queue_open_file(write_file(name, media_test::ramp_bmp(20, 10).bytes()));
        frame().run_command(import.command);
        expect_no_messages();
        const tag_handle handle = tag_named(collections, name);
        ASSERT_NE(handle, NONE);
        EXPECT_EQ(tag_visible_header(handle)->size, import.tag_size);
        EXPECT_TRUE(listed_for_pickers(name));
        EXPECT_EQ(frame().statusBar()->currentMessage(),
                  QStringLiteral("Imported %1 as collections/%1").arg(QString::fromStdString(name)));
    }
}

TEST_F(BitmapImportTest, ShownCollectionBranchGetsTheNewTagSelected) {
    services.set_shift_held(true);
    ASSERT_NE(group_item(collections), nullptr);
    services.set_shift_held(false);
    services.queue_open_file(write_file("island.bmp", media_test::ramp_bmp(8, 8).bytes()));
    frame().run_command(command_id::import_overhead_map);
    expect_no_messages();
    EXPECT_EQ(tag_texts(collections), QStringList{QStringLiteral("island.bmp")});
    EXPECT_EQ(group_item(collections)->text(0), QStringLiteral("collections (1)"));
    ASSERT_NE(frame().selected_item(), nullptr);
    EXPECT_EQ(frame().selected_item()->text(0), QStringLiteral("island.bmp"));
}

TEST_F(BitmapImportTest, UnusableFilesShowTheirErrorAndWriteNothing) {
    media_test::BmpFile four_bit = media_test::ramp_bmp(8, 8);
    four_bit.bit_count = 4;
    media_test::BmpFile run_encoded = media_test::ramp_bmp(8, 8);
    run_encoded.compression = 1;
    const std::byte jpeg[] = {std::byte{0xFF}, std::byte{0xD8}, std::byte{0xFF}, std::byte{0xE0}, std::byte{0},
                              std::byte{0x10}, std::byte{'J'},  std::byte{'F'},  std::byte{'I'},  std::byte{'F'},
                              std::byte{0},    std::byte{1},    std::byte{1},    std::byte{0},    std::byte{0}};
    const QString photo = write_file("photo.bmp", jpeg);
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {photo, photo + QStringLiteral(" is not a valid bitmap file!")},
        {write_file("four bit.bmp", four_bit.bytes()),
         QStringLiteral("Tessary only supports 8-bit uncompressed Windows bitmaps")},
        {write_file("run encoded.bmp", run_encoded.bytes()),
         QStringLiteral("Tessary only supports 8-bit uncompressed Windows bitmaps")},
    };
    for (const auto& file : cases) {
        SCOPED_TRACE(file.path.toStdString());
        services.clear_messages();
        services.queue_open_file(file.path);
        frame().run_command(command_id::import_netmap_preview);
        ASSERT_EQ(services.messages().size(), 1u);
        EXPECT_EQ(services.messages()[0].text, file.message);
        EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(services.messages()[0].icon, platform::Icon::stop);
        EXPECT_EQ(services.messages()[0].buttons, platform::Buttons::ok);
    }
    for (const char* name : {"photo.bmp", "four bit.bmp", "run encoded.bmp"}) {
        EXPECT_EQ(tag_named(collections, name), NONE) << name;
        EXPECT_FALSE(listed_for_pickers(name)) << name;
    }
}

}  // namespace
}  // namespace editor_test
