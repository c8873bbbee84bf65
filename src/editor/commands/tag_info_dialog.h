#pragma once

#include "core/tag_code.h"
#include "editor/tag_dialog.h"
#include "tag_files/tag_directory.h"

#include <cstdint>
#include <string>

// "Tag Info" (dialog 134): a tag's group, subgroup, size and version, and the
// two things of its header the user may change: its name and the foundation
// file it goes into (its destination). OK renames the tag and sets its
// destination; a tag of a monolithic file becomes a local tag on the way.
class CTagInfoDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 134;
    static constexpr int group_text_control = 1000;
    static constexpr int subgroup_text_control = 1001;
    static constexpr int size_text_control = 1002;
    static constexpr int version_text_control = 1003;
    static constexpr int name_control = 1004;
    static constexpr int destination_control = 1005;

    CTagInfoDlg(tag_code group, tag_code subgroup, QWidget* parent);

public slots:
    void accept() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    // A visible tag of the group, other than this one, named `name` (case ignored).
    tag_handle other_tag_named(const std::string& name) const;

    std::string name_;
    int16_t destination_ = -1;  // index in the destination list; -1 for none
};
