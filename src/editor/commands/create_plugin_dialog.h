#pragma once

#include "editor/tag_dialog.h"
#include "tag_files/tag_directory.h"

#include <cstdint>
#include <string>
#include <vector>

class CQuilletFrameWnd;
class QListWidget;

// "Create a plugin" (dialog 205): the plugin's name and web address, its icon,
// the local tags to package and four loading options. OK checks the choice and
// leaves behind what the plugin writer is given: the name, the address, the
// plugin flags and the chosen tags.
class CCreatePluginDlg : public CTagDialog {
public:
    static constexpr int dialog_template = 205;
    static constexpr int name_control = 1004;
    static constexpr int url_control = 1005;
    static constexpr int icon_text_control = 1336;
    static constexpr int change_icon_control = 1337;
    static constexpr int remove_icon_control = 1338;
    static constexpr int tag_list_control = 1339;
    static constexpr int all_control = 1340;
    static constexpr int none_control = 1341;
    static constexpr int invert_control = 1342;
    static constexpr int reverse_order_control = 1344;
    static constexpr int compatible_control = 1345;
    static constexpr int reliant_control = 1346;
    static constexpr int meshes_last_control = 1347;
    static constexpr int used_tags_control = 1348;
    static constexpr int dependencies_control = 1349;

    explicit CCreatePluginDlg(CQuilletFrameWnd& frame);

    // Windows-1252 bytes, as the writer takes them.
    const std::string& plugin_name() const { return name_; }
    const std::string& plugin_url() const { return url_; }
    int16_t plugin_flags() const { return flags_; }
    // The chosen tags in list order (the icon last when it was not chosen), ended by 0.
    const std::vector<tag_handle>& chosen_tags() const { return chosen_; }

    void accept() override;

protected:
    bool OnInitDialog() override;

private:
    QListWidget* tag_list() const;
    void show_icon();
    void change_icon();
    void remove_icon();
    void set_every_check(Qt::CheckState state);
    void invert_checks();
    // With "Add the tags they use": checks the local tags the checked ones use
    // and names the tags of other plugins they need.
    void add_used_tags();
    bool overwrite_confirmed(const std::string& name);

    CQuilletFrameWnd& frame_;
    std::string name_;
    std::string url_;
    int16_t flags_ = -1;
    std::vector<tag_handle> chosen_;
};

// The plugin flags of a choice (0xFFFF: no option applies): option A counts for
// a plugin without mesh tags only, options B to D for one with mesh tags only.
int16_t plugin_flags_for(bool has_mesh_tags, bool reverse_order, bool compatible, bool reliant, bool meshes_last);
