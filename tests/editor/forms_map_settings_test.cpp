// The map settings form: only the first 1024 bytes of a map tag, converted with the
// map header's codes.

#include "form_driving.h"

#include "definitions/map_definitions.h"
#include "editor/forms/map_settings_form.h"
#include "editor/toolkit/color_picker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <bit>
#include <cstring>
#include <string>

namespace editor_test {
namespace {

using definitions::mesh_header;
namespace ms = map_settings_form;

constexpr tag_code maps = make_tag("mesh");
constexpr size_t header_size = 1024;

class MapSettingsFormTest : public DrivenFormTest {
protected:
    // The header in file order followed by `tail_size` bytes of map data.
    static std::vector<std::byte> map_bytes(mesh_header header, size_t tail_size) {
        byte_swap_data("map header", &header, sizeof header, 1, definitions::mesh_header_codes);
        std::vector<std::byte> bytes(header_size + tail_size);
        std::memcpy(bytes.data(), &header, sizeof header);
        for (size_t i = header_size; i < bytes.size(); ++i) bytes[i] = static_cast<std::byte>(i * 131 % 251);
        return bytes;
    }

    static mesh_header blank_header() {
        mesh_header header{};
        for (tag_code* reference : {&header.landscape_collection, &header.media, &header.mesh_lighting,
                                    &header.connector, &header.particle_system, &header.ambient_sound,
                                    &header.map_description, &header.postgame_collection,
                                    &header.pregame_collection, &header.overhead_map_collection,
                                    &header.next_mesh_on_success, &header.next_mesh_on_failure,
                                    &header.pregame_storyline, &header.wind, &header.picture_captions,
                                    &header.narration_sound, &header.hints_list})
            *reference = NONE;
        return header;
    }
};

TEST_F(MapSettingsFormTest, SavingLeavesEveryByteAfterTheHeaderUnchanged) {
    const tag_code lighting = add_tag(make_tag("meli"), "dusk");
    const tag_code next = add_tag(maps, "second", map_bytes(blank_header(), 16));
    mesh_header header = blank_header();
    header.team_count = 4;
    header.unused_20[0] = 0x5A;
    header.unused_548[0] = 0x77;
    header.unused_548[475] = 0x66;
    const std::vector<std::byte> before = map_bytes(header, 3 * 1024 * 1024);
    const tag_code first = add_tag(maps, "first", before);

    auto dialog = open(maps, first);
    pick(*dialog, 1009, "dusk");
    pick(*dialog, 1018, "second");
    type(*dialog, 1239, "-1");
    type(*dialog, 1240, "2.5");
    accept(*dialog);

    const std::vector<std::byte> after = tag_data(maps, first);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin() + header_size, before.end(), after.begin() + header_size));
    EXPECT_EQ(stored(after, 68, 4), static_cast<int32_t>(lighting));
    EXPECT_EQ(stored(after, 156, 4), static_cast<int32_t>(next));
    EXPECT_EQ(stored(after, 84, 4), -1);
    EXPECT_EQ(stored(after, 112, 2), 1280);
    EXPECT_EQ(after[20], std::byte{0x5A});
    EXPECT_EQ(after[548], std::byte{0x77});
    EXPECT_EQ(after[1023], std::byte{0x66});
}

TEST_F(MapSettingsFormTest, ValuesShownAndStoredInTheirKinds) {
    mesh_header header = blank_header();
    header.team_count = 70000;  // beyond the 16-bit box: kept while untouched
    header.reverb_environment = 5;
    header.reverb_volume = 0.5f;
    header.reverb_decay_time = 1.25f;
    header.fog_density = 0.0015f;
    header.lighting_transition_point = 32768;
    header.dark_color_fraction = 384;
    header.flags = 0x1 | 0x4000 | 0x8000000 | 0x10000000;  // bits 14 and 27, 28 have no box
    const tag_code map = add_tag(maps, "map", map_bytes(header, 8));

    auto dialog = open(maps, map);
    EXPECT_EQ(dialog->control_as<QComboBox>(1025)->currentText(), "Stone Room");
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(1025)).size(), 27);
    EXPECT_EQ(text_of(*dialog, 1051), "0.500");
    EXPECT_EQ(text_of(*dialog, 1237), "1.250");
    EXPECT_EQ(text_of(*dialog, 1243), "0.001500");
    EXPECT_EQ(text_of(*dialog, 1235), "0.500");
    EXPECT_EQ(text_of(*dialog, 1232), "1.500");
    EXPECT_TRUE(checked(*dialog, ms::flag_id(0x1)));
    EXPECT_EQ(dialog->control_as<QCheckBox>(1336)->text(), "Custom");
    EXPECT_EQ(dialog->control_as<QCheckBox>(ms::flag_id(0x80000000))->text(), "Requires Plugin:");
    EXPECT_EQ(dialog->findChildren<QCheckBox*>().size(), 28);

    click(*dialog, 1323);
    click(*dialog, 1336);
    click(*dialog, ms::flag_id(0x40000000));
    pick(*dialog, 1025, "NONE");
    type(*dialog, 1051, "0.25");
    type(*dialog, 1243, "0.000123");
    type(*dialog, 1235, "-1.5");
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(maps, map);
    EXPECT_EQ(stored(data, 76, 4, false), 0x2000 | 0x4000 | 0x8000000 | 0x10000000 | 0x40000000);
    EXPECT_EQ(stored(data, 84, 4), 70000);
    EXPECT_EQ(stored(data, 268, 4), -1);
    EXPECT_EQ(static_cast<uint32_t>(stored(data, 272, 4, false)), std::bit_cast<uint32_t>(0.25f));
    EXPECT_EQ(static_cast<uint32_t>(stored(data, 276, 4, false)), std::bit_cast<uint32_t>(1.25f));
    EXPECT_EQ(static_cast<uint32_t>(stored(data, 504, 4, false)), std::bit_cast<uint32_t>(0.000123f));
    EXPECT_EQ(stored(data, 108, 4), -98304);
}

TEST_F(MapSettingsFormTest, TextsStayInsideTheirFields) {
    mesh_header header = blank_header();
    std::memset(header.pregame_movie, 'a', sizeof header.pregame_movie);  // no terminator
    std::memset(header.success_movie, 'b', sizeof header.success_movie);
    std::strcpy(header.required_plugin, "Dwarves");
    const tag_code map = add_tag(maps, "map", map_bytes(header, 8));

    auto dialog = open(maps, map);
    EXPECT_EQ(text_of(*dialog, 1020), QString(63, 'a'));
    EXPECT_EQ(text_of(*dialog, 1028), "Dwarves");
    EXPECT_EQ(dialog->control_as<QLineEdit>(1028)->maxLength(), 31);
    EXPECT_EQ(dialog->control_as<QLineEdit>(1022)->maxLength(), 63);
    dialog->control_as<QLineEdit>(ms::required_plugin_id)->setFocus();
    type(*dialog, ms::required_plugin_id, QString(40, 'p'));
    EXPECT_EQ(text_of(*dialog, ms::required_plugin_id), QString(31, 'p'));
    type(*dialog, 1021, "victory");
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(maps, map);
    for (size_t i = 0; i < 64; ++i) EXPECT_EQ(data[300 + i], std::byte{'a'}) << i;
    const std::string success(reinterpret_cast<const char*>(&data[364]), 64);
    EXPECT_EQ(success, std::string("victory") + std::string(57, '\0'));
    for (size_t i = 0; i < 31; ++i) EXPECT_EQ(data[516 + i], std::byte{'p'}) << i;
    EXPECT_EQ(data[547], std::byte{0});
}

TEST_F(MapSettingsFormTest, TextTheGameCannotShowIsRefused) {
    const tag_code map = add_tag(maps, "map", map_bytes(blank_header(), 0));
    const std::vector<std::byte> before = tag_data(maps, map);
    auto dialog = open(maps, map);
    services.clear_messages();
    type(*dialog, 1021, QString::fromUtf8("fin → end"));
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(services.message_texts(),
              QStringList{QString::fromUtf8("The character U+2192 '→' has no equivalent in the game's character set.")});
    EXPECT_EQ(dialog->control_as<QLineEdit>(1021)->selectedText(), QString::fromUtf8("→"));
    EXPECT_EQ(tag_data(maps, map), before);
}

TEST_F(MapSettingsFormTest, ColourButtonsEditTheirRowsColour) {
    mesh_header header = blank_header();
    header.fog_color = {0x1234, 0x5678, 0x9ABC, 0x0100};
    header.blood_color = {0xFFFF, 0x0101, 0x0202, 0x0004};
    const tag_code map = add_tag(maps, "map", map_bytes(header, 8));

    auto dialog = open(maps, map);
    through(*dialog, ms::fog_color_id, [](QDialog& opened) {
        auto& picker = dynamic_cast<CCustomColorPickerDlg&>(opened);
        EXPECT_EQ(picker.windowTitle(), "Color");
        EXPECT_FALSE(picker.control(color_flags_group_id)->isHidden());
        auto* red = qobject_cast<QLineEdit*>(picker.control(color_red_id));
        EXPECT_EQ(red->text(), "18");
        red->setText("16");
        emit red->textEdited("16");
        qobject_cast<QCheckBox*>(picker.control(color_uses_global_tint_id))->setChecked(true);
        picker.accept();
    });
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(maps, map);
    // The changed component is its value x 256; the others and the flag bit without a
    // box keep their stored bits.
    EXPECT_EQ(stored(data, 496, 2, false), 0x1000);
    EXPECT_EQ(stored(data, 498, 2, false), 0x5678);
    EXPECT_EQ(stored(data, 500, 2, false), 0x9ABC);
    EXPECT_EQ(stored(data, 502, 2, false), 0x0102);
    EXPECT_EQ(stored(data, 244, 2, false), 0xFFFF);
    EXPECT_EQ(stored(data, 250, 2, false), 0x0004);
}

TEST_F(MapSettingsFormTest, TooShortATagCanOnlyBeCancelled) {
    for (size_t size : {size_t{1}, size_t{500}, size_t{1023}}) {
        const std::string name = "short" + std::to_string(size);
        const tag_code map = add_tag(maps, name, std::vector<std::byte>(size, std::byte{0x11}));
        services.clear_messages();
        auto dialog = open(maps, map);
        EXPECT_TRUE(services.message_texts().contains("Error reading tag file!")) << size;
        dialog->accept();
        EXPECT_NE(dialog->result(), QDialog::Accepted) << size;
        EXPECT_EQ(tag_data(maps, map), std::vector<std::byte>(size, std::byte{0x11})) << size;
    }
}

// New creates a map empty: its form shows an all-zero header and OK gives it one.
TEST_F(MapSettingsFormTest, AnEmptyMapOpensAsAnAllZeroHeader) {
    const tag_code map = add_tag(maps, "Desert Map", {});
    services.clear_messages();
    auto dialog = open(maps, map);
    EXPECT_TRUE(services.message_texts().empty());
    EXPECT_EQ(dialog->control_as<QLineEdit>(1239)->text(), "0");
    accept(*dialog);
    EXPECT_EQ(tag_data(maps, map), std::vector<std::byte>(header_size));

    type(*(dialog = open(maps, map)), 1239, "3");
    accept(*dialog);
    const std::vector<std::byte> after = tag_data(maps, map);
    ASSERT_EQ(after.size(), header_size);
    EXPECT_EQ(stored(after, 84, 4), 3);
}

// Maps have no default record, so the checks over every form leave their picture to
// this test: TESSARY_FORM_PICTURES=$PWD/docs/forms ... --gtest_filter='MapSettingsFormTest.FormFitsAScreen'
TEST_F(MapSettingsFormTest, FormFitsAScreen) {
    auto dialog = open(maps, add_tag(maps, "picture", map_bytes(blank_header(), 0)));
    check_picture(*dialog, "mesh");
}

}  // namespace
}  // namespace editor_test
