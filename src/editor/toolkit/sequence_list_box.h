#pragma once

// A list box over a fixed number of elements that each hold a sequence index (the
// four sequences of an attack). Each line names the sequence its element selects;
// a double-click opens the element dialog on that element.

#include "core/tag_code.h"
#include "editor/toolkit/element_dialog.h"

#include <QListWidget>

#include <cstddef>
#include <string>
#include <vector>

class CTagDialog;

struct SequenceListConfig {
    size_t element_size = 0;
    size_t index_offset = 0;  // a 16-bit sequence index inside an element
    ElementDialogFactory factory;
};

class CSequenceListBox : public QListWidget {
    Q_OBJECT

public:
    CSequenceListBox(CTagDialog& owner, const SequenceListConfig& config);

    // The elements and the collection whose sequence names the lines show (read once).
    void bind(void* array, int count, tag_code collection);
    QString line_text(int index) const;
    // Opens the element dialog on one element; refreshes the lines after OK.
    bool open(int index);

private:
    void refresh();

    CTagDialog& owner_;
    SequenceListConfig config_;
    std::byte* array_ = nullptr;
    int count_ = 0;
    std::vector<std::string> names_;
};
