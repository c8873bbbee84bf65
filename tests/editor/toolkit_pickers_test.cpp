#include "editor_fixture.h"

#include "editor/tag_group_registry.h"
#include "editor/toolkit/bitmap_preview.h"
#include "editor/toolkit/color_picker.h"
#include "editor/toolkit/color_swatch_list_box.h"
#include "editor/toolkit/form_dialogs.h"
#include "editor/toolkit/reference_pickers.h"
#include "editor/toolkit/sequence_list_box.h"
#include "media/collection_writer.h"
#include "tag_files/tag_editing.h"

#include <QCheckBox>
#include <QApplication>
#include <QTest>
#include <QSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>

namespace editor_test {
namespace {

using toolkit::Field;

struct picker_record {
    int32_t sound;
    int32_t collection;
    int32_t other;
    int16_t sequence;
    int16_t padding;
    int32_t reference;
};

enum : int { sound_id = 1008, collection_id = 1039, other_id = 1050, sequence_id = 1044, reference_id = 1029 };

QStringList entries(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

std::vector<std::byte> collection_with_sequences(const std::vector<std::string>& names) {
    collection_source source;
    for (const std::string& name : names) {
        sequence_contents contents{};
        contents.name = name;
        source.sequences.push_back(contents);
    }
    return write_collection(source).value();
}

class PickerTest : public EditorTest {
protected:
    tag_code add_tag(tag_code group, const std::string& name, const std::vector<std::byte>& data = {},
                     uint32_t user_data = 0) {
        tag_handle handle = create_tag(group, name, data, 1);
        EXPECT_TRUE(tag_set_user_data(handle, user_data));
        return tag_get_subgroup(handle);
    }

    std::unique_ptr<CFormElementDialog> open(picker_record& record, const FormDeclaration& declare,
                                             CTagDialog* owner = nullptr) {
        auto dialog = std::make_unique<CFormElementDialog>(0, QStringLiteral("Pickers"), owner, sizeof record, declare);
        dialog->set_element(&record);
        dialog->show();
        return dialog;
    }

    static void pick(CTagDialog& dialog, int id, const QString& text) {
        auto* combo = dialog.control_as<QComboBox>(id);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    CTagGroupRegistry registry;
};

TEST_F(PickerTest, ReferencePickerListsNoTagThenTheGroupsTagsAndKeepsUnlistedValues) {
    const tag_code thunder = add_tag(sounds, "thunder");
    const tag_code arrow = add_tag(sounds, "Arrow");
    picker_record record{};
    record.sound = static_cast<int32_t>(thunder);
    record.other = static_cast<int32_t>(make_tag("gone"));
    const auto declare = [](toolkit::Form& form) {
        form.reference(sound_id, "Sound:", sounds, &picker_record::sound);
        form.reference(other_id, "Other:", sounds, &picker_record::other);
    };
    auto dialog = open(record, declare);
    const auto* combo = dialog->control_as<QComboBox>(sound_id);
    EXPECT_EQ(entries(combo), (QStringList{"No Tag", "Arrow", "thunder"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("thunder"));
    EXPECT_EQ(dialog->control_as<QComboBox>(other_id)->currentText(), QStringLiteral("'gone' (not in list)"));

    dialog->accept();
    EXPECT_EQ(record.other, static_cast<int32_t>(make_tag("gone")));

    auto again = open(record, declare);
    pick(*again, sound_id, "Arrow");
    pick(*again, other_id, "No Tag");  // chosen by the user: stored as NONE
    again->accept();
    EXPECT_EQ(record.sound, static_cast<int32_t>(arrow));
    EXPECT_EQ(record.other, NONE);
}

// The 0 of an all-zero new record and the -2 of default records name no tag: they
// show as "No Tag" and stay as stored unless the user picks something.
TEST_F(PickerTest, BlankReferencesShowNoTagAndAreKept) {
    add_tag(sounds, "thunder");
    const auto declare = [](toolkit::Form& form) {
        form.reference(sound_id, "Sound:", sounds, &picker_record::sound);
    };
    for (const int32_t blank : {0, -2}) {
        picker_record record{};
        record.sound = blank;
        auto dialog = open(record, declare);
        const auto* combo = dialog->control_as<QComboBox>(sound_id);
        EXPECT_EQ(entries(combo), (QStringList{"No Tag", "thunder"})) << blank;
        EXPECT_EQ(combo->currentText(), QStringLiteral("No Tag")) << blank;
        dialog->accept();
        EXPECT_EQ(record.sound, blank);
    }
}

// A stored tag the list leaves out is shown as it is, marked, selected and
// kept; it stays on offer after another entry is picked, and only its own
// picker shows it.
TEST_F(PickerTest, StoredTagOutsideTheListIsShownMarkedAndKept) {
    const tag_code figure = add_tag(collections, "Demo Figure", collection_with_sequences({"stand", "walk"}), 0);
    const tag_code units = add_tag(collections, "units", {}, 2);
    const tag_code rain = add_tag(sounds, "rain");
    const tag_code hidden = add_tag(sounds, "hidden");
    picker_record record{};
    record.collection = static_cast<int32_t>(figure);
    record.sequence = 1;
    record.sound = static_cast<int32_t>(rain);
    const auto declare = [self = hidden](toolkit::Form& form) {
        form.filtered_reference(collection_id, "Collection:", collections, &picker_record::collection,
                                collection_user_data_filter, 2);
        form.dependent_sequence(sequence_id, "Flight:", &picker_record::sequence, collection_id);
        form.reference(sound_id, "Sound:", sounds, &picker_record::sound);
        form.reference(other_id, "Other:", sounds, &picker_record::other);
        form.filtered_reference(reference_id, "Contrail:", sounds, &picker_record::reference, not_self_filter,
                                static_cast<int32_t>(self));
    };
    record.other = static_cast<int32_t>(make_tag("gone"));
    record.reference = static_cast<int32_t>(hidden);
    auto dialog = open(record, declare);
    const auto* collection = dialog->control_as<QComboBox>(collection_id);
    EXPECT_EQ(entries(collection), (QStringList{"No Tag", "units", "Demo Figure (not in list)"}));
    EXPECT_EQ(collection->currentText(), QStringLiteral("Demo Figure (not in list)"));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(sequence_id)), (QStringList{"No Sequence", "stand", "walk"}));
    EXPECT_EQ(dialog->control_as<QComboBox>(sequence_id)->currentText(), QStringLiteral("walk"));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(other_id)),
              (QStringList{"No Tag", "hidden", "rain", "'gone' (not in list)"}));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(sound_id)), (QStringList{"No Tag", "hidden", "rain"}));
    EXPECT_EQ(dialog->control_as<QComboBox>(reference_id)->currentText(), QStringLiteral("hidden (not in list)"));
    dialog->accept();
    EXPECT_EQ(record.collection, static_cast<int32_t>(figure));
    EXPECT_EQ(record.sequence, 1);
    EXPECT_EQ(record.other, static_cast<int32_t>(make_tag("gone")));
    EXPECT_EQ(record.reference, static_cast<int32_t>(hidden));

    auto again = open(record, declare);
    pick(*again, collection_id, "units");
    pick(*again, other_id, "rain");
    EXPECT_EQ(entries(again->control_as<QComboBox>(collection_id)),
              (QStringList{"No Tag", "units", "Demo Figure (not in list)"}));
    again->accept();
    EXPECT_EQ(record.collection, static_cast<int32_t>(units));
    EXPECT_EQ(record.other, static_cast<int32_t>(rain));
}

TEST_F(PickerTest, FiltersKeepOnlyTheTagsTheyAccept) {
    add_tag(collections, "units", {}, 2 | 8);
    add_tag(collections, "effects", {}, 4);
    const tag_code self = add_tag(sounds, "self");
    add_tag(sounds, "someone else");
    const tag_code dressed = add_tag(collections, "dressed", {}, 8);
    std::vector<std::byte> core_record(384);
    const auto first = big_endian_word(dressed);
    std::copy(first.begin(), first.end(), core_record.begin());
    add_tag(collection_references, "good core", core_record, dressed);
    const auto missing = big_endian_word(make_tag("miss"));
    std::copy(missing.begin(), missing.end(), core_record.begin());
    add_tag(collection_references, "dangling core", core_record);
    add_tag(collection_references, "short core", big_endian_word(dressed));

    picker_record record{};
    auto dialog = open(record, [self, dressed](toolkit::Form& form) {
        form.filtered_reference(collection_id, "Collection:", collections, &picker_record::collection,
                                collection_user_data_filter, 2);
        form.filtered_reference(other_id, "Contrail:", sounds, &picker_record::other, not_self_filter,
                                static_cast<int32_t>(self));
        form.filtered_reference(reference_id, "Collection Reference:", collection_references,
                                &picker_record::reference, core_user_data_filter, 8);
        form.filtered_reference(sound_id, "Equal:", collection_references, &picker_record::sound,
                                user_data_equals_filter, static_cast<int32_t>(dressed));
    });
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(collection_id)), (QStringList{"No Tag", "units"}));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(other_id)), (QStringList{"No Tag", "someone else"}));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(reference_id)), (QStringList{"No Tag", "good core"}));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(sound_id)), (QStringList{"No Tag", "good core"}));
}

// Every picker of a group shows the one list the registry keeps, which follows
// the group's tags; what a picker adds of its own stays its own. Filtered
// pickers keep the directory's order, not the names'.
TEST_F(PickerTest, PickersOfAGroupShareOneListThatFollowsTheTags) {
    add_tag(sounds, "wind");
    const tag_code self = add_tag(sounds, "rain");
    picker_record record{};
    record.other = static_cast<int32_t>(make_tag("gone"));
    const auto declare = [self](toolkit::Form& form) {
        form.reference(sound_id, "Sound:", sounds, &picker_record::sound);
        form.reference(other_id, "Other:", sounds, &picker_record::other);
        form.filtered_reference(reference_id, "Contrail:", sounds, &picker_record::reference, not_self_filter,
                                static_cast<int32_t>(self));
    };
    auto first = open(record, declare);
    EXPECT_EQ(entries(first->control_as<QComboBox>(other_id)), (QStringList{"No Tag", "rain", "wind", "'gone' (not in list)"}));
    EXPECT_EQ(entries(first->control_as<QComboBox>(reference_id)), (QStringList{"No Tag", "wind"}));

    add_tag(sounds, "avalanche");
    registry.rebuild_tag_list(sounds, false);
    record.other = NONE;
    auto second = open(record, declare);
    const auto* plain = second->control_as<QComboBox>(sound_id);
    EXPECT_EQ(entries(plain), (QStringList{"No Tag", "avalanche", "rain", "wind"}));
    EXPECT_EQ(entries(second->control_as<QComboBox>(other_id)), entries(plain));
    EXPECT_EQ(entries(second->control_as<QComboBox>(reference_id)), (QStringList{"No Tag", "wind", "avalanche"}));
    EXPECT_EQ(first->control_as<QComboBox>(sound_id)->model(), plain->model());
    EXPECT_EQ(entries(first->control_as<QComboBox>(other_id)),
              (QStringList{"No Tag", "avalanche", "rain", "wind", "'gone' (not in list)"}));


    // Selecting another stored tag the list lacks replaces the entry of the first.
    QComboBox reloaded;
    toolkit::fill_reference_picker(&reloaded, sounds);
    toolkit::select_reference(&reloaded, sounds, make_tag("gone"));
    toolkit::select_reference(&reloaded, sounds, make_tag("lost"));
    EXPECT_EQ(entries(&reloaded), (QStringList{"No Tag", "avalanche", "rain", "wind", "'lost' (not in list)"}));
    EXPECT_EQ(toolkit::selected_reference(&reloaded), static_cast<int32_t>(make_tag("lost")));
}

TEST_F(PickerTest, NotSelfFilterOnTheOnlyTagListsNoTagAlone) {
    const tag_code self = add_tag(sounds, "alone");
    picker_record record{};
    auto dialog = open(record, [self](toolkit::Form& form) {
        form.filtered_reference(other_id, "Contrail:", sounds, &picker_record::other, not_self_filter,
                                static_cast<int32_t>(self));
    });
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(other_id)), (QStringList{"No Tag"}));
}

TEST_F(PickerTest, DependentSequencePickerFollowsItsCollection) {
    const tag_code walker = add_tag(collections, "walker", collection_with_sequences({"idle", "walk"}), 2);
    add_tag(collections, "flyer", collection_with_sequences({"glide"}), 2);
    add_tag(collections, "broken", big_endian_word(7), 2);
    picker_record record{};
    record.collection = static_cast<int32_t>(walker);
    record.sequence = 1;
    const auto declare = [](toolkit::Form& form) {
        form.filtered_reference(collection_id, "Collection:", collections, &picker_record::collection,
                                collection_user_data_filter, 2);
        form.dependent_sequence(sequence_id, "Flight:", &picker_record::sequence, collection_id);
        form.current_collection_picker(collection_id);
    };
    auto dialog = open(record, declare);
    auto* sequences = dialog->control_as<QComboBox>(sequence_id);
    EXPECT_EQ(entries(sequences), (QStringList{"No Sequence", "idle", "walk"}));
    EXPECT_EQ(sequences->currentText(), QStringLiteral("walk"));
    EXPECT_TRUE(sequences->isEnabled());
    EXPECT_EQ(dialog->GetCurrentCollection(), static_cast<int32_t>(walker));

    pick(*dialog, collection_id, "flyer");
    EXPECT_EQ(entries(sequences), (QStringList{"No Sequence", "glide"}));
    EXPECT_EQ(sequences->currentIndex(), 0);
    pick(*dialog, collection_id, "broken");
    EXPECT_EQ(entries(sequences), (QStringList{"No Sequence"}));
    EXPECT_TRUE(sequences->isEnabled());
    pick(*dialog, collection_id, "No Tag");
    EXPECT_EQ(entries(sequences), (QStringList{"No Sequence"}));
    EXPECT_FALSE(sequences->isEnabled());
    dialog->accept();
    EXPECT_EQ(record.collection, NONE);
    EXPECT_EQ(record.sequence, NONE);
}

TEST_F(PickerTest, SequenceIndexWithoutItemIsKeptAndElementDialogsAskTheirOwner) {
    const tag_code walker = add_tag(collections, "walker", collection_with_sequences({"idle"}), 2);
    picker_record owner_record{};
    owner_record.collection = static_cast<int32_t>(walker);
    auto owner = open(owner_record, [](toolkit::Form& form) {
        form.filtered_reference(collection_id, "Collection:", collections, &picker_record::collection,
                                collection_user_data_filter, 2);
        form.current_collection_picker(collection_id);
    });
    picker_record record{};
    record.sequence = 5;
    auto dialog = open(record, [](toolkit::Form& form) {
        form.current_collection_sequence(sequence_id, "Sequence:", &picker_record::sequence);
    }, owner.get());
    auto* sequences = dialog->control_as<QComboBox>(sequence_id);
    EXPECT_EQ(entries(sequences), (QStringList{"No Sequence", "idle"}));
    EXPECT_EQ(sequences->currentIndex(), -1);
    dialog->accept();
    EXPECT_EQ(record.sequence, 5);
}

TEST_F(PickerTest, SequenceListBoxNamesEachElementsSequence) {
    const tag_code walker = add_tag(collections, "walker", collection_with_sequences({"idle", "walk"}), 2);
    struct attack_sequence {
        uint16_t flags;
        int16_t sequence;
    } sequences[3] = {{0, 1}, {0, NONE}, {0, 9}};
    CTagDialog owner(0, element_dialog_tag, element_dialog_tag, nullptr);
    CSequenceListBox list(owner, {sizeof(attack_sequence), offsetof(attack_sequence, sequence), {}});
    list.bind(sequences, 3, walker);
    EXPECT_EQ(list.line_text(0), QStringLiteral("walk"));
    EXPECT_EQ(list.line_text(1), QStringLiteral("Sequence #2"));
    EXPECT_EQ(list.line_text(2), QStringLiteral("<unknown>"));
}

// Colours -------------------------------------------------------------------------

TEST_F(PickerTest, ColorPickerInRgbModeStoresHighBytesAndFlags) {
    uint16_t color[4] = {0x12FF, 0x3400, 0x5600, 0x0005};
    CCustomColorPickerDlg picker(nullptr, color);
    const auto edit = [&](int id) { return qobject_cast<QLineEdit*>(picker.control(id)); };
    const auto box = [&](int id) { return qobject_cast<QCheckBox*>(picker.control(id)); };
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Color"));
    EXPECT_EQ(edit(color_red_id)->text(), QStringLiteral("18"));
    EXPECT_EQ(edit(color_green_id)->text(), QStringLiteral("52"));
    EXPECT_EQ(edit(color_blue_id)->text(), QStringLiteral("86"));
    EXPECT_TRUE(box(color_is_reversed_id)->isChecked());
    EXPECT_FALSE(box(color_uses_global_tint_id)->isChecked());
    EXPECT_TRUE(box(color_is_unused_id)->isChecked());

    edit(color_red_id)->setText("300");
    picker.accept();
    EXPECT_NE(picker.result(), QDialog::Accepted);
    EXPECT_EQ(services.message_texts(), QStringList{"Please enter an integer between 0 and 255."});
    EXPECT_EQ(color[0], 0x12FF);

    edit(color_red_id)->setText("1");
    edit(color_green_id)->setText("2");
    edit(color_blue_id)->setText("255");
    box(color_is_reversed_id)->setChecked(false);
    box(color_uses_global_tint_id)->setChecked(true);
    picker.accept();
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(color[0], 0x0100);
    EXPECT_EQ(color[1], 0x0200);
    EXPECT_EQ(color[2], 0xFF00);
    EXPECT_EQ(color[3], 2 + 4);
}

TEST_F(PickerTest, ColorPickerInColorRefModeHasNoFlags) {
    uint32_t color = 0x00563412;
    CCustomColorPickerDlg picker(nullptr, &color);
    picker.show();
    EXPECT_FALSE(picker.control(color_flags_group_id)->isVisible());
    EXPECT_EQ(qobject_cast<QLineEdit*>(picker.control(color_red_id))->text(), QStringLiteral("18"));
    qobject_cast<QLineEdit*>(picker.control(color_green_id))->setText("255");
    picker.accept();
    EXPECT_EQ(color, 0x0056FF12u);
}

// Enter is OK, and red, green and blue are shown once: in the picker's own edits.
TEST_F(PickerTest, ColorPickerTakesEnterAsOkAndShowsEachValueOnce) {
    uint32_t color = 0x00563412;
    CCustomColorPickerDlg picker(nullptr, &color);
    picker.show();
    QApplication::setActiveWindow(&picker);
    auto* green = qobject_cast<QLineEdit*>(picker.control(color_green_id));
    green->setFocus();
    int shown_spin_boxes = 0;
    for (const QSpinBox* box : picker.findChildren<QSpinBox*>())
        if (box->isVisibleTo(&picker) && box->value() == 0x34) ++shown_spin_boxes;
    EXPECT_EQ(shown_spin_boxes, 0) << "green is shown by its own edit only";
    green->setText("255");
    QTest::keyClick(green, Qt::Key_Return);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(color, 0x0056FF12u);
}

class MessageCatcher : public QWidget {
public:
    std::vector<int> messages;

protected:
    bool event(QEvent* event) override {
        if (event->type() == CDialogMessageEvent::event_type())
            messages.push_back(static_cast<CDialogMessageEvent*>(event)->message());
        return QWidget::event(event);
    }
};

TEST_F(PickerTest, SwatchListEditsItsColourAndTellsTheParent) {
    MessageCatcher parent;
    auto* swatches = new CColorSwatchListBox(&parent);
    uint16_t tint[4] = {0, 0, 0, 0};
    swatches->add_color(QStringLiteral("Tint"), tint);
    services.queue_dialog([](QDialog& dialog) {
        auto& picker = static_cast<CCustomColorPickerDlg&>(dialog);
        qobject_cast<QLineEdit*>(picker.control(color_blue_id))->setText("16");
        picker.accept();
    });
    EXPECT_TRUE(swatches->edit_color(0));
    QCoreApplication::sendPostedEvents(&parent);
    EXPECT_EQ(tint[2], 0x1000);
    EXPECT_EQ(parent.messages, std::vector<int>{color_swatch_changed_message});

    services.queue_dialog([](QDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(swatches->edit_color(0));
    QCoreApplication::sendPostedEvents(&parent);
    EXPECT_EQ(parent.messages.size(), 1u);
}

// Preview -------------------------------------------------------------------------

TEST(ToolkitBitmapPreview, TintMixesTheTableColourWithTheTintByLuminance) {
    const toolkit::Rgb16 red{65535, 0, 0, 0};
    const toolkit::Rgb16 green{0, 65535, 0, 0};
    const toolkit::Rgb16 grey{32768, 32768, 32768, 0};
    EXPECT_EQ(toolkit::tinted(red, green, 0), qRgb(255, 0, 0));
    EXPECT_EQ(toolkit::tinted(red, green, 256), qRgb(0, 101, 0));
    EXPECT_EQ(toolkit::tinted(grey, red, 128), qRgb(139, 64, 64));
}

TEST(ToolkitBitmapPreview, ImageKeepsItsAspectCentredInTheControl) {
    EXPECT_EQ(toolkit::fitted_rect({100, 50}, {20, 20}), QRect(25, 0, 50, 50));
    EXPECT_EQ(toolkit::fitted_rect({50, 100}, {40, 20}), QRect(0, 37, 50, 25));
    EXPECT_EQ(toolkit::fitted_rect({50, 100}, {0, 20}), QRect());

    CBitmapPreview preview;
    const uint8_t pixels[] = {0, 1};
    const toolkit::Rgb16 colors[] = {{0, 0, 0, 0}, {65535, 32768, 0, 0}};
    preview.set_image(2, 1, pixels, colors, {0, 0, 0, 0}, 0);
    EXPECT_EQ(preview.image().pixel(0, 0), preview.palette().color(QPalette::Button).rgb());
    EXPECT_EQ(preview.image().pixel(1, 0), qRgb(255, 128, 0));
}

}  // namespace
}  // namespace editor_test
