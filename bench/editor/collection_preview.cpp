// Moving the tint or bitmap slider of the collection reference form over a collection
// of two 640 x 480 bitmaps with eight hue changes: each move recolours the colour
// table, expands the bitmap and redraws the preview. Target: one frame at 60 Hz.

#include "qt_benchmark_main.h"
#include "empty_working_folder.h"
#include "definitions/collection_reference_definitions.h"
#include "editor/forms/collection_reference_form.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/bitmap_preview.h"
#include "full_color_table.h"
#include "media/collection_writer.h"
#include "media/hexcone_recolor.h"
#include "core/byte_swap.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QSlider>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace cf = collection_reference_form;

constexpr int width = 640;
constexpr int height = 480;

tag_code create_tag(tag_code group, const std::string& name, const std::vector<std::byte>& data) {
    tag_handle handle = tag_file_create(group, name.c_str(), tag_group_get_version(group));
    if (handle == NONE || !tag_file_write(handle, 0, static_cast<int32_t>(data.size()), data.data())) std::abort();
    tag_file_close_local();
    return tag_get_subgroup(handle);
}

std::vector<std::byte> large_collection() {
    collection_source source;
    const color_table table = full_color_table();
    source.color_tables.push_back(table);
    for (int change = 0; change < 8; ++change) {
        hue_change hues{};
        const auto mask = hue_change_member_mask(table, uint16_t(change * 8192), uint16_t(change * 8192 + 8192), 0);
        std::memcpy(hues.member_mask, mask.data(), mask.size());
        source.hue_changes.push_back(hues);
    }
    for (int b = 0; b < 2; ++b) {
        collection_bitmap bitmap;
        bitmap.name = "frame " + std::to_string(b);
        bitmap.width = width;
        bitmap.height = height;
        bitmap.pixels.resize(size_t(width) * height);
        for (size_t i = 0; i < bitmap.pixels.size(); ++i) bitmap.pixels[i] = uint16_t((i * 31 + size_t(b)) % 256);
        source.bitmaps.push_back(bitmap);
    }
    return write_collection(source).value();
}

void BM_MovePreviewSlider(benchmark::State& state) {
    const std::filesystem::path folder = open_empty_working_folder("tessary-preview");
    const tag_code collection = create_tag(make_tag(".256"), "large", large_collection());
    definitions::collection_reference record = definitions::collection_reference_default;
    record.collection = collection;
    record.permutation_count = 1;
    for (auto& color : record.permutations[0].colors) color = {40000, 20000, 60000, 0};
    record.tint_color = {65535, 65535, 65535, 0};
    byte_swap_data("bench", &record, sizeof record, 1, definitions::collection_reference_codes);
    std::vector<std::byte> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    const tag_code subgroup = create_tag(make_tag("core"), "reference", bytes);

    CTagGroupRegistry registry;
    registry.rebuild_tag_list(make_tag(".256"), true);
    const std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(make_tag("core"), subgroup, nullptr));
    dialog->show();
    auto* slider = dialog->control_as<QSlider>(state.range(0) == 0 ? cf::tint_slider_id : cf::bitmap_slider_id);
    int step = 0;
    for (auto _ : state) slider->setValue(state.range(0) == 0 ? (++step % 2) * 128 : 1 + ++step % 2);
    state.SetLabel(state.range(0) == 0 ? "tint" : "bitmap");
    if (dialog->control_as<CBitmapPreview>(cf::preview_id)->image().width() != width)
        state.SkipWithError("the preview shows no bitmap");
    dialog->reject();
    tag_files_close();
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
}

BENCHMARK(BM_MovePreviewSlider)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) { return run_editor_benchmarks(argc, argv); }
