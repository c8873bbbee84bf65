#include "form_driving.h"

#include "definitions/sound_definitions.h"
#include "editor/forms/sound_list_form.h"
#include "editor/toolkit/element_list.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace editor_test {
namespace {

using definitions::sound_list;
namespace lf = sound_list_form;

constexpr tag_code sound_lists = make_tag("soli");
constexpr size_t entries_offset = 16;

class SoundListFormTest : public DrivenFormTest {
protected:
    void SetUp() override {
        DrivenFormTest::SetUp();
        for (const char* name : {"creak", "thunder", "whistle"}) add_tag(sounds, name);
    }

    // A list of `count` entries; entry i names sound i where `named` says so.
    sound_list with_entries(int count, std::initializer_list<bool> named = {}) {
        sound_list record = definitions::sound_list_default;
        record.count = static_cast<int16_t>(count);
        for (int i = 0; i < std::min(count, definitions::sound_list_capacity); ++i)
            record.entries[i] = definitions::sound_list_entry_default;
        int i = 0;
        for (bool is_named : named) {
            if (is_named) record.entries[i].sound = subgroups[sounds][static_cast<size_t>(i)];
            ++i;
        }
        return record;
    }
    tag_code create(const sound_list& record) {
        return add_record(sound_lists, "footsteps", record, definitions::sound_list_codes);
    }

    static CElementListDlg* entries(const CTagDialog& dialog) {
        return dialog.control_as<CElementListDlg>(lf::sound_list_id);
    }
    static QListWidget* lines(const CTagDialog& dialog) {
        return qobject_cast<QListWidget*>(entries(dialog)->control(element_list_box_id));
    }
    static QStringList line_texts(const CTagDialog& dialog) {
        QStringList texts;
        for (int i = 0; i < lines(dialog)->count(); ++i) texts << lines(dialog)->item(i)->text();
        return texts;
    }
    static void press(const CTagDialog& dialog, int id) {
        qobject_cast<QPushButton*>(entries(dialog)->control(id))->click();
    }
};

TEST_F(SoundListFormTest, LinesNameTheSoundOrTheirPosition) {
    const auto dialog = open(sound_lists, create(with_entries(3, {true, false, true})));
    EXPECT_EQ(dialog->template_id(), lf::template_id);
    EXPECT_EQ(line_texts(*dialog), (QStringList{"creak", "Sound #2", "whistle"}));
    dialog->reject();
}

TEST_F(SoundListFormTest, AddOpensTheEntryDialogOnANewEntryNamingNoSound) {
    const tag_code subgroup = create(with_entries(0));
    const auto dialog = open(sound_lists, subgroup);
    services.queue_dialog([](QDialog& opened) {
        auto& entry = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(entry.template_id(), lf::entry_template_id);
        EXPECT_EQ(entry.windowTitle(), QStringLiteral("Sound #1"));
        EXPECT_EQ(entry.control_as<QComboBox>(lf::entry_sound_id)->currentText(), QStringLiteral("No Tag"));
        pick(entry, lf::entry_sound_id, "thunder");
        entry.accept();
    });
    press(*dialog, element_list_add_id);
    // Duplicate appends a copy and opens it; Cancel drops it again.
    lines(*dialog)->setCurrentRow(0);
    services.queue_dialog([](QDialog& opened) { opened.reject(); });
    press(*dialog, element_list_duplicate_id);
    services.queue_dialog([](QDialog& opened) {
        auto& entry = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(entry.control_as<QComboBox>(lf::entry_sound_id)->currentText(), QStringLiteral("thunder"));
        pick(entry, lf::entry_sound_id, "creak");
        entry.accept();
    });
    lines(*dialog)->setCurrentRow(0);
    press(*dialog, element_list_duplicate_id);
    EXPECT_EQ(line_texts(*dialog), (QStringList{"thunder", "creak"}));
    accept(*dialog);

    const std::vector<std::byte> saved = tag_data(sound_lists, subgroup);
    ASSERT_EQ(saved.size(), 256u);
    EXPECT_EQ(stored(saved, 0, 2), 2);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, entries_offset, 4, false)), subgroups[sounds][1]);
    EXPECT_EQ(stored(saved, entries_offset + 4, 4), 0) << "the six bytes after the sound of a new entry";
    EXPECT_EQ(static_cast<tag_code>(stored(saved, entries_offset + 8, 4, false)), subgroups[sounds][0]);
    EXPECT_EQ(stored(saved, entries_offset + 16, 4), 0) << "no third entry";
}

TEST_F(SoundListFormTest, ThirtyEntriesDisableAddAndDuplicate) {
    const auto dialog = open(sound_lists, create(with_entries(30)));
    EXPECT_EQ(lines(*dialog)->count(), 30);
    EXPECT_EQ(line_texts(*dialog).back(), QStringLiteral("Sound #30"));
    lines(*dialog)->setCurrentRow(4);
    EXPECT_FALSE(entries(*dialog)->control(element_list_add_id)->isEnabled());
    EXPECT_FALSE(entries(*dialog)->control(element_list_duplicate_id)->isEnabled());
    EXPECT_TRUE(entries(*dialog)->control(element_list_delete_id)->isEnabled());
    dialog->reject();
}

// A count beyond the thirty entries, or below zero, lists what the record holds;
// left untouched, the stored count stays; Delete then stores the clamped count less one.
TEST_F(SoundListFormTest, StoredCountOutsideTheListIsClampedWhenBound) {
    for (const int16_t count : {int16_t{31}, int16_t{500}, int16_t{-1}}) {
        sound_list record = with_entries(30, {true});
        record.count = count;
        const tag_code subgroup = create(record);
        const std::vector<std::byte> before = tag_data(sound_lists, subgroup);
        {
            const auto dialog = open(sound_lists, subgroup);
            EXPECT_EQ(lines(*dialog)->count(), count < 0 ? 0 : 30) << count;
            EXPECT_EQ(entries(*dialog)->control(element_list_add_id)->isEnabled(), count < 0) << count;
            accept(*dialog);
            EXPECT_EQ(tag_data(sound_lists, subgroup), before) << count;
        }
        if (count < 0) continue;
        const auto dialog = open(sound_lists, subgroup);
        lines(*dialog)->setCurrentRow(0);
        press(*dialog, element_list_delete_id);
        accept(*dialog);
        const std::vector<std::byte> saved = tag_data(sound_lists, subgroup);
        EXPECT_EQ(stored(saved, 0, 2), 29) << count;
        EXPECT_EQ(stored(saved, entries_offset, 4), NONE) << count << ": the second entry moved up";
    }
}

}  // namespace
}  // namespace editor_test
