// Opening the monster form offscreen in a working folder holding 1,000 tags in each
// group its pickers list: building the dialog, reading the tag, filling every
// picker and the attack list, then closing it. The registry's tag-name lists are
// built beforehand, as the main window builds them with the tree.

#include "qt_benchmark_main.h"
#include "core/byte_swap.h"
#include "definitions/monster_definitions.h"
#include "editor/forms/monster_form.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int tags_per_group = 1000;

constexpr tag_code referenced_groups[] = {make_tag(".256"), make_tag("prgr"), make_tag("obje"), make_tag("temp"),
                                          make_tag("stli"), make_tag("soun"), make_tag("proj"), make_tag("lpgr")};

tag_handle create_tag(tag_code group, const std::string& name, const void* data, int32_t size) {
    tag_handle handle = tag_file_create(group, name.c_str(), tag_group_get_version(group));
    if (handle == NONE || (size > 0 && !tag_file_write(handle, 0, size, data))) std::abort();
    return handle;
}

// A monster using a tag of every referenced group, with four attacks.
tag_code create_monster(const std::vector<tag_code>& last_of_group) {
    definitions::monster_definition monster = definitions::monster_definition_default;
    monster.collection = static_cast<int32_t>(last_of_group[0]);
    monster.exploding_projectile_group = static_cast<int32_t>(last_of_group[1]);
    monster.object = static_cast<int32_t>(last_of_group[2]);
    monster.map_action_template = static_cast<int32_t>(last_of_group[3]);
    monster.names_string_list = static_cast<int32_t>(last_of_group[4]);
    monster.local_projectile_group = static_cast<int32_t>(last_of_group[7]);
    monster.attack_count = definitions::monster_attack_capacity;
    for (definitions::attack_definition& attack : monster.attacks) {
        attack = definitions::attack_definition_default;
        attack.projectile = static_cast<int32_t>(last_of_group[6]);
    }
    definitions::convert_monster_attacks(&monster);
    byte_swap_data("monster", &monster, sizeof monster, 1, definitions::monster_definition_codes);
    return tag_get_subgroup(create_tag(make_tag("mons"), "ogre", &monster, sizeof monster));
}

void BM_OpenMonsterForm(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessary-monster-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    const std::filesystem::path folder = pattern;
    std::filesystem::current_path(folder);
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    std::vector<tag_code> last_of_group;
    for (tag_code group : referenced_groups) {
        tag_handle handle = NONE;
        for (int index = 0; index < tags_per_group; ++index) {
            handle = create_tag(group, "tag " + std::to_string(index), nullptr, 0);
            if (!tag_set_user_data(handle, 2)) std::abort();
        }
        last_of_group.push_back(tag_get_subgroup(handle));
    }
    const tag_code monster = create_monster(last_of_group);
    tag_file_close_local();

    CTagGroupRegistry registry;
    for (tag_code group : referenced_groups) registry.rebuild_tag_list(group, true);
    for (auto _ : state) {
        CMonsterDlg dialog(make_tag("mons"), monster, nullptr);
        dialog.show();
        dialog.reject();
        benchmark::DoNotOptimize(dialog.GetCurrentCollection());
    }
    tag_files_close();
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenMonsterForm)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char* argv[]) { return run_editor_benchmarks(argc, argv); }
