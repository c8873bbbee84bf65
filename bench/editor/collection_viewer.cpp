// The collection viewer over a collection of 500 bitmaps of 96 x 96 pixels, half
// of them run-encoded, with a sequence of 50 frames in 8 mirrored views.
// Opening the viewer on it, up to its first screen of thumbnails drawn: target
// 100 ms (only the thumbnails in view are drawn). Each step of the playing
// sequence, the frame composed and painted: target 4 ms.

#include "editor/collection_viewer/collection_viewer.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QSpinBox>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/collection_viewer/bitmaps_page.h"
#include "editor/collection_viewer/picture_view.h"
#include "editor/collection_viewer/sequences_page.h"
#include "empty_working_folder.h"
#include "full_color_table.h"
#include "media/collection_writer.h"
#include "qt_benchmark_main.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace {

constexpr int bitmap_count = 500;
constexpr std::int16_t side = 96;
constexpr std::int16_t views = 8;
constexpr int frames = 50;

tag_code create_tag(tag_code group, const std::string& name, const std::vector<std::byte>& data) {
    tag_handle handle = tag_file_create(group, name.c_str(), tag_group_get_version(group));
    if (handle == NONE || !tag_file_write(handle, 0, static_cast<int32_t>(data.size()), data.data()))
        std::abort();
    tag_file_close_local();
    return tag_get_subgroup(handle);
}

// A disc on a transparent ground, shifted a little from bitmap to bitmap.
collection_bitmap figure(int index) {
    collection_bitmap picture;
    picture.name = "figure " + std::to_string(index);
    picture.width = side;
    picture.height = side;
    picture.run_encoded = index % 2 == 1;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int dx = x - side / 2 - index % 7;
            const int dy = y - side / 2;
            picture.pixels.push_back(dx * dx + dy * dy < 40 * 40 ? std::uint16_t(1 + (x + y + index) % 255)
                                                                 : 0);
        }
    }
    return picture;
}

std::vector<std::byte> many_bitmaps() {
    collection_source source;
    const color_table table = full_color_table();
    source.color_tables.push_back(table);
    for (int index = 0; index < bitmap_count; ++index) {
        source.bitmaps.push_back(figure(index));
        bitmap_instance instance{};
        instance.origin_x = side / 2;
        instance.origin_y = side - 1;
        instance.bitmap_index = std::int16_t(index);
        source.bitmap_instances.push_back(instance);
    }
    sequence head{};
    head.flags = sequence_flag_mirrored_views;
    head.views = views;
    std::vector<std::int16_t> indexes;
    for (int frame = 0; frame < frames; ++frame)
        for (int view = 0; view < views; ++view)
            indexes.push_back(std::int16_t((frame * views + view) % bitmap_count));
    source.sequences.push_back({"walking", head, std::vector<sequence_frame>(frames), indexes});
    return write_collection(source).value();
}

class ViewerFolder {
public:
    ViewerFolder() : folder_(open_empty_working_folder("tessary-viewer")) {
        collection = create_tag(make_tag(".256"), "crowd", many_bitmaps());
    }
    ~ViewerFolder() {
        tag_files_close();
        std::filesystem::current_path(folder_.parent_path());
        std::filesystem::remove_all(folder_);
    }
    tag_code collection = NONE;

private:
    std::filesystem::path folder_;
};

void BM_OpenViewerOnFirstScreen(benchmark::State& state) {
    const ViewerFolder folder;
    int drawn = 0;
    for (auto _ : state) {
        CollectionViewer viewer(nullptr);
        viewer.show();
        viewer.choose(folder.collection);
        // Painting the window draws the thumbnails in view, and only those.
        benchmark::DoNotOptimize(viewer.grab());
        drawn = viewer.bitmaps_page()->thumbnails_drawn();
    }
    state.counters["thumbnails drawn"] = drawn;
    if (drawn == 0 || drawn >= bitmap_count)
        state.SkipWithError("the first screen should draw some thumbnails, not all");
}

void BM_PlayingSequenceFrame(benchmark::State& state) {
    const ViewerFolder folder;
    CollectionViewer viewer(nullptr);
    viewer.show();
    viewer.choose(folder.collection, 0);
    SequencesPage* page = viewer.sequences_page();
    page->view_box()->setValue(int(state.range(0)));
    viewer.zoom_box()->setValue(2);
    for (auto _ : state) {
        page->step();
        benchmark::DoNotOptimize(page->view()->grab());
    }
    state.SetLabel(state.range(0) < 5 ? "own view" : "mirrored view");
    if (page->view()->image().isNull()) state.SkipWithError("no frame shown");
}

BENCHMARK(BM_OpenViewerOnFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayingSequenceFrame)->Arg(2)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) { return run_editor_benchmarks(argc, argv); }
