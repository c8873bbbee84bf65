#include "test_form.h"

#include "editor/data_exchange.h"
#include "editor/tag_group_registry.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cstring>

namespace editor_test {

TestForm::TestForm(uint32_t group, uint32_t subgroup, QWidget* parent)
    : CTagDialog(999, group, subgroup, parent), record_(CTagGroupRegistry::get_definition_size(group)) {
    auto* layout = new QVBoxLayout(this);
    auto* edit = new QLineEdit(this);
    register_control(first_word_control, edit);
    layout->addWidget(edit);
    layout->addWidget(create_ok_cancel_buttons());
}

QLineEdit* TestForm::first_word_edit() const { return control_as<QLineEdit>(first_word_control); }

int32_t TestForm::first_word() const {
    int32_t word;
    std::memcpy(&word, record_.data(), sizeof word);
    return word;
}

CTagDialog* TestForm::create(uint32_t group, uint32_t subgroup, QWidget* parent) {
    return new TestForm(group, subgroup, parent);
}

void TestForm::DoDataExchange(CDataExchange& dx) {
    const auto codes = CTagGroupRegistry::find_group(group_tag())->byte_swap_codes;
    const auto size = static_cast<int32_t>(record_.size());
    if (!read_tag_record(dx, record_.data(), size, codes)) return;
    int32_t word = first_word();
    dx.prepare_control(first_word_control);
    if (dx.is_loading()) {
        first_word_edit()->setText(QString::number(word));
    } else {
        bool parsed = false;
        word = first_word_edit()->text().toInt(&parsed);
        if (!parsed) {
            dx.fail();
            return;
        }
        std::memcpy(record_.data(), &word, sizeof word);
    }
    write_tag_record(dx, record_.data(), size, codes);
}

}  // namespace editor_test
