#include "form_driving.h"

#include "definitions/local_physics_definitions.h"
#include "editor/forms/local_physics_form.h"
#include "tag_files/tag_editing.h"

#include <QComboBox>

#include <cstring>

namespace editor_test {
namespace {

using definitions::local_physics_definition;
namespace pf = local_physics_form;

constexpr tag_code physics = make_tag("phys");
constexpr size_t block = 4;

// A record of `type` in file order: the record's codes, then the block's by type.
std::vector<std::byte> in_file_order(local_physics_definition record) {
    definitions::convert_physics_parameters(&record);
    byte_swap_data("local physics", &record, sizeof record, 1, definitions::local_physics_definition_codes);
    std::vector<std::byte> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

class LocalPhysicsFormTest : public DrivenFormTest {
protected:
    tag_code create(const local_physics_definition& record) {
        return add_tag(physics, "drift " + std::to_string(++created), in_file_order(record));
    }

    // The parameters dialog the button opens, checked for its caption and template.
    void edit_parameters(CTagDialog& dialog, const char* caption, int template_id,
                         const std::function<void(CTagDialog&)>& edit) {
        through(dialog, pf::parameters_button_id, [&](QDialog& opened) {
            auto& parameters = static_cast<CTagDialog&>(opened);
            EXPECT_EQ(parameters.windowTitle(), QString::fromUtf8(caption));
            EXPECT_EQ(parameters.template_id(), template_id);
            edit(parameters);
            parameters.accept();
        });
    }

    int created = 0;
};

local_physics_definition busy_record(int16_t type) {
    local_physics_definition record{};
    record.type = type;
    record.reserved[0] = 0x5A;
    for (size_t i = 0; i < sizeof record.parameters; ++i)
        record.parameters.bytes[i] = static_cast<uint8_t>(i * 29 + static_cast<size_t>(type) + 1);
    return record;
}

TEST_F(LocalPhysicsFormTest, UntouchedFormAndParameterDialogsLeaveEveryByte) {
    for (int16_t type = 0; type < 6; ++type) {
        const tag_code subgroup = create(busy_record(type));
        const std::vector<std::byte> before = tag_data(physics, subgroup);
        const auto dialog = open(physics, subgroup);
        EXPECT_EQ(dialog->control_as<QComboBox>(pf::type_id)->currentIndex(), type);
        through(*dialog, pf::parameters_button_id, [](QDialog& parameters) { parameters.accept(); });
        accept(*dialog);
        EXPECT_EQ(tag_data(physics, subgroup), before) << type;
    }
}

TEST_F(LocalPhysicsFormTest, LinearToConvergingStoresTheConvergingFieldsBigEndian) {
    local_physics_definition record = busy_record(definitions::linear_physics);
    const tag_code subgroup = create(record);
    {
        const auto dialog = open(physics, subgroup);
        EXPECT_EQ(dialog->template_id(), pf::template_id);
        EXPECT_EQ(entries(dialog->control_as<QComboBox>(pf::type_id)),
                  (QStringList{"Linear", "Cylindrical", "Spherical Spring", "Point Attractor", "Converging",
                               "Explosive Gas"}));
        pick(*dialog, pf::type_id, "Converging");
        edit_parameters(*dialog, "Converging Physics", 185, [](CTagDialog& parameters) {
            EXPECT_EQ(text_of(parameters, 1196), QStringLiteral("0"));
            type(parameters, 1196, "3");
            type(parameters, 1197, "7");
            type(parameters, 1203, "90");
            type(parameters, 1204, "45");
            click(parameters, 1205);
        });
        accept(*dialog);
    }
    const std::vector<std::byte> saved = tag_data(physics, subgroup);
    EXPECT_EQ(stored(saved, 0, 2), 4);
    EXPECT_EQ(stored(saved, 2, 1, false), 0x5A);
    const std::vector<std::byte> expected_block = {
        std::byte{0}, std::byte{0}, std::byte{0}, std::byte{1},      // "Diverge"
        std::byte{0}, std::byte{3}, std::byte{0}, std::byte{5},      // 3 to 7
        std::byte{0x40}, std::byte{0}, std::byte{0x20}, std::byte{0},  // 90 and 45 degrees
    };
    EXPECT_EQ(std::vector<std::byte>(saved.begin() + block, saved.begin() + block + 12), expected_block);
    for (size_t offset = block + 12; offset < saved.size(); ++offset) EXPECT_EQ(saved[offset], std::byte{0}) << offset;

    const auto reopened = open(physics, subgroup);
    EXPECT_EQ(reopened->control_as<QComboBox>(pf::type_id)->currentText(), QStringLiteral("Converging"));
    edit_parameters(*reopened, "Converging Physics", 185, [](CTagDialog& parameters) {
        EXPECT_EQ(text_of(parameters, 1196), QStringLiteral("3"));
        EXPECT_EQ(text_of(parameters, 1197), QStringLiteral("7"));
        EXPECT_EQ(text_of(parameters, 1203), QStringLiteral("90"));
        EXPECT_EQ(text_of(parameters, 1204), QStringLiteral("45"));
        EXPECT_TRUE(checked(parameters, 1205));
    });
    reopened->reject();
}

TEST_F(LocalPhysicsFormTest, SwitchingTypeAndBackClearsTheParameters) {
    const tag_code subgroup = create(busy_record(definitions::explosive_gas_physics));
    const auto dialog = open(physics, subgroup);
    pick(*dialog, pf::type_id, "Explosive Gas");  // the type shown: nothing changes
    edit_parameters(*dialog, "Explosive Gas Physics", 206,
                    [](CTagDialog& parameters) { EXPECT_NE(text_of(parameters, 1200), QStringLiteral("0.000")); });
    pick(*dialog, pf::type_id, "Linear");
    pick(*dialog, pf::type_id, "Explosive Gas");
    edit_parameters(*dialog, "Explosive Gas Physics", 206,
                    [](CTagDialog& parameters) { EXPECT_EQ(text_of(parameters, 1200), QStringLiteral("0.000")); });
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(physics, subgroup);
    EXPECT_EQ(stored(saved, 0, 2), 5);
    for (size_t offset = block; offset < saved.size(); ++offset) EXPECT_EQ(saved[offset], std::byte{0}) << offset;
}

// Above the six models and below them alike.
TEST_F(LocalPhysicsFormTest, UnknownStoredTypeSelectsNothingAndSurvivesOk) {
    for (const int16_t type : {int16_t{7}, int16_t{-1}, int16_t{-300}}) {
        SCOPED_TRACE(type);
        const tag_code subgroup = create(busy_record(type));
        const std::vector<std::byte> before = tag_data(physics, subgroup);
        const auto dialog = open(physics, subgroup);
        EXPECT_EQ(dialog->control_as<QComboBox>(pf::type_id)->currentIndex(), -1);
        EXPECT_FALSE(dialog->control(pf::parameters_button_id)->isEnabled());
        accept(*dialog);
        EXPECT_EQ(services.unscripted_dialogs(), 0);
        EXPECT_EQ(tag_data(physics, subgroup), before);
    }
}

struct Typed {
    int id;
    const char* text;
    size_t offset;  // in the block
    int width;
    int64_t expected;
};

struct TypeCase {
    int16_t type;
    const char* name;
    const char* caption;
    int template_id;
    std::vector<Typed> typed;
    std::vector<int> clicked;
    uint32_t flags;
};

TEST_F(LocalPhysicsFormTest, ParameterDialogsWriteTheirFields) {
    const TypeCase cases[] = {
        {0, "Linear", "Linear Physics", 181,
         {{1183, "1.5", 4, 4, 98304}, {1184, "-0.5", 8, 4, -32768}, {1185, "2", 12, 4, 131072},
          {1189, "1", 16, 4, 65536}, {1192, "2", 28, 4, 65537}, {1190, "0", 20, 4, 0}, {1193, "0", 32, 4, 0},
          {1191, "0.25", 24, 4, 16384}, {1194, "0.25", 36, 4, 0}, {1186, "0.00001", 40, 4, 0},
          {1187, "3", 44, 4, 196608}, {1188, "-1", 48, 4, -65536}},
         {1195, 1196}, 0x3},
        {1, "Cylindrical", "Cylindrical Physics", 182,
         {{1190, "-4", 4, 2, -4}, {1196, "2", 6, 2, 2}, {1197, "5", 8, 2, 4}, {1191, "1", 10, 2, 512},
          {1193, "0.5", 12, 4, 32768}, {1194, "1", 16, 4, 65536}, {1195, "-2", 20, 4, -131072}},
         {}, 0},
        {2, "Spherical Spring", "Spherical Spring Physics", 183,
         {{1196, "1", 4, 2, 1}, {1197, "1", 6, 2, 0}, {1193, "0.75", 8, 4, 49152}}, {1293}, 0x1},
        {3, "Point Attractor", "Point Attractor Physics", 184,
         {{1198, "2", 4, 4, 131072}, {1194, "0.5", 8, 4, 32768}, {1193, "1", 12, 4, 65536},
          {1201, "0.5", 16, 2, 256}},
         {1202}, 0x1},
        {5, "Explosive Gas", "Explosive Gas Physics", 206,
         {{1345, "1", 4, 4, 65536}, {1346, "1.5", 8, 4, 32769}, {1198, "-1", 12, 4, -65536},
          {1183, "0.5", 16, 4, 32768}, {1184, "1", 20, 4, 65536}, {1185, "2", 24, 4, 131072},
          {1200, "0.5", 28, 2, 128}},
         {}, 0},
    };
    for (const TypeCase& type_case : cases) {
        const tag_code subgroup = create(local_physics_definition{});
        const auto dialog = open(physics, subgroup);
        pick(*dialog, pf::type_id, type_case.name);
        edit_parameters(*dialog, type_case.caption, type_case.template_id, [&type_case](CTagDialog& parameters) {
            for (const Typed& entry : type_case.typed) type(parameters, entry.id, entry.text);
            for (int id : type_case.clicked) click(parameters, id);
        });
        accept(*dialog);
        const std::vector<std::byte> saved = tag_data(physics, subgroup);
        EXPECT_EQ(stored(saved, 0, 2), type_case.type);
        EXPECT_EQ(stored(saved, block, 4, false), type_case.flags) << type_case.name;
        for (const Typed& entry : type_case.typed)
            EXPECT_EQ(stored(saved, block + entry.offset, entry.width), entry.expected)
                << type_case.name << " " << entry.id;
    }
}

// The form's own picture comes with every form's; its parameter dialogs are reached
// only through the type.
TEST_F(LocalPhysicsFormTest, ParameterDialogsFitAScreen) {
    const auto dialog = open(physics, create(busy_record(definitions::linear_physics)));
    for (int16_t type = 0; type < 6; ++type) {
        pick(*dialog, pf::type_id, entries(dialog->control_as<QComboBox>(pf::type_id)).at(type));
        through(*dialog, pf::parameters_button_id, [type](QDialog& parameters) {
            check_picture(parameters, QStringLiteral("phys_parameters_%1").arg(type));
            parameters.reject();
        });
    }
    dialog->reject();
}

}  // namespace
}  // namespace editor_test
