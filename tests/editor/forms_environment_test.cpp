// The media, mesh effect, mesh lighting and particle system forms.

#include "form_driving.h"

#include "definitions/media_definitions.h"
#include "definitions/mesh_effect_definitions.h"
#include "definitions/mesh_lighting_definitions.h"
#include "definitions/particle_system_definitions.h"
#include "editor/forms/media_form.h"
#include "editor/toolkit/color_picker.h"
#include "editor/toolkit/color_ref_button.h"

#include <QComboBox>
#include <QLineEdit>

#include <bit>
#include <cstring>
#include <utility>

namespace editor_test {
namespace {

using definitions::media_definition;
using definitions::mesh_effect_definition;
using definitions::mesh_lighting_definition;
using definitions::particle_system_definition;

constexpr tag_code media = make_tag("medi");
constexpr tag_code mesh_effects = make_tag("meef");
constexpr tag_code mesh_lightings = make_tag("meli");
constexpr tag_code particle_systems = make_tag("part");

// The stored bytes of a float, as stored (big-endian).
uint32_t float_bits(float value) { return std::bit_cast<uint32_t>(value); }

void type_into(CCustomColorPickerDlg& picker, int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(picker.control(id));
    ASSERT_NE(edit, nullptr) << id;
    edit->setText(text);
    emit edit->textEdited(text);
}

class EnvironmentFormTest : public DrivenFormTest {
protected:
    // Reserved bytes filled with a pattern, so a test sees them survive.
    template <size_t size>
    static void mark(uint8_t (&bytes)[size]) {
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(0xA0 + i);
    }

    void expect_unchanged(const std::vector<std::byte>& before, const std::vector<std::byte>& after, size_t from,
                          size_t to) {
        for (size_t i = from; i < to; ++i) EXPECT_EQ(before.at(i), after.at(i)) << "byte " << i;
    }
};

TEST_F(EnvironmentFormTest, MediaFieldsAreStoredInTheirUnits) {
    for (const char* name : {"small", "large", "steam"}) add_tag(make_tag("prgr"), name);
    const tag_code surface = add_tag(make_tag("lpgr"), "ripples");
    media_definition record = definitions::media_definition_default;
    mark(record.reserved_8);
    mark(record.reserved_122);
    for (int32_t& reference : record.unused_references) reference = 0x01020304;
    const tag_code water = add_record(media, "water", record, definitions::media_definition_codes);
    const std::vector<std::byte> before = tag_data(media, water);

    auto dialog = open(media, water);
    click(*dialog, 1244);
    pick(*dialog, 1030, "ripples");
    type(*dialog, 1239, "0.5");
    type(*dialog, 1240, "0.5");
    type(*dialog, 1241, "4");
    type(*dialog, 1242, "2");
    type(*dialog, 1251, "1.2");
    type(*dialog, 1245, "1");
    type(*dialog, 1247, "-0.25");
    type(*dialog, 1250, "0.5");
    through(*dialog, media_form::projectile_groups_button_id, [](QDialog& opened) {
        auto& groups = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(groups.windowTitle(), "Media Projectile Groups");
        pick(groups, 1256, "large");
        pick(groups, 1259, "steam");
        opened.accept();
    });
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(media, water);
    EXPECT_EQ(stored(data, 0, 4, false), 0x1);
    EXPECT_EQ(stored(data, 100, 4), static_cast<int32_t>(surface));
    EXPECT_EQ(stored(data, 88, 2), 128);
    EXPECT_EQ(stored(data, 98, 2, false), 32768);
    EXPECT_EQ(stored(data, 116, 2), 4);
    EXPECT_EQ(stored(data, 118, 2), 60);
    EXPECT_EQ(stored(data, 120, 2, false), 65535);
    EXPECT_EQ(stored(data, 104, 2), 512);
    EXPECT_EQ(stored(data, 108, 2), -128);
    EXPECT_EQ(stored(data, 114, 2), 256);
    EXPECT_EQ(stored(data, 24 + 2 * 4, 4), static_cast<int32_t>(subgroups[make_tag("prgr")][1]));
    EXPECT_EQ(stored(data, 24 + 5 * 4, 4), static_cast<int32_t>(subgroups[make_tag("prgr")][2]));
    for (int k : {0, 1, 3, 4, 6}) EXPECT_EQ(stored(data, 24 + 4 * static_cast<size_t>(k), 4), NONE) << k;
    expect_unchanged(before, data, 8, 24);
    expect_unchanged(before, data, 52, 88);
    expect_unchanged(before, data, 122, 256);
}

TEST_F(EnvironmentFormTest, MediaColourKeepsItsWordsUntilAColourIsPicked) {
    media_definition record = definitions::media_definition_default;
    record.reflection_tint_color = {0x12FF, 0x3456, 0xABCD, 0x0007};
    const tag_code water = add_record(media, "water", record, definitions::media_definition_codes);

    {
        auto dialog = open(media, water);
        auto* button = dialog->control_as<CColorRefButton>(media_form::reflection_tint_color_id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->color_ref(), 0xAB3412u);
        // A cancelled picker picks nothing.
        through(*dialog, media_form::reflection_tint_color_id, [](QDialog& opened) { opened.reject(); });
        accept(*dialog);
    }
    std::vector<std::byte> data = tag_data(media, water);
    EXPECT_EQ(stored(data, 90, 2, false), 0x12FF);
    EXPECT_EQ(stored(data, 92, 2, false), 0x3456);
    EXPECT_EQ(stored(data, 94, 2, false), 0xABCD);
    EXPECT_EQ(stored(data, 96, 2, false), 0x0007);

    {
        auto dialog = open(media, water);
        through(*dialog, media_form::reflection_tint_color_id, [](QDialog& opened) {
            auto& picker = dynamic_cast<CCustomColorPickerDlg&>(opened);
            EXPECT_EQ(picker.windowTitle(), "Color");
            EXPECT_TRUE(picker.control(color_flags_group_id)->isHidden());
            EXPECT_EQ(qobject_cast<QLineEdit*>(picker.control(color_red_id))->text(), "18");
            picker.accept();
        });
        accept(*dialog);
    }
    data = tag_data(media, water);
    EXPECT_EQ(stored(data, 90, 2, false), 0x1200);
    EXPECT_EQ(stored(data, 92, 2, false), 0x3400);
    EXPECT_EQ(stored(data, 94, 2, false), 0xAB00);
    EXPECT_EQ(stored(data, 96, 2, false), 0x0007);

    {
        auto dialog = open(media, water);
        through(*dialog, media_form::reflection_tint_color_id, [](QDialog& opened) {
            auto& picker = dynamic_cast<CCustomColorPickerDlg&>(opened);
            type_into(picker, color_red_id, "255");
            type_into(picker, color_blue_id, "1");
            picker.accept();
        });
        EXPECT_EQ(dialog->control_as<CColorRefButton>(media_form::reflection_tint_color_id)->color_ref(),
                  0x0134FFu);
        accept(*dialog);
    }
    data = tag_data(media, water);
    EXPECT_EQ(stored(data, 90, 2, false), 0xFF00);
    EXPECT_EQ(stored(data, 94, 2, false), 0x0100);
}

TEST_F(EnvironmentFormTest, MeshEffectShowsItsDefaultsAndStoresItsFields) {
    const tag_code collection = add_collection("quake", 3, "wave", 0);
    add_collection_reference("quake ref", collection);
    const tag_code shake = tag_get_subgroup(create_default_tag(mesh_effects, "shake"));
    auto dialog = open(mesh_effects, shake);
    const std::pair<int, const char*> shown[] = {{1148, "0.799"}, {1150, "4.000"}, {1151, "1.000"},
                                                 {1141, "0.199"}, {1152, "0.000"}, {1149, "32"},
                                                 {1142, "1.000"}, {1062, "1.000"}};
    for (const auto& [id, text] : shown) EXPECT_EQ(text_of(*dialog, id), text) << id;
    auto* camera = dialog->control_as<QComboBox>(1153);
    EXPECT_EQ(entries(camera), QStringList({"NONE", "Earthquake", "Explosion"}));
    EXPECT_EQ(camera->currentText(), "NONE");
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(1021)), QStringList({"No Sequence"}));

    click(*dialog, 1154);
    click(*dialog, 1322);
    type(*dialog, 1148, "1.5");
    type(*dialog, 1151, "-1.999");
    pick(*dialog, 1153, "Explosion");
    pick(*dialog, 1029, "quake ref");
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(1021)), QStringList({"No Sequence", "wave0", "wave1", "wave2"}));
    pick(*dialog, 1021, "wave2");
    type(*dialog, 1149, "-7");
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(mesh_effects, shake);
    EXPECT_EQ(stored(data, 0, 4, false), 0x3);
    EXPECT_EQ(stored(data, 4, 2), 768);
    EXPECT_EQ(stored(data, 8, 2), -511);
    EXPECT_EQ(stored(data, 14, 2), 1);
    EXPECT_EQ(stored(data, 16, 4), static_cast<int32_t>(subgroups[collection_references][0]));
    EXPECT_EQ(stored(data, 20, 2), 2);
    EXPECT_EQ(stored(data, 22, 2), -7);
    EXPECT_EQ(stored(data, 6, 2), 2048);
}

TEST_F(EnvironmentFormTest, MeshLightingShowsTwoDecimalsAndSavesTheParsedFloat) {
    const tag_code light = tag_get_subgroup(create_default_tag(mesh_lightings, "dusk"));
    auto dialog = open(mesh_lightings, light);
    const std::pair<int, const char*> shown[] = {{1156, "1.00"}, {1157, "1.00"}, {1158, "-0.60"}, {1159, "0.10"},
                                                 {1160, "1.00"}, {1161, "0.30"}, {1162, "0.95"}, {1163, "64"},
                                                 {1165, "3"},    {1164, "2.00"}};
    for (const auto& [id, text] : shown) EXPECT_EQ(text_of(*dialog, id), text) << id;

    type(*dialog, 1164, "1.255");
    type(*dialog, 1158, "-0.5");
    type(*dialog, 1159, "0.00001");
    accept(*dialog);
    const std::vector<std::byte> data = tag_data(mesh_lightings, light);
    EXPECT_EQ(static_cast<uint32_t>(stored(data, 32, 4, false)), float_bits(1.255f));
    EXPECT_EQ(stored(data, 8, 4), -32768);
    EXPECT_EQ(stored(data, 12, 4), 0);
    EXPECT_EQ(stored(data, 0, 4), 65536);
    EXPECT_EQ(stored(data, 24, 4), 62259);
}

TEST_F(EnvironmentFormTest, MeshLightingUntouchedWidthKeepsItsBits) {
    mesh_lighting_definition record = definitions::mesh_lighting_definition_default;
    record.smoothing_gaussian_width = 1.23456f;
    record.incident_light[2] = -39321;
    const tag_code light = add_record(mesh_lightings, "dusk", record, definitions::mesh_lighting_definition_codes);
    auto dialog = open(mesh_lightings, light);
    EXPECT_EQ(text_of(*dialog, 1164), "1.23");
    accept(*dialog);
    const std::vector<std::byte> data = tag_data(mesh_lightings, light);
    EXPECT_EQ(static_cast<uint32_t>(stored(data, 32, 4, false)), float_bits(1.23456f));
    EXPECT_EQ(stored(data, 8, 4), -39321);
}

TEST_F(EnvironmentFormTest, ParticleSystemShowsItsDefaultsAndStoresRangesAndBoundaries) {
    const tag_code collection = add_collection("flakes", 2, "flake", 0);
    add_collection_reference("flakes ref", collection);
    const tag_code wind_sound = add_tag(ambient_sounds, "howl");
    const tag_code snow = tag_get_subgroup(create_default_tag(particle_systems, "snow"));
    const std::vector<std::byte> before = tag_data(particle_systems, snow);
    auto dialog = open(particle_systems, snow);
    const std::pair<int, const char*> shown[] = {
        {1056, "2.000"},    {1057, "7.000"},   {1058, "8.000"},  {1059, "1000"},    {1060, "0.250"},
        {1074, "-0.00006"}, {1075, "0.00005"}, {1084, "-0.00024"}, {1085, "-0.00014"}, {1073, "0.500"},
        {1072, "1.000"},    {1070, "0.500"},   {1071, "1.000"},  {1064, "5.000"},   {1065, "5.000"},
        {1066, "0.100"},    {1068, "33.333"},  {1076, "6.667"},  {1078, "1.000"},   {1080, "16.667"}};
    for (const auto& [id, text] : shown) EXPECT_EQ(text_of(*dialog, id), text) << id;

    click(*dialog, 1063);
    pick(*dialog, 1029, "flakes ref");
    pick(*dialog, 1021, "flake1");
    pick(*dialog, 1010, "howl");
    type(*dialog, 1057, "100");
    type(*dialog, 1082, "-1");
    type(*dialog, 1083, "1");
    type(*dialog, 1070, "2");
    type(*dialog, 1072, "-0.5");
    type(*dialog, 1076, "2");
    type(*dialog, 1077, "3");
    type(*dialog, 1078, "0.5");
    type(*dialog, 1079, "0.5");
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(particle_systems, snow);
    EXPECT_EQ(stored(data, 0, 4, false), 0x4);
    EXPECT_EQ(stored(data, 4, 4), static_cast<int32_t>(subgroups[collection_references][0]));
    EXPECT_EQ(stored(data, 20, 2), 1);
    EXPECT_EQ(stored(data, 84, 4), static_cast<int32_t>(wind_sound));
    EXPECT_EQ(stored(data, 12, 4), 51200);
    EXPECT_EQ(stored(data, 32, 4), -65536);
    EXPECT_EQ(stored(data, 44, 4), 131073);
    EXPECT_EQ(stored(data, 56, 2), 512);
    EXPECT_EQ(stored(data, 54, 2), -128);
    EXPECT_EQ(stored(data, 72, 2), 60);
    EXPECT_EQ(stored(data, 74, 2), 31);
    EXPECT_EQ(stored(data, 76, 2, false), 32768);
    EXPECT_EQ(stored(data, 78, 2, false), 0);
    expect_unchanged(before, data, 92, 128);
}

}  // namespace
}  // namespace editor_test
