// The ambient sound, lightning and wind forms.

#include "form_driving.h"

#include "definitions/ambient_definitions.h"
#include "editor/forms/lightning_form.h"
#include "editor/toolkit/damage_dialogs.h"

#include <QComboBox>

namespace editor_test {
namespace {

using definitions::ambient_sound_definition;
using definitions::lightning_definition;
using definitions::wind_definition;
namespace lf = lightning_form;

constexpr tag_code lightnings = make_tag("ligh");
constexpr tag_code winds = make_tag("wind");

class AmbientLightningWindFormTest : public DrivenFormTest {};

struct Shown {
    int id;
    const char* text;
};

TEST_F(AmbientLightningWindFormTest, NewWindShowsItsRanges) {
    const tag_code subgroup = add_record(winds, "breeze", definitions::wind_definition_default,
                                         definitions::wind_definition_codes);
    const auto dialog = open(winds, subgroup);
    const Shown shown[] = {{1006, "2.000"},     {1007, "6.967"},     {1008, "0.12500"},
                           {1009, "-10.00000"}, {1010, "9.99998"},   {1011, "-10.00000"},
                           {1012, "9.99998"},   {1013, "0.00000"},   {1014, "0.00000"}};
    for (const Shown& box : shown) EXPECT_EQ(text_of(*dialog, box.id), box.text) << box.id;
}

TEST_F(AmbientLightningWindFormTest, WindBoxesWriteTheirFields) {
    const tag_code subgroup = add_record(winds, "gale", definitions::wind_definition_default,
                                         definitions::wind_definition_codes);
    const auto dialog = open(winds, subgroup);
    type(*dialog, 1006, "1");
    type(*dialog, 1007, "2");
    type(*dialog, 1008, "0.5");
    type(*dialog, 1013, "-1");
    type(*dialog, 1014, "1");
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(winds, subgroup);
    EXPECT_EQ(stored(saved, 4, 4), 30);
    EXPECT_EQ(stored(saved, 8, 4), 60 - 30 + 1);
    EXPECT_EQ(stored(saved, 12, 4), 32768);
    EXPECT_EQ(stored(saved, 24, 4), -65536);
    EXPECT_EQ(stored(saved, 36, 4), 65536 + 65536 + 1);
    EXPECT_EQ(stored(saved, 16, 4), -655360);  // untouched rows keep their values
    EXPECT_EQ(stored(saved, 28, 4), 1310720);
}

TEST_F(AmbientLightningWindFormTest, AmbientSoundKeepsItsFurtherSoundsAndWritesTheRest) {
    const tag_code drums = add_tag(make_tag("soun"), "drums");
    const tag_code birds = add_tag(make_tag("soun"), "birds");
    ambient_sound_definition record = definitions::ambient_sound_definition_default;
    const tag_code further[] = {make_tag("aaaa"), birds, make_tag("cccc"), drums};
    for (int i = 0; i < definitions::ambient_further_sound_count; ++i) record.further_sounds[i] = further[i];
    const tag_code subgroup = add_record(make_tag("amso"), "jungle", record,
                                         definitions::ambient_sound_definition_codes);
    const auto dialog = open(make_tag("amso"), subgroup);
    pick(*dialog, 1007, "drums");
    pick(*dialog, 1008, "birds");
    type(*dialog, 1009, "1");
    type(*dialog, 1010, "2.5");
    type(*dialog, 1012, "1");
    type(*dialog, 1011, "2");
    type(*dialog, 1013, "0.5");
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(make_tag("amso"), subgroup);
    EXPECT_EQ(stored(saved, 4, 2), 512);
    EXPECT_EQ(stored(saved, 6, 2), 1280);
    EXPECT_EQ(stored(saved, 8, 2), 30);
    EXPECT_EQ(stored(saved, 10, 2), 31);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 12, 4, false)), drums);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 16, 4, false)), birds);
    for (int i = 0; i < definitions::ambient_further_sound_count; ++i)
        EXPECT_EQ(static_cast<tag_code>(stored(saved, 20 + 4 * static_cast<size_t>(i), 4, false)), further[i]) << i;
    EXPECT_EQ(stored(saved, 36, 2), 256);
}

TEST_F(AmbientLightningWindFormTest, NewLightningShowsForkSegmentsAndAngle) {
    const tag_code subgroup = add_record(lightnings, "bolt", definitions::lightning_definition_default,
                                         definitions::lightning_definition_codes);
    const auto dialog = open(lightnings, subgroup);
    const Shown shown[] = {{1144, "2"}, {1155, "5"}, {1147, "70"}, {1145, "10"}, {1146, "20"}, {1148, "1"},
                           {1138, "3.000"}, {1139, "3.000"}, {1140, "5.000"}};
    for (const Shown& box : shown) EXPECT_EQ(text_of(*dialog, box.id), box.text) << box.id;
}

TEST_F(AmbientLightningWindFormTest, AnotherCollectionReferenceResetsTheSequences) {
    const tag_code bolts = add_collection_reference("bolts", add_collection("bolt sprites", 3, "bolt", 0));
    add_collection_reference("sparks", add_collection("spark sprites", 2, "spark", 0));
    lightning_definition record = definitions::lightning_definition_default;
    record.collection_reference = static_cast<int32_t>(bolts);
    record.fork_sequence = 2;
    record.main_bolt_sequence = 0;
    record.mesh_stain_sequence = 1;
    const tag_code subgroup = add_record(lightnings, "storm", record, definitions::lightning_definition_codes);
    const auto dialog = open(lightnings, subgroup);
    const int pickers[] = {lf::fork_sequence_id, lf::main_bolt_sequence_id, lf::mesh_stain_sequence_id};
    EXPECT_EQ(dialog->control_as<QComboBox>(lf::fork_sequence_id)->currentText(), "bolt2");
    pick(*dialog, lf::collection_reference_id, "sparks");
    for (int id : pickers) {
        EXPECT_EQ(entries(dialog->control_as<QComboBox>(id)), (QStringList{"No Sequence", "spark0", "spark1"})) << id;
        EXPECT_EQ(dialog->control_as<QComboBox>(id)->currentText(), "No Sequence") << id;
    }
    pick(*dialog, lf::main_bolt_sequence_id, "spark1");
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(lightnings, subgroup);
    EXPECT_EQ(stored(saved, 20, 2), -1);
    EXPECT_EQ(stored(saved, 22, 2), 1);
    EXPECT_EQ(stored(saved, 24, 2), -1);
}

TEST_F(AmbientLightningWindFormTest, LightningDamageOpensTheDamageDialogAtItsOffset) {
    const tag_code subgroup = add_record(lightnings, "zap", definitions::lightning_definition_default,
                                         definitions::lightning_definition_codes);
    const auto dialog = open(lightnings, subgroup);
    click(*dialog, 1156);
    through(*dialog, lf::damage_button_id, [](QDialog& opened) {
        auto& damage = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(damage.template_id(), damage_template_id);
        EXPECT_EQ(damage.windowTitle(), "Lightning Damage");
        type(damage, damage_lower_id, "2");
        type(damage, damage_upper_id, "3");
        opened.accept();
    });
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(lightnings, subgroup);
    EXPECT_EQ(stored(saved, 0, 4), 2);
    EXPECT_EQ(stored(saved, 40, 2), -1);  // the default type
    EXPECT_EQ(stored(saved, 44, 2), 512);
    EXPECT_EQ(stored(saved, 46, 2), 768 - 512 + 1);
    EXPECT_EQ(stored(saved, 56, 2), 1);
}

}  // namespace
}  // namespace editor_test
