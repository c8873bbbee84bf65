#include "editor/toolkit/element_list.h"

#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/tag_dialog.h"
#include "editor/toolkit/stored_value.h"
#include "tag_files/tag_directory.h"

#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <cstring>

namespace {

// Gaps of the list's template: between the buttons, and above them.
constexpr int button_gap = 6;
constexpr int list_gap = 6;

}  // namespace

CElementListDlg::CElementListDlg(CTagDialog& owner, const ElementListConfig& config)
    : QWidget(&owner),
      owner_(owner),
      config_(config),
      list_(new QListWidget(this)),
      add_(new QPushButton(QStringLiteral("Add"), this)),
      duplicate_(new QPushButton(QStringLiteral("Duplicate"), this)),
      delete_(new QPushButton(QStringLiteral("Delete"), this)) {
    controls_.add(element_list_box_id, list_);
    controls_.add(element_list_add_id, add_);
    controls_.add(element_list_duplicate_id, duplicate_);
    controls_.add(element_list_delete_id, delete_);
    for (QPushButton* button : {add_, duplicate_, delete_}) button->setAutoDefault(false);
    setMinimumSize(3 * add_->sizeHint().width() + 2 * button_gap, 120);
    connect(add_, &QPushButton::clicked, this, &CElementListDlg::add);
    connect(duplicate_, &QPushButton::clicked, this, &CElementListDlg::duplicate);
    connect(delete_, &QPushButton::clicked, this, &CElementListDlg::remove);
    connect(list_, &QListWidget::itemSelectionChanged, this, &CElementListDlg::update_buttons);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { open(list_->row(item)); });
    update_buttons();
}

void CElementListDlg::bind(void* array, int count) {
    array_ = static_cast<std::byte*>(array);
    count_ = std::clamp(count, 0, config_.capacity);
    count_changed_ = false;
    refresh();
}

std::byte* CElementListDlg::slot(int index) const {
    return array_ + static_cast<size_t>(index) * config_.element_size;
}

QString CElementListDlg::line_text(int index) const {
    int32_t reference = NONE;
    std::memcpy(&reference, slot(index) + config_.name_offset, sizeof reference);
    if (reference == NONE) return config_.prefix + QString::number(index + 1);
    return text_from_windows_1252(tag_get_name(tag_find(config_.group, static_cast<tag_code>(reference))));
}

void CElementListDlg::refresh() {
    const int selected = selected_index();
    list_->clear();
    for (int index = 0; index < count_; ++index) list_->addItem(line_text(index));
    if (selected >= 0 && selected < count_) list_->setCurrentRow(selected);
    update_buttons();
}

int CElementListDlg::selected_index() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.front());
}

void CElementListDlg::update_buttons() {
    const bool room = array_ && count_ < config_.capacity;
    const bool selected = selected_index() >= 0;
    add_->setEnabled(room);
    duplicate_->setEnabled(room && selected);
    delete_->setEnabled(array_ && selected);
}

bool CElementListDlg::open_slot(int index, const QString& caption) {
    return toolkit::run_element_dialog(config_.factory, caption, &owner_, slot(index));
}

bool CElementListDlg::open(int index) {
    if (!array_ || index < 0 || index >= count_) return false;
    const bool accepted = open_slot(index, line_text(index));
    if (accepted) refresh();
    return accepted;
}

void CElementListDlg::insert_copy(const void* element) {
    if (!array_ || !element || count_ >= config_.capacity) return;
    const int index = count_;
    std::memmove(slot(index), element, config_.element_size);
    ++count_;
    refresh();
    if (open_slot(index, line_text(index))) {
        count_changed_ = true;
        list_->setCurrentRow(index);
    } else {
        --count_;
    }
    refresh();
}

void CElementListDlg::add() { insert_copy(config_.default_element); }

void CElementListDlg::duplicate() {
    const int selected = selected_index();
    if (selected >= 0) insert_copy(slot(selected));
}

void CElementListDlg::remove() {
    const int selected = selected_index();
    if (!array_ || selected < 0 || selected >= count_) return;
    const int following = config_.capacity - selected - 1;
    std::memmove(slot(selected), slot(selected + 1), static_cast<size_t>(following) * config_.element_size);
    --count_;
    count_changed_ = true;
    refresh();
}

void CElementListDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int width = event->size().width();
    const int height = event->size().height();
    const QSize button = add_->sizeHint();
    const int w = button.width();
    const int h = button.height();
    const int top = height - h;
    duplicate_->setGeometry(width / 2 - w / 2, top, w, h);
    add_->setGeometry(width / 2 - 3 * w / 2 - button_gap, top, w, h);
    delete_->setGeometry(width / 2 + w / 2 + button_gap, top, w, h);
    list_->setGeometry(0, 0, width, height - list_gap - h);
}

namespace toolkit {

void exchange_element_count(CDataExchange& dx, int list_id, void* array, void* count, Storage count_storage) {
    if (dx.failed()) return;
    auto* list = dx.dialog().control_as<CElementListDlg>(list_id);
    if (!list) return;
    if (dx.is_loading()) {
        list->bind(array, static_cast<int>(std::clamp<int64_t>(load_stored(count, count_storage), 0, INT32_MAX)));
        return;
    }
    // An untouched list leaves the stored count as it was, even one beyond capacity.
    if (list->count_changed()) store_stored(count, count_storage, list->count());
}

}  // namespace toolkit
