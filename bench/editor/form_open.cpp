// Opening each registered form offscreen in a working folder holding 1,000 tags in
// each group its record refers to: building the dialog, reading the tag, filling
// every picker and element list, then closing it. The tag names a tag of every
// referenced group and fills its element lists. The registry's tag-name lists are
// built beforehand, as the main window builds them with the tree.

#include "qt_benchmark_main.h"
#include "empty_working_folder.h"
#include "definitions/group_registry.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"
#include "editor/forms/sound_form.h"
#include "editor/toolkit/form_dialogs.h"
#include "media/sound_tag.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using definitions::FieldDescription;
using definitions::FieldKind;
using definitions::RecordDescription;

constexpr int tags_per_group = 1000;

void referenced_groups(const RecordDescription& record, std::set<tag_code>& groups) {
    for (const FieldDescription& field : record.fields) {
        if (field.kind == FieldKind::tag_reference) groups.insert(field.reference_group);
        if (field.kind == FieldKind::record_array && field.element) referenced_groups(*field.element, groups);
    }
}

// Every reference of the record, sub-records included, names the last tag of its group.
void name_last_tags(const RecordDescription& record, std::byte* bytes, const std::map<tag_code, int32_t>& last) {
    for (const FieldDescription& field : record.fields) {
        for (uint32_t i = 0; i < field.count; ++i) {
            std::byte* at = bytes + field.offset + i * definitions::field_element_size(field);
            if (field.kind == FieldKind::tag_reference) std::memcpy(at, &last.at(field.reference_group), 4);
            if (field.kind == FieldKind::record_array && field.element) name_last_tags(*field.element, at, last);
        }
    }
}

// The group form's element lists hold as many elements as they can.
void fill_element_lists(tag_code group, std::byte* record) {
    const std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(group, NONE, nullptr));
    auto* form_dialog = dynamic_cast<CFormTagDialog*>(dialog.get());
    if (!form_dialog) return;
    for (const toolkit::Row& row : form_dialog->form().rows()) {
        const toolkit::RowDescription& described = row.description();
        if (described.role != toolkit::RowRole::element_list) continue;
        const toolkit::Field count = described.fields.at(1).field;
        const auto capacity8 = static_cast<int8_t>(described.capacity);
        const auto capacity16 = static_cast<int16_t>(described.capacity);
        const int32_t capacity32 = described.capacity;
        const void* capacity = count.size == 1 ? static_cast<const void*>(&capacity8)
                               : count.size == 2 ? static_cast<const void*>(&capacity16)
                                                 : static_cast<const void*>(&capacity32);
        std::memcpy(record + count.offset, capacity, count.size);
    }
}

tag_handle create_tag(tag_code group, const std::string& name, const void* data, int32_t size) {
    tag_handle handle = tag_file_create(group, name.c_str(), tag_group_get_version(group));
    if (handle == NONE || (size > 0 && !tag_file_write(handle, 0, size, data))) std::abort();
    return handle;
}

// With `crowded` set, that referenced group holds as many tags as the directory
// has room for (about 10,000) and every other one 20.
void BM_OpenForm(benchmark::State& state, tag_code group, tag_code crowded) {
    const std::filesystem::path folder = open_empty_working_folder("tessary-form");

    const definitions::TagGroupEntry& entry = *definitions::find_group(group);
    std::set<tag_code> groups;
    if (entry.description) referenced_groups(*entry.description, groups);
    std::map<tag_code, int32_t> last;
    const int room = tag_header_capacity - 1 - 20 * static_cast<int>(groups.size());
    for (tag_code referenced : groups) {
        tag_handle handle = NONE;
        const int count = crowded == NONE ? tags_per_group : referenced == crowded ? room : 20;
        for (int index = 0; index < count; ++index) {
            handle = create_tag(referenced, "tag " + std::to_string(index), nullptr, 0);
            if (!tag_set_user_data(handle, 2)) std::abort();
        }
        last[referenced] = static_cast<int32_t>(tag_get_subgroup(handle));
    }
    const auto* host_default = static_cast<const std::byte*>(entry.default_definition);
    std::vector<std::byte> record(host_default, host_default + entry.definition_size);
    if (entry.description) name_last_tags(*entry.description, record.data(), last);
    fill_element_lists(group, record.data());
    definitions::record_to_file_order(entry, record.data());
    const tag_code subgroup = tag_get_subgroup(
        create_tag(group, "edited", record.data(), static_cast<int32_t>(record.size())));
    tag_file_close_local();

    CTagGroupRegistry registry;
    for (tag_code referenced : groups) registry.rebuild_tag_list(referenced, true);
    for (auto _ : state) {
        const std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(group, subgroup, nullptr));
        dialog->show();
        dialog->reject();
        benchmark::DoNotOptimize(dialog->GetCurrentCollection());
    }
    tag_files_close();
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
}

// Opening the map settings of a map tag of range(0) MB, then pressing OK when range(1)
// says so (else Cancel). The form reads the 1024-byte header only; OK writes those
// bytes through the tag's atomic replacement, which copies the whole file.
void BM_MapSettings(benchmark::State& state) {
    const std::filesystem::path folder = open_empty_working_folder("tessary-form");
    constexpr tag_code maps = make_tag("mesh");
    const definitions::RecordDescription& header = *definitions::find_group(maps)->description;
    std::vector<std::byte> data(static_cast<size_t>(state.range(0)) << 20);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::byte>(i % 251);
    std::vector<std::byte> zeros(header.size);
    std::memcpy(data.data(), zeros.data(), zeros.size());
    const tag_code subgroup =
        tag_get_subgroup(create_tag(maps, "map", data.data(), static_cast<int32_t>(data.size())));
    tag_file_close_local();

    CTagGroupRegistry registry;
    for (auto _ : state) {
        const std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(maps, subgroup, nullptr));
        dialog->show();
        if (state.range(1) == 0) {
            dialog->reject();
            continue;
        }
        dialog->accept();
        if (dialog->result() != QDialog::Accepted) std::abort();
    }
    tag_files_close();
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
}

// Opening a sound of five one-minute stereo permutations at 44.1 kHz (14 MB of
// blocks): the whole tag is read and checked, the permutations listed; with
// range(0) set, the first is selected too, which decodes it for its waveform.
void BM_SoundForm(benchmark::State& state) {
    const std::filesystem::path folder = open_empty_working_folder("tessary-form");
    constexpr int rate = 44100;
    constexpr int frames = 60 * rate;
    sound_tag sound = new_sound_tag();
    for (int index = 0; index < MAXIMUM_EDITOR_PERMUTATIONS; ++index) {
        sound_tag_permutation permutation;
        std::snprintf(permutation.permutation.name, sizeof permutation.permutation.name, "minute %d", index + 1);
        definitions::sampled_sound_header& header = permutation.header;
        header.flags = definitions::sampled_sound_compressed;
        header.bits_per_sample = 16;
        header.sample_size_shift = 1;
        header.channels = 2;
        header.sample_rate = std::uint32_t(rate) << 16;
        header.count = 2 * ((frames + 63) / 64);
        permutation.data.resize(std::size_t(header.count) * sizeof(definitions::sound_block));
        for (std::size_t at = 0; at < permutation.data.size(); ++at)
            permutation.data[at] = static_cast<std::byte>((at * 7 + std::size_t(index)) % 251);
        sound.permutations.push_back(std::move(permutation));
    }
    tag_handle handle = tag_file_create(sound_group_tag, "five minutes", tag_group_get_version(sound_group_tag));
    if (handle == NONE || !save_sound_tag(handle, sound)) std::abort();
    const tag_code subgroup = tag_get_subgroup(handle);

    CTagGroupRegistry registry;
    for (auto _ : state) {
        const std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(sound_group_tag, subgroup, nullptr));
        dialog->show();
        if (state.range(0) != 0) dialog->control_as<QListWidget>(sound_form::permutation_list_id)->setCurrentRow(0);
        dialog->reject();
        benchmark::DoNotOptimize(dialog->result());
    }
    tag_files_close();
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char* argv[]) {
    benchmark::RegisterBenchmark("BM_MapSettings", BM_MapSettings)
        ->ArgNames({"megabytes", "saved"})
        ->ArgsProduct({{1, 20}, {0, 1}})
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    benchmark::RegisterBenchmark("BM_SoundForm/five_stereo_minutes", BM_SoundForm)
        ->ArgName("selected")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry()) {
        if (!CTagGroupRegistry::find_editor(row.group_tag) || !row.default_definition) continue;
        benchmark::RegisterBenchmark((std::string("BM_OpenForm/") + tag_code_to_text(row.group_tag)).c_str(),
                                     BM_OpenForm, row.group_tag, tag_code{NONE})
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
    }
    // Over a group crowded to the directory's capacity: the projectile form's
    // filtered pickers of its own group, the monster form's many sound pickers and
    // the scenery form's filter, which reads every collection reference.
    const std::pair<const char*, const char*> crowded[] = {{"proj", "proj"}, {"mons", "soun"}, {"scen", "core"}};
    for (const auto& [form, referenced] : crowded) {
        benchmark::RegisterBenchmark((std::string("BM_OpenForm10000/") + form + "/" + referenced).c_str(),
                                     BM_OpenForm, tag_code_from_text(form), tag_code_from_text(referenced))
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
    }
    return run_editor_benchmarks(argc, argv);
}
