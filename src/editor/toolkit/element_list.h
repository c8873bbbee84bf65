#pragma once

// The element list: a list box with "Add", "Duplicate" and "Delete" that edits a
// fixed-capacity array of sub-records and the count of those in use. Each line names
// its element by the tag its reference field names, or by a prefix and position.

#include "core/tag_code.h"
#include "editor/toolkit/control_registry.h"
#include "editor/toolkit/element_dialog.h"
#include "editor/toolkit/exchange_numbers.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <cstdint>

class CDataExchange;
class CTagDialog;
class QListWidget;
class QPushButton;

inline constexpr int element_list_box_id = 1021;
inline constexpr int element_list_add_id = 1017;
inline constexpr int element_list_duplicate_id = 1018;
inline constexpr int element_list_delete_id = 1019;

struct ElementListConfig {
    size_t element_size = 0;
    size_t name_offset = 0;  // a 32-bit tag reference inside an element, naming it
    QString prefix;          // for elements whose reference is NONE: prefix + position
    int capacity = 0;
    tag_code group = 0;      // group of the naming reference
    ElementDialogFactory factory;
    const void* default_element = nullptr;  // what "Add" starts from
};

class CElementListDlg : public QWidget {
    Q_OBJECT

public:
    // Element dialogs opened from the list are owned by `owner`.
    CElementListDlg(CTagDialog& owner, const ElementListConfig& config);

    // Binds the array and the count of elements in use (clamped to 0..capacity).
    void bind(void* array, int count);
    int count() const { return count_; }
    // True once an element was added or deleted since the last bind.
    bool count_changed() const { return count_changed_; }

    QWidget* control(int control_id) const { return controls_.find(control_id); }
    QString line_text(int index) const;

    void add();
    void duplicate();
    void remove();
    // Opens the element dialog on one element; true when it ended with OK.
    bool open(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::byte* slot(int index) const;
    bool open_slot(int index, const QString& caption);
    void insert_copy(const void* element);
    void refresh();
    void update_buttons();
    int selected_index() const;

    CTagDialog& owner_;
    ElementListConfig config_;
    std::byte* array_ = nullptr;
    int count_ = 0;
    bool count_changed_ = false;
    toolkit::ControlRegistry controls_;
    QListWidget* list_;
    QPushButton* add_;
    QPushButton* duplicate_;
    QPushButton* delete_;
};

namespace toolkit {
void exchange_element_count(CDataExchange& dx, int list_id, void* array, void* count, Storage count_storage);
}

template <std::integral Count>
void DDX_ElementCount(CDataExchange& dx, int list_id, void* array, Count& count) {
    toolkit::exchange_element_count(dx, list_id, array, &count, toolkit::storage_of<Count>());
}
