#pragma once

// Element dialogs edit a sub-record of the record their owner holds (an attack, a
// part, the flags of a monster) instead of a tag: group and subgroup `dumy`, a
// caption given by whoever opens them, and no tag read or written.
//
// The dialog works on a copy of the element and copies it back only when OK's
// exchange succeeded, so Cancel leaves the owner's record exactly as it was even
// after a refused entry.

#include "core/tag_code.h"
#include "editor/tag_dialog.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

inline constexpr tag_code element_dialog_tag = make_tag("dumy");

class CElementDialog : public CTagDialog {
    Q_OBJECT

public:
    // `owner` answers GetCurrentCollection (it may itself be an element dialog, which
    // asks its own owner in turn).
    CElementDialog(int template_id, const QString& caption, CTagDialog* owner, size_t element_size);

    // The element in the owner's record; set before the dialog runs.
    void set_element(void* element) { element_ = element; }
    void* element() const { return element_; }

    int32_t GetCurrentCollection() override;
    CTagDialog* owner() const { return owner_; }
    const QString& caption() const { return caption_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    // The copy the controls exchange with; it has the element's size.
    std::byte* working_element() { return working_.data(); }
    // The dialog's own exchange over working_element().
    virtual void exchange_element(CDataExchange& dx) = 0;

private:
    QString caption_;
    CTagDialog* owner_;
    void* element_ = nullptr;
    std::vector<std::byte> working_;
};

// Makes an element dialog with a caption for an owner.
using ElementDialogFactory = std::function<CElementDialog*(const QString& caption, CTagDialog* owner)>;

namespace toolkit {

// Opens an element dialog on `element` modally; true when it ended with OK.
bool run_element_dialog(const ElementDialogFactory& factory, const QString& caption, CTagDialog* owner,
                        void* element);

}  // namespace toolkit
