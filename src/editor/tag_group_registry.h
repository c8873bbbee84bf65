#pragma once

// The editor's side of the tag group registry: the rows of the definitions'
// registry, each with the function that builds the group's editor form, and
// the tag-name lists that the reference pickers are filled from.
//
// A form makes itself its group's editor from its own source file:
//     const EditorRegistration monster_editor(make_tag("mons"), &create_monster_dialog);
// A group counts as having an editor once its form is registered.

#include "core/tag_code.h"
#include "definitions/group_registry.h"
#include "definitions/tag_name_list.h"

#include <cstdint>
#include <map>
#include <memory>

class CTagDialog;
class QAbstractItemModel;
class QWidget;

namespace toolkit {
class TagListModel;
}

// Builds the group's form on the heap; it reads nothing until it opens.
using create_editor_function = CTagDialog* (*)(tag_code group_tag, tag_code subgroup, QWidget* parent);

// Makes `create` the editor of `group` for the object's life (the editor
// registered before, if any, comes back afterwards). A null `create` leaves
// the group without an editor meanwhile.
class EditorRegistration {
public:
    EditorRegistration(tag_code group, create_editor_function create);
    ~EditorRegistration();
    EditorRegistration(const EditorRegistration&) = delete;
    EditorRegistration& operator=(const EditorRegistration&) = delete;

private:
    tag_code group_;
    create_editor_function previous_;
};

class CTagGroupRegistry {
public:
    // The registry the editor forms reach: the one of the main window (or of
    // the test that made one) while it lives; null when there is none.
    static CTagGroupRegistry* active();

    CTagGroupRegistry();
    ~CTagGroupRegistry();
    CTagGroupRegistry(const CTagGroupRegistry&) = delete;
    CTagGroupRegistry& operator=(const CTagGroupRegistry&) = delete;

    // The group's row, or null when the editor does not know the group.
    static const definitions::TagGroupEntry* find_group(tag_code group);
    // The group's form builder, or null.
    static create_editor_function find_editor(tag_code group);
    static bool has_editor(tag_code group);
    static bool is_hidden(tag_code group);
    // The default record in host order (definitions::default_record_in_file_order
    // gives the copy to write); null without a row or a default.
    static const void* get_default_definition(tag_code group);
    static definitions::user_data_function get_user_data_function(tag_code group);
    static uint32_t get_definition_size(tag_code group);
    // A new editor form for the tag, which the caller runs modally and
    // deletes; null when the group has no row or no editor.
    static CTagDialog* open_editor(tag_code group, tag_code subgroup, QWidget* parent);

    // (Re)builds the group's tag-name list: "No Tag", then its tags by name.
    // Without force, only for a group whose row asks for a list. The group's
    // shared picker models follow.
    void rebuild_tag_list(tag_code group, bool force);
    // The group's list, or null when it was never built.
    const definitions::TagNameList* find_tag_list(tag_code group) const { return lists_.find_tag_list(group); }

    // The model every plain picker of the group shows: its tag-name list, built
    // when missing.
    QAbstractItemModel* tag_list_model(tag_code group);
    // The group's tags in directory order, which filtered pickers filter; brought
    // up to date with the directory each time it is asked for.
    toolkit::TagListModel* directory_order_model(tag_code group);

private:
    definitions::TagNameLists lists_;
    std::map<tag_code, std::unique_ptr<toolkit::TagListModel>> name_order_models_;
    std::map<tag_code, std::unique_ptr<toolkit::TagListModel>> directory_order_models_;
    CTagGroupRegistry* previous_active_;
};
