#include "editor_fixture.h"

#include "definitions/group_registry.h"
#include "tag_files/tag_groups.h"
#include "editor/tag_group_registry.h"

#include "editor/toolkit/element_list.h"
#include "editor/toolkit/form_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <bit>
#include <cstring>

namespace editor_test {
namespace {

using toolkit::Field;

struct sample_record {
    int16_t distance;
    int16_t ticks;
    int32_t long_distance;
    int32_t long_ticks;
    int16_t short_fixed;
    uint16_t fraction;
    int32_t fixed;
    uint8_t byte_fraction;
    int8_t character;
    uint16_t word_fraction;
    uint16_t angle;
    uint16_t angular_speed;
    int16_t integer;
    uint8_t byte;
    uint8_t flag_bits;
    int32_t team;
    int16_t flag_number;
    int16_t enumeration;
    float real;
    int16_t lower;
    int16_t delta;
    uint16_t fraction_lower;
    uint16_t fraction_delta;
    int8_t byte_enumeration;
    char text[7];
    uint32_t flags;
    int16_t contrails;
    int16_t lifespan_lower;
    int16_t lifespan_delta;
};

enum : int {
    distance_id = 1000, ticks_id, long_distance_id, long_ticks_id, short_fixed_id, fraction_id, fixed_id,
    byte_fraction_id, character_id, word_fraction_id, angle_id, angular_speed_id, integer_id, byte_id,
    flag_bits_id, team_id, flag_number_id, enumeration_id, real_id, lower_id, upper_id, fraction_lower_id,
    fraction_upper_id, byte_enumeration_id, text_id, flags_id, contrails_check_id, contrails_id,
    lifespan_check_id, lifespan_lower_id, lifespan_upper_id,
};

void declare_sample(toolkit::Form& form) {
    form.distance(distance_id, "Distance:", &sample_record::distance);
    form.ticks(ticks_id, "Ticks:", &sample_record::ticks);
    form.distance(long_distance_id, "Long distance:", &sample_record::long_distance);
    form.ticks(long_ticks_id, "Long ticks:", &sample_record::long_ticks);
    form.short_fixed(short_fixed_id, "Short fixed:", &sample_record::short_fixed);
    form.fraction(fraction_id, "Fraction:", &sample_record::fraction);
    form.fixed(fixed_id, "Fixed:", &sample_record::fixed, 2);
    form.column();
    form.byte_fraction(byte_fraction_id, "Byte fraction:", &sample_record::byte_fraction);
    form.integer(character_id, "Char:", &sample_record::character);
    form.byte_fraction(word_fraction_id, "Word fraction:", &sample_record::word_fraction);
    form.angle(angle_id, "Angle:", &sample_record::angle);
    form.angular_speed(angular_speed_id, "Turning:", &sample_record::angular_speed);
    form.integer(integer_id, "Integer:", &sample_record::integer);
    form.integer(byte_id, "Byte:", &sample_record::byte);
    form.flag(flag_bits_id, "Two bits", &sample_record::flag_bits, 0x3);
    form.long_as_short(team_id, "Team Count:", &sample_record::team);
    form.offset_integer(flag_number_id, "Flag Number:", &sample_record::flag_number, 1, -1, 8);
    form.group("Choices", [&] {
        form.enumeration(enumeration_id, "Volume:", &sample_record::enumeration, {"NONE", "Unwieldy", "Small"}, 1);
        form.real(real_id, "Gaussian Width:", &sample_record::real, 2);
        form.distance_range(lower_id, upper_id, "Range:", &sample_record::lower, &sample_record::delta);
        form.fraction_range(fraction_lower_id, fraction_upper_id, "Intensity:", &sample_record::fraction_lower,
                            &sample_record::fraction_delta);
        form.enumeration(byte_enumeration_id, "Type:", &sample_record::byte_enumeration, {"Small", "Large"}, 0);
        form.text(text_id, "Movie:", Field::whole(&sample_record::text), sizeof(sample_record::text));
        form.flag(flags_id, "Is Solid", &sample_record::flags, 0x1);
        form.integer(contrails_id, "", &sample_record::contrails).optional(contrails_check_id, "Maximum Number:", 32767);
        form.ticks_range(lifespan_lower_id, lifespan_upper_id, "", &sample_record::lifespan_lower,
                         &sample_record::lifespan_delta)
            .optional(lifespan_check_id, "Lifespan:", 0);
    });
}

// Every field holds a value its display cannot give back exactly, or one outside
// its list, so any write of an untouched control would show.
sample_record drifting_record() {
    sample_record record{};
    record.distance = 32767;
    record.ticks = -1;
    record.long_distance = 1;
    record.long_ticks = 108001;
    record.short_fixed = 32767;
    record.fraction = 1;
    record.fixed = -1;
    record.byte_fraction = 1;
    record.character = -128;
    record.word_fraction = 0x1233;
    record.angle = 65535;
    record.angular_speed = 1;
    record.integer = -5;
    record.byte = 200;
    record.flag_bits = 0x1;  // one of the two bits: the box shows clear
    record.team = 70000;
    record.flag_number = 20;
    record.enumeration = -7;
    record.real = 1.255f;
    record.lower = 100;
    record.delta = 1;  // shows as lower = upper, which would save delta 0
    record.fraction_lower = 3;
    record.fraction_delta = 5;
    record.byte_enumeration = 9;
    std::memcpy(record.text, "ab\0zzzz", 7);  // bytes after the NUL
    record.flags = 0xFFFFFFFE;
    record.contrails = 32767;
    record.lifespan_lower = 0;
    record.lifespan_delta = 0;
    return record;
}

class ToolkitFormTest : public EditorTest {
protected:
    std::unique_ptr<CFormElementDialog> open(sample_record& record) {
        auto dialog = std::make_unique<CFormElementDialog>(0, QStringLiteral("Sample"), nullptr, sizeof record,
                                                           declare_sample);
        dialog->set_element(&record);
        dialog->show();
        return dialog;
    }
    static QLineEdit* edit(CTagDialog& dialog, int id) { return dialog.control_as<QLineEdit>(id); }
    static void type(CTagDialog& dialog, int id, const QString& text) {
        QLineEdit* box = edit(dialog, id);
        box->setText(text);
        emit box->textEdited(text);
    }
};

TEST_F(ToolkitFormTest, UntouchedControlsKeepEveryStoredBit) {
    sample_record record = drifting_record();
    const sample_record before = record;
    auto dialog = open(record);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Sample"));
    EXPECT_EQ(edit(*dialog, angle_id)->text(), QStringLiteral("360"));
    EXPECT_EQ(edit(*dialog, team_id)->text(), QStringLiteral("4464"));
    EXPECT_EQ(edit(*dialog, flag_number_id)->text(), QStringLiteral("21"));
    EXPECT_EQ(edit(*dialog, upper_id)->text(), edit(*dialog, lower_id)->text());
    EXPECT_EQ(dialog->control_as<QComboBox>(byte_enumeration_id)->currentIndex(), -1);
    EXPECT_FALSE(dialog->control_as<QCheckBox>(flag_bits_id)->isChecked());
    EXPECT_FALSE(dialog->control_as<QCheckBox>(contrails_check_id)->isChecked());
    EXPECT_EQ(edit(*dialog, contrails_id)->text(), QStringLiteral("0"));
    EXPECT_FALSE(edit(*dialog, contrails_id)->isEnabled());

    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(services.messages().empty());
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST_F(ToolkitFormTest, EnteredValuesAreConvertedAsTheirKindSays) {
    sample_record record{};
    auto dialog = open(record);
    type(*dialog, fraction_id, "1.2");
    type(*dialog, byte_fraction_id, "0.5");
    type(*dialog, short_fixed_id, "-1.999");
    type(*dialog, fixed_id, "0.00001");
    type(*dialog, angle_id, "90");
    type(*dialog, angular_speed_id, "90");
    type(*dialog, lower_id, "2");
    type(*dialog, upper_id, "3");
    type(*dialog, team_id, "-1");
    type(*dialog, flag_number_id, "0");
    type(*dialog, text_id, "Movie");
    type(*dialog, real_id, "1.255");
    type(*dialog, word_fraction_id, "1");
    dialog->control_as<QComboBox>(enumeration_id)->setCurrentIndex(0);
    dialog->control_as<QCheckBox>(flags_id)->setChecked(true);
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();
    EXPECT_EQ(record.fraction, 65535);
    EXPECT_EQ(record.byte_fraction, 128);
    EXPECT_EQ(record.short_fixed, -511);
    EXPECT_EQ(record.fixed, 0);
    EXPECT_EQ(record.angle, 16384);
    EXPECT_EQ(record.angular_speed, 546);
    EXPECT_EQ(record.lower, 1024);
    EXPECT_EQ(record.delta, 513);
    EXPECT_EQ(record.team, -1);
    EXPECT_EQ(record.flag_number, -1);
    EXPECT_STREQ(std::string(record.text, 6).c_str(), "Movie");
    EXPECT_EQ(record.real, 1.255f);
    EXPECT_EQ(record.word_fraction, 255);
    EXPECT_EQ(record.enumeration, -1);
    EXPECT_EQ(record.flags, 1u);
}

TEST_F(ToolkitFormTest, EqualRangeBoundsSaveDeltaZero) {
    sample_record record{};
    record.lower = 1024;
    record.delta = 513;
    auto dialog = open(record);
    type(*dialog, upper_id, "2");
    dialog->accept();
    EXPECT_EQ(record.lower, 1024);
    EXPECT_EQ(record.delta, 0);
}

TEST_F(ToolkitFormTest, UpperBoundBelowTheLowerIsRefused) {
    sample_record record{};
    record.lower = 1024;
    record.delta = 513;
    const sample_record before = record;
    auto dialog = open(record);
    // One stored unit below the lower bound of 2; the upper one may reach as far as
    // a 16-bit delta counts.
    type(*dialog, upper_id, "1.998");
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text, QStringLiteral("Please enter a number between 2.000 and 65.996."));

    type(*dialog, upper_id, "3.000");  // as loaded, so only the lower bound moves past it
    type(*dialog, lower_id, "4");
    dialog->accept();
    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messages()[1].text, QStringLiteral("Please enter a number between -60.996 and 3.000."));
    dialog->reject();
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST_F(ToolkitFormTest, RefusedEntryKeepsTheDialogOpenAndCancelChangesNothing) {
    sample_record record = drifting_record();
    const sample_record before = record;
    auto dialog = open(record);
    type(*dialog, distance_id, "1");   // accepted, before the refusal
    type(*dialog, integer_id, "12a");
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text, QStringLiteral("Please enter an integer."));
    EXPECT_EQ(services.messages()[0].icon, platform::Icon::exclamation);

    type(*dialog, integer_id, "7");
    type(*dialog, ticks_id, "abc");
    dialog->accept();
    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messages()[1].text, QStringLiteral("Please enter a number."));

    type(*dialog, ticks_id, "1");
    type(*dialog, distance_id, "70");
    dialog->accept();
    ASSERT_EQ(services.messages().size(), 3u);
    EXPECT_EQ(services.messages()[2].text, QStringLiteral("Please enter a number between -64.000 and 63.998."));

    type(*dialog, distance_id, "1");
    type(*dialog, byte_id, "300");
    dialog->accept();
    ASSERT_EQ(services.messages().size(), 4u);
    EXPECT_EQ(services.messages()[3].text, QStringLiteral("Please enter an integer between 0 and 255."));

    type(*dialog, byte_id, "1");
    type(*dialog, fraction_lower_id, "0");
    type(*dialog, fraction_upper_id, "1");
    dialog->accept();
    ASSERT_EQ(services.messages().size(), 5u);
    EXPECT_EQ(services.messages()[4].text, QStringLiteral("Please enter a number between 0.000 and 0.999."));

    dialog->reject();
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST_F(ToolkitFormTest, SentinelCheckBoxesStoreTheirSentinelWhenClear) {
    sample_record record{};
    record.contrails = 12;
    record.lifespan_lower = 30;
    record.lifespan_delta = 31;
    auto dialog = open(record);
    auto* contrails = dialog->control_as<QCheckBox>(contrails_check_id);
    auto* lifespan = dialog->control_as<QCheckBox>(lifespan_check_id);
    EXPECT_TRUE(contrails->isChecked());
    EXPECT_TRUE(lifespan->isChecked());
    EXPECT_TRUE(edit(*dialog, lifespan_upper_id)->isEnabled());
    contrails->setChecked(false);
    lifespan->setChecked(false);
    EXPECT_FALSE(edit(*dialog, lifespan_upper_id)->isEnabled());
    dialog->accept();
    EXPECT_EQ(record.contrails, 32767);
    EXPECT_EQ(record.lifespan_lower, 0);
    EXPECT_EQ(record.lifespan_delta, 0);

    // Reopened: the boxes are clear and checking one shows and saves 0.
    auto again = open(record);
    EXPECT_FALSE(again->control_as<QCheckBox>(contrails_check_id)->isChecked());
    EXPECT_EQ(edit(*again, contrails_id)->text(), QStringLiteral("0"));
    again->control_as<QCheckBox>(contrails_check_id)->setChecked(true);
    again->accept();
    EXPECT_EQ(record.contrails, 0);
}

// A group form reads the tag, exchanges its rows and writes the record back in file
// order; a part converted separately is in file order on disk and in host order in
// the form.
TEST_F(ToolkitFormTest, GroupFormRoundTripsTheTagThroughItsRows) {
    CTagGroupRegistry registry;
    std::vector<std::byte> data = definitions::default_record_in_file_order(sounds);
    const auto first = big_endian_word(0x00030201);
    std::copy(first.begin(), first.end(), data.begin());
    data[60] = std::byte{0x12};
    data[61] = std::byte{0x34};
    const tag_code subgroup = tag_get_subgroup(create_tag(sounds, "bell", data, tag_group_get_version(sounds)));
    const definitions::TagGroupEntry* row = CTagGroupRegistry::find_group(sounds);
    ASSERT_NE(row, nullptr);

    int16_t separate_seen = 0;
    const auto declare = [&separate_seen](toolkit::Form& form) {
        form.integer(1000, "First:", Field::at<int32_t>(0));
        form.integer(1001, "Separate:", Field::at<int16_t>(60));
        form.separately_converted([&form] {
            std::swap(form.record_bytes()[60], form.record_bytes()[61]);
        });
        form.after_load([&form, &separate_seen] {
            std::memcpy(&separate_seen, form.record_bytes() + 60, 2);
        });
    };
    {
        CFormTagDialog dialog(169, sounds, subgroup, nullptr, row->definition_size, row->byte_swap_codes, declare);
        dialog.show();
        EXPECT_EQ(dialog.control_as<QLineEdit>(1000)->text(), QStringLiteral("197121"));
        EXPECT_EQ(separate_seen, 0x1234);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(tag_data(sounds, subgroup), data);
    {
        CFormTagDialog dialog(169, sounds, subgroup, nullptr, row->definition_size, row->byte_swap_codes, declare);
        dialog.show();
        type(dialog, 1001, "4660");  // 0x1234
        type(dialog, 1000, "5");
        dialog.accept();
    }
    const std::vector<std::byte> saved = tag_data(sounds, subgroup);
    EXPECT_EQ(read_big_endian_word(saved.data()), 5u);
    EXPECT_EQ(saved[60], std::byte{0x12});
    EXPECT_EQ(saved[61], std::byte{0x34});
    EXPECT_EQ(tag_get_user_data(tag_find(sounds, subgroup)), 5u);
}

// Element list ------------------------------------------------------------------

struct part {
    int32_t projectile;
    int16_t count;
    int16_t padding;
};

constexpr int count_edit_id = 1024;

class ElementListTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        named = tag_get_subgroup(create_tag(sounds, "Arrow", {}, 1));
        config.element_size = sizeof(part);
        config.name_offset = offsetof(part, projectile);
        config.prefix = QStringLiteral("Projectile part#");
        config.capacity = 4;
        config.group = sounds;
        config.default_element = &default_part;
        config.factory = toolkit::form_element_dialog(143, sizeof(part), [](toolkit::Form& form) {
            form.integer(count_edit_id, "Count:", &part::count);
        });
        owner = std::make_unique<CTagDialog>(0, element_dialog_tag, element_dialog_tag, nullptr);
        list = new CElementListDlg(*owner, config);
    }

    QPushButton* button(int id) const { return qobject_cast<QPushButton*>(list->control(id)); }
    QListWidget* lines() const { return qobject_cast<QListWidget*>(list->control(element_list_box_id)); }
    void answer(bool accept, int count = 0) {
        services.queue_dialog([accept, count](QDialog& dialog) {
            auto& element = static_cast<CTagDialog&>(dialog);
            element.control_as<QLineEdit>(count_edit_id)->setText(QString::number(count));
            accept ? element.accept() : element.reject();
        });
    }

    part default_part{NONE, 1, 0};
    part parts[4]{};
    tag_code named = 0;
    ElementListConfig config;
    std::unique_ptr<CTagDialog> owner;
    CElementListDlg* list = nullptr;
};

TEST_F(ElementListTest, LinesNameTheirTagOrTheirPosition) {
    parts[0] = {static_cast<int32_t>(named), 1, 0};
    parts[1] = {NONE, 1, 0};
    parts[2] = {static_cast<int32_t>(make_tag("gone")), 1, 0};
    list->bind(parts, 3);
    ASSERT_EQ(lines()->count(), 3);
    EXPECT_EQ(lines()->item(0)->text(), QStringLiteral("Arrow"));
    EXPECT_EQ(lines()->item(1)->text(), QStringLiteral("Projectile part#2"));
    EXPECT_EQ(lines()->item(2)->text(), QStringLiteral("<unknown>"));
}

TEST_F(ElementListTest, AddIsUndoneWhenItsDialogIsCancelledAndStopsAtCapacity) {
    list->bind(parts, 2);
    answer(false);
    list->add();
    EXPECT_EQ(list->count(), 2);
    EXPECT_FALSE(list->count_changed());

    answer(true, 7);
    list->add();
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(parts[2].count, 7);
    EXPECT_EQ(parts[2].projectile, NONE);

    lines()->setCurrentRow(2);
    answer(true, 9);
    list->duplicate();
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(parts[3].count, 9);
    EXPECT_EQ(parts[2].count, 7);
    EXPECT_FALSE(button(element_list_add_id)->isEnabled());
    EXPECT_FALSE(button(element_list_duplicate_id)->isEnabled());
    EXPECT_TRUE(button(element_list_delete_id)->isEnabled());
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
}

TEST_F(ElementListTest, DeleteShiftsTheFollowingElementsDown) {
    parts[0] = {NONE, 1, 0};
    parts[1] = {NONE, 2, 0};
    parts[2] = {NONE, 3, 0};
    list->bind(parts, 3);
    lines()->setCurrentRow(0);
    list->remove();
    EXPECT_EQ(list->count(), 2);
    EXPECT_TRUE(list->count_changed());
    EXPECT_EQ(parts[0].count, 2);
    EXPECT_EQ(parts[1].count, 3);
    EXPECT_EQ(lines()->count(), 2);
}

TEST_F(ElementListTest, DoubleClickEditsInPlaceOnlyOnOk) {
    parts[0] = {NONE, 1, 0};
    list->bind(parts, 1);
    answer(false, 5);
    EXPECT_FALSE(list->open(0));
    EXPECT_EQ(parts[0].count, 1);
    answer(true, 5);
    EXPECT_TRUE(list->open(0));
    EXPECT_EQ(parts[0].count, 5);
}

TEST_F(ElementListTest, StoredCountIsClampedToCapacity) {
    list->bind(parts, 9);
    EXPECT_EQ(list->count(), 4);
    list->bind(parts, -3);
    EXPECT_EQ(list->count(), 0);
}

TEST_F(ElementListTest, ButtonsAreCentredUnderTheList) {
    // Shown on its own: a hidden widget is laid out only once it shows.
    const std::unique_ptr<CElementListDlg> alone(list);
    list->setParent(nullptr);
    list->resize(400, 200);
    list->show();
    const QRect add = button(element_list_add_id)->geometry();
    const QRect duplicate = button(element_list_duplicate_id)->geometry();
    const QRect remove = button(element_list_delete_id)->geometry();
    const int w = add.width();
    const int h = add.height();
    EXPECT_EQ(duplicate.left(), 200 - w / 2);
    EXPECT_EQ(add.left(), 200 - 3 * w / 2 - 6);
    EXPECT_EQ(remove.left(), 200 + w / 2 + 6);
    EXPECT_EQ(add.top(), 200 - h);
    EXPECT_EQ(lines()->geometry(), QRect(0, 0, 400, 200 - 6 - h));
}

}  // namespace
}  // namespace editor_test
