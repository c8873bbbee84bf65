#include "editor/toolkit/sequence_list_box.h"

#include "editor/character_translation.h"
#include "editor/tag_dialog.h"
#include "editor/toolkit/tag_reads.h"

#include <cstring>

CSequenceListBox::CSequenceListBox(CTagDialog& owner, const SequenceListConfig& config)
    : owner_(owner), config_(config) {
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { open(row(item)); });
}

void CSequenceListBox::bind(void* array, int count, tag_code collection) {
    array_ = static_cast<std::byte*>(array);
    count_ = std::max(count, 0);
    names_ = toolkit::sequence_names_of_collection(collection).value_or(std::vector<std::string>{});
    refresh();
}

QString CSequenceListBox::line_text(int index) const {
    int16_t sequence = NONE;
    std::memcpy(&sequence, array_ + static_cast<size_t>(index) * config_.element_size + config_.index_offset,
                sizeof sequence);
    if (sequence == NONE) return QStringLiteral("Sequence #%1").arg(index + 1);
    // An index beyond the collection's sequences (or with no collection) has no name.
    if (sequence < 0 || static_cast<size_t>(sequence) >= names_.size()) return QStringLiteral("<unknown>");
    return text_from_windows_1252(names_[static_cast<size_t>(sequence)]);
}

void CSequenceListBox::refresh() {
    const int selected = currentRow();
    clear();
    for (int index = 0; index < count_; ++index) addItem(line_text(index));
    if (selected >= 0 && selected < count_) setCurrentRow(selected);
}

bool CSequenceListBox::open(int index) {
    if (!array_ || index < 0 || index >= count_) return false;
    void* element = array_ + static_cast<size_t>(index) * config_.element_size;
    const bool accepted = toolkit::run_element_dialog(config_.factory, line_text(index), &owner_, element);
    if (accepted) refresh();
    return accepted;
}
