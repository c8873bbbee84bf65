#pragma once

#include "editor_fixture.h"

#include "editor/quillet_frame_wnd.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QTreeWidgetItem;

namespace editor_test {

inline constexpr tag_code string_lists = make_tag("stli");
inline constexpr tag_code meshes = make_tag("mesh");
inline constexpr tag_code fonts = make_tag("font");

// A form of any group that reads nothing: it stands for the group's real form,
// so that a test sees which tag the frame opened.
CTagDialog* create_plain_form(tag_code group, tag_code subgroup, QWidget* parent);

// The text of a label, edit box or button of a dialog.
QString control_text(const CTagDialog& dialog, int control_id);
// Clicks OK (control 1), which must be enabled.
void press_ok(CTagDialog& dialog);

// The tag commands run on a real main frame over a working folder; every
// group the tests use has a form.
class CommandsTest : public EditorTest {
protected:
    // The frame, built on first use from the tags that exist then.
    CQuilletFrameWnd& frame();
    QTreeWidgetItem* group_item(tag_code group);
    QTreeWidgetItem* tag_item(tag_code group, const QString& name);
    QStringList tag_texts(tag_code group);
    // The visible tag of the group with that name (ignoring case), or NONE.
    static tag_handle tag_named(tag_code group, const std::string& name);
    void select(QTreeWidgetItem* item);

    // Queues the script of the next modal dialog.
    template <class Dialog>
    void when_shown(std::function<void(Dialog&)> script) {
        services.queue_dialog([script](QDialog& dialog) {
            auto* shown = dynamic_cast<Dialog*>(&dialog);
            ASSERT_NE(shown, nullptr) << "another dialog: " << dialog.metaObject()->className();
            script(*shown);
        });
    }
    // Queues a script that notes the tag a form was opened on and cancels it.
    void expect_form_opened();
    // The subgroups of the forms opened so far.
    const std::vector<tag_code>& opened_forms() const { return *opened_; }

    // Moves the tag into a foundation file and reopens the directory: the tag
    // is then one of a monolithic file. Call before the frame is built.
    void make_monolithic(tag_code group, const std::string& name);

private:
    const EditorRegistration sound_form_{sounds, &create_plain_form};
    const EditorRegistration monster_form_{monsters, &create_plain_form};
    const EditorRegistration ambient_form_{ambient_sounds, &create_plain_form};
    const EditorRegistration reference_form_{collection_references, &create_plain_form};
    const EditorRegistration string_list_form_{string_lists, &create_plain_form};
    const EditorRegistration mesh_form_{meshes, &create_plain_form};
    const EditorRegistration font_form_{fonts, &create_plain_form};
    std::shared_ptr<std::vector<tag_code>> opened_ = std::make_shared<std::vector<tag_code>>();
    std::unique_ptr<CQuilletFrameWnd> frame_;
};

}  // namespace editor_test
