// The interface, model animation (with its frame dialog) and connector forms.

#include "form_driving.h"

#include "definitions/connector_definitions.h"
#include "definitions/interface_definitions.h"
#include "definitions/model_animation_definitions.h"
#include "editor/forms/model_animation_form.h"
#include "editor/toolkit/element_list.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <utility>

namespace editor_test {
namespace {

using definitions::connector_definition;
using definitions::interface_definition;
using definitions::model_animation_definition;
namespace ma = model_animation_form;

constexpr tag_code interfaces = make_tag("inte");
constexpr tag_code animations = make_tag("anim");
constexpr tag_code connectors = make_tag("conn");
constexpr tag_code fonts = make_tag("font");

class InterfaceAnimationConnectorFormTest : public DrivenFormTest {
protected:
    CElementListDlg* frames(CTagDialog& dialog) { return dialog.control_as<CElementListDlg>(ma::frame_list_id); }
    QListWidget* frame_lines(CTagDialog& dialog) {
        return qobject_cast<QListWidget*>(frames(dialog)->control(element_list_box_id));
    }
};

TEST_F(InterfaceAnimationConnectorFormTest, InterfaceStoresItsCollectionAndFonts) {
    const tag_code collection = add_tag(collections, "panels");
    for (const char* name : {"body", "caption", "header", "system"}) add_tag(fonts, name);
    interface_definition record = definitions::interface_definition_default;
    record.unused_28[1] = 0x0BADCAFE;
    record.reserved[219] = 0x42;
    const tag_code screen = add_record(interfaces, "screen", record, definitions::interface_definition_codes);
    const std::vector<std::byte> before = tag_data(interfaces, screen);

    auto dialog = open(interfaces, screen);
    const std::pair<int, const char*> labels[] = {{1021, "System:"},          {1022, "High Resolution:"},
                                                  {1023, "Low Resolution:"},  {1024, "Narration Header:"},
                                                  {1025, "Narration Body:"},  {1026, "Narration Caption:"}};
    for (const auto& [id, label] : labels) ASSERT_NE(dialog->control_as<QComboBox>(id), nullptr) << label;
    pick(*dialog, 1039, "panels");
    pick(*dialog, 1021, "system");
    pick(*dialog, 1024, "header");
    pick(*dialog, 1026, "caption");
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(interfaces, screen);
    const std::vector<tag_code>& font_tags = subgroups[fonts];
    EXPECT_EQ(stored(data, 0, 4), static_cast<int32_t>(collection));
    EXPECT_EQ(stored(data, 4, 4), static_cast<int32_t>(font_tags[3]));
    EXPECT_EQ(stored(data, 8, 4), NONE);
    EXPECT_EQ(stored(data, 16, 4), static_cast<int32_t>(font_tags[2]));
    EXPECT_EQ(stored(data, 24, 4), static_cast<int32_t>(font_tags[1]));
    EXPECT_TRUE(std::equal(before.begin() + 28, before.end(), data.begin() + 28));
}

TEST_F(InterfaceAnimationConnectorFormTest, AnimationFramesAreAddedThroughTheFrameDialog) {
    const tag_code statue = add_tag(models, "statue");
    const tag_code forward = add_tag(sounds, "creak");
    const tag_code spin = tag_get_subgroup(create_default_tag(animations, "spin"));

    auto dialog = open(animations, spin);
    EXPECT_EQ(frame_lines(*dialog)->count(), 0);
    click(*dialog, 1041);
    type(*dialog, 1045, "3");
    pick(*dialog, 1046, "creak");
    services.queue_dialog([](QDialog& opened) {
        auto& frame = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(frame.windowTitle(), "Frame #1");
        pick(frame, 1047, "statue");
        type(frame, 1324, "5");
        opened.accept();
    });
    frames(*dialog)->add();
    services.queue_dialog([](QDialog& opened) { opened.accept(); });
    frames(*dialog)->add();
    services.queue_dialog([](QDialog& opened) { opened.reject(); });
    frames(*dialog)->add();
    EXPECT_EQ(frame_lines(*dialog)->item(0)->text(), "statue");
    EXPECT_EQ(frame_lines(*dialog)->item(1)->text(), "Frame #2");
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(animations, spin);
    EXPECT_EQ(stored(data, 0, 4, false), 0x2);
    EXPECT_EQ(stored(data, 4, 2), 2);
    EXPECT_EQ(stored(data, 6, 2), 3);
    EXPECT_EQ(stored(data, 960, 4), static_cast<int32_t>(forward));
    // A new tag's record is all zeros; the untouched backward sound keeps its 0.
    EXPECT_EQ(stored(data, 964, 4), 0);
    // Frames as the frame table's defaults, with the model and permutation chosen.
    EXPECT_EQ(stored(data, 8, 4), 11);
    EXPECT_EQ(stored(data, 12, 4), static_cast<int32_t>(statue));
    EXPECT_EQ(stored(data, 16, 2, false), 0xFFFF);
    EXPECT_EQ(stored(data, 18, 2), 5);
    EXPECT_EQ(stored(data, 20, 4), 0);
    EXPECT_EQ(stored(data, 24 + 4, 4), NONE);
    EXPECT_EQ(stored(data, 24 + 10, 2), 0);
}

TEST_F(InterfaceAnimationConnectorFormTest, AnimationFrameCountBeyondCapacityIsClamped) {
    for (int16_t count : {int16_t{40}, int16_t{-3}}) {
        model_animation_definition record = definitions::model_animation_definition_default;
        for (auto& frame : record.frames) frame = definitions::model_animation_frame_default;
        record.frame_count = count;
        const tag_code spin = add_record(animations, "spin" + std::to_string(count), record,
                                         definitions::model_animation_definition_codes);
        auto dialog = open(animations, spin);
        const int shown = count < 0 ? 0 : definitions::model_animation_frame_capacity;
        EXPECT_EQ(frame_lines(*dialog)->count(), shown) << count;
        EXPECT_EQ(frames(*dialog)->control(element_list_add_id)->isEnabled(), count < 0) << count;
        accept(*dialog);
        EXPECT_EQ(stored(tag_data(animations, spin), 4, 2), count);
    }
}

TEST_F(InterfaceAnimationConnectorFormTest, ConnectorSequencesFollowTheCollectionReference) {
    const tag_code rope = add_collection("rope", 3, "rope", 0);
    const tag_code chain = add_collection("chain", 2, "chain", 0);
    add_collection_reference("rope ref", rope);
    add_collection_reference("chain ref", chain);
    connector_definition record = definitions::connector_definition_default;
    record.collection_reference = subgroups[collection_references][0];
    record.normal_sequence = 2;
    record.reserved[15] = 0x99;
    const tag_code link = add_record(connectors, "link", record, definitions::connector_definition_codes);

    auto dialog = open(connectors, link);
    EXPECT_EQ(dialog->control_as<QComboBox>(1292)->currentText(), "rope2");
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(1293)), QStringList({"No Sequence", "rope0", "rope1", "rope2"}));
    EXPECT_EQ(text_of(*dialog, 1028), "1.000");
    EXPECT_EQ(text_of(*dialog, 1030), "1.000");
    pick(*dialog, 1029, "chain ref");
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(1292)), QStringList({"No Sequence", "chain0", "chain1"}));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(1293)), QStringList({"No Sequence", "chain0", "chain1"}));
    pick(*dialog, 1293, "chain1");
    type(*dialog, 1028, "0.75");
    type(*dialog, 1030, "-2");
    accept(*dialog);

    const std::vector<std::byte> data = tag_data(connectors, link);
    EXPECT_EQ(stored(data, 4, 4), static_cast<int32_t>(subgroups[collection_references][1]));
    EXPECT_EQ(stored(data, 8, 2), NONE);
    EXPECT_EQ(stored(data, 10, 2), 192);
    EXPECT_EQ(stored(data, 12, 2), -1024);
    EXPECT_EQ(stored(data, 14, 2), 1);
    EXPECT_EQ(data[31], std::byte{0x99});
}

}  // namespace
}  // namespace editor_test
