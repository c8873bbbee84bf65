// Saves an offscreen picture of the main window over a small working folder
// (a few tags of several groups, some of them in a foundation file) to the
// file named on the command line: the README's picture.

#include "definitions/group_registry.h"
#include "editor/platform/scripted_services.h"
#include "editor/quillet_frame_wnd.h"
#include "support/working_folder.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QApplication>
#include <QPixmap>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>

namespace {

void create_tags(tag_code group, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const auto record = definitions::default_record_in_file_order(group);
        tag_handle handle = tag_file_create(group, name, tag_group_get_version(group));
        if (!record.empty()) tag_file_write(handle, 0, static_cast<int32_t>(record.size()), record.data());
    }
    tag_file_close_local();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PICTURE.png\n", argv[0]);
        return 2;
    }
    const std::filesystem::path picture = std::filesystem::absolute(argv[1]);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessary"));
    test_support::WorkingFolder folder;
    platform::ScriptedServices services;
    tag_files_initialize();
    tag_files_open(false, nullptr, 0, NONE);

    create_tags(make_tag("mons"), {"Dwarf Lord", "Ghol", "Myrmidon", "Thrall", "Wight"});
    create_tags(make_tag("proj"), {"arrow", "fireball", "Dwarven cocktail"});
    create_tags(make_tag("unit"), {"Archer", "Journeyman"});
    create_tags(make_tag("soun"), {"thunder", "rain"});
    rebuild_foundation_files();
    tag_file_delete(tag_find(make_tag("mons"), subgroup_from_name("Thrall")));
    tag_file_delete(tag_find(make_tag("mons"), subgroup_from_name("Wight")));
    tag_files_open(false, nullptr, 0, NONE);
    create_tags(make_tag("mons"), {"Soulless", "Trow"});

    CQuilletFrameWnd frame;
    frame.setWindowTitle(QStringLiteral("Tessary"));
    frame.resize(frame.width(), 520);
    QTreeWidgetItem* monsters = frame.find_group_item(make_tag("mons"));
    frame.populate_group(monsters, true, subgroup_from_name("Myrmidon"));
    frame.show();
    QApplication::processEvents();
    const bool saved = frame.grab().save(QString::fromStdString(picture.string()), "PNG");
    tag_files_close();
    if (!saved) {
        std::fprintf(stderr, "could not write %s\n", picture.c_str());
        return 1;
    }
    return 0;
}
