#pragma once

#include "core/tag_code.h"
#include "editor/tag_dialog.h"

class QListWidget;
class QListWidgetItem;

// "New Tag" (dialog 139): the group of a new tag, chosen among the groups that
// have an editor form. The default button names the chosen group.
class CNewTagTypeDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 139;
    static constexpr int group_list_control = 1013;

    // `preselected` is the group whose entry is selected on opening; NONE for none.
    CNewTagTypeDlg(tag_code preselected, QWidget* parent);

    // The preselected group until the dialog ends with OK, then the chosen one.
    tag_code chosen_group() const { return group_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    QListWidget* group_list() const;
    QListWidgetItem* selected_entry() const;
    void update_create_button();

    tag_code group_;
};
