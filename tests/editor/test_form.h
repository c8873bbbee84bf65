#pragma once

#include "editor/tag_dialog.h"

#include <cstdint>
#include <vector>

class QLineEdit;

namespace editor_test {

// A minimal group form: the group's whole record, its first 32-bit field in
// an edit box (control 1000).
class TestForm : public CTagDialog {
public:
    static constexpr int first_word_control = 1000;

    TestForm(uint32_t group, uint32_t subgroup, QWidget* parent);

    QLineEdit* first_word_edit() const;
    int32_t first_word() const;
    const std::vector<std::byte>& record() const { return record_; }

    static CTagDialog* create(uint32_t group, uint32_t subgroup, QWidget* parent);

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    std::vector<std::byte> record_;
};

}  // namespace editor_test
