// The collection viewer over collections made by our own writer: the large
// view shows what the decoder gives, sequences play their frames in the order
// the engine shows them, recolouring matches the collection reference form's
// preview, saved pictures read back, and a damaged collection says why.

#include "editor/collection_viewer/collection_viewer.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdlib>
#include <cstring>

#include "cli/demo_collection.h"
#include "commands_fixture.h"
#include "core/byte_swap.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/connector_definitions.h"
#include "editor/collection_viewer/bitmaps_page.h"
#include "editor/collection_viewer/colours_page.h"
#include "editor/collection_viewer/picture_view.h"
#include "editor/collection_viewer/sequences_page.h"
#include "editor/collection_viewer/viewed_collection.h"
#include "editor/forms/collection_reference_form.h"
#include "editor/frame_commands.h"
#include "editor/toolkit/bitmap_preview.h"
#include "editor/undo_history.h"
#include "form_driving.h"
#include "media/collection_writer.h"
#include "media/damaged_media.h"
#include "tag_files/tag_groups.h"

namespace editor_test {
namespace {

using definitions::collection_reference;

// Colour i is (i, 255 - i, i / 2) in its high bytes; the low bytes must not show.
color_table graded_table() {
    color_table table{};
    table.count = color_table_capacity;
    for (int i = 0; i < color_table_capacity; ++i) {
        table.colors[i] = {uint16_t(i << 8 | 0x7F), uint16_t((255 - i) << 8), uint16_t((i / 2) << 8 | 0xFF),
                           0};
    }
    return table;
}

collection_bitmap patterned(std::int16_t width, std::int16_t height, int bits, bool encoded, bool row_table) {
    collection_bitmap picture;
    picture.name = "b";
    picture.width = width;
    picture.height = height;
    picture.bits_per_pixel = std::int16_t(bits);
    picture.run_encoded = encoded;
    picture.row_table = row_table;
    for (int i = 0; i < width * height; ++i) {
        const auto colour = std::uint16_t(i % 4 == 0 ? 0 : 1 + (i * 37) % 255);
        // Two-byte pixels carry a transparency level above their colour index.
        picture.pixels.push_back(bits == 16 && colour ? std::uint16_t(colour | 0x0300) : colour);
    }
    return picture;
}

bitmap_instance instance(std::int16_t bitmap, std::int16_t origin_x, std::int16_t origin_y) {
    bitmap_instance placed{};
    placed.origin_x = origin_x;
    placed.origin_y = origin_y;
    placed.bitmap_index = bitmap;
    return placed;
}

// The expected colour of index i of graded_table.
QRgb graded(int i) { return i == 0 ? qRgba(0, 0, 0, 0) : qRgba(i, 255 - i, i / 2, 255); }

class CollectionViewerTest : public DrivenFormTest {
protected:
    // Four bitmaps of every layout the writer makes; instances 0-3 show them in
    // place; a sequence "turning" of 8 mirrored views and two frames whose
    // instance for frame f and view v is (f + v) % 4; "still" of one frame.
    tag_code sample(const std::string& name) {
        collection_source source;
        source.color_tables.push_back(graded_table());
        source.bitmaps = {patterned(13, 7, 8, false, true), patterned(21, 9, 8, true, false),
                          patterned(11, 5, 16, true, true), patterned(6, 4, 16, false, false)};
        for (std::int16_t b = 0; b < 4; ++b) source.bitmap_instances.push_back(instance(b, 2, 3));
        sequence turning{};
        turning.flags = sequence_flag_mirrored_views;
        turning.views = 8;
        std::vector<std::int16_t> indexes;
        for (int frame = 0; frame < 2; ++frame)
            for (int view = 0; view < 8; ++view) indexes.push_back(std::int16_t((frame + view) % 4));
        source.sequences.push_back({"turning", turning, std::vector<sequence_frame>(2), indexes});
        sequence still{};
        still.views = 1;
        source.sequences.push_back({"still", still, std::vector<sequence_frame>(1), {3}});
        written = write_collection(source).value();
        return add_tag(collections, name, written);
    }

    std::unique_ptr<CollectionViewer> viewer() {
        auto shown = std::make_unique<CollectionViewer>(nullptr);
        shown->show();
        return shown;
    }

    std::vector<std::byte> written;
};

TEST_F(CollectionViewerTest, TheLargeViewShowsTheDecodersPixelsForEveryLayout) {
    const tag_code code = sample("soldier");
    const auto shown = viewer();
    shown->choose(code);
    ASSERT_NE(shown->collection(), nullptr);
    QListWidget* list = shown->bitmaps_page()->list();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("0: 13 × 7\n8-bit"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("2: 11 × 5\n16-bit encoded"));
    const std::optional<collection_view> view = open_collection(written);
    const std::optional<collection_contents> contents = read_collection_contents(written);
    ASSERT_TRUE(view && contents);
    for (int b = 0; b < 4; ++b) {
        SCOPED_TRACE(b);
        list->setCurrentRow(b);
        const std::optional<expanded_bitmap> decoded =
            expand_collection_bitmap(*view, contents->bitmap_references[std::size_t(b)]);
        ASSERT_TRUE(decoded.has_value());
        const QImage image = shown->bitmaps_page()->view()->image();
        ASSERT_EQ(image.width(), decoded->width);
        ASSERT_EQ(image.height(), decoded->height);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(image.pixel(x, y), graded(decoded->indexes[std::size_t(y * decoded->width + x)]))
                    << x << "," << y;
    }
    // Enlarged, each pixel is a square of the zoom's side.
    shown->zoom_box()->setValue(3);
    EXPECT_EQ(shown->bitmaps_page()->view()->zoom(), 3);
    PictureView large;
    large.set_image(shown->bitmaps_page()->view()->image());
    large.set_zoom(3);
    EXPECT_EQ(large.sizeHint(), QSize(18, 12));
    large.resize(large.sizeHint());
    const QImage drawn = large.grab().toImage();
    const QImage image = large.image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255) {
                for (int corner = 0; corner < 3; corner += 2)
                    ASSERT_EQ(drawn.pixel(3 * x + corner, 3 * y + corner), image.pixel(x, y))
                        << x << "," << y;
            }
}

TEST_F(CollectionViewerTest, ASequencePlaysTheFramesOfTheChosenViewInOrder) {
    const tag_code code = sample("soldier");
    const auto shown = viewer();
    shown->choose(code, 0);
    EXPECT_EQ(shown->pages()->currentIndex(), CollectionViewer::sequences_tab);
    SequencesPage* page = shown->sequences_page();
    ASSERT_EQ(page->list()->topLevelItemCount(), 2);
    EXPECT_EQ(page->list()->topLevelItem(0)->text(1), QStringLiteral("2"));
    EXPECT_EQ(page->list()->topLevelItem(0)->text(2), QStringLiteral("8"));
    EXPECT_EQ(page->rate_box()->value(), 10);
    EXPECT_EQ(page->view_box()->maximum(), 7);
    // Eight mirrored views: 0-4 their own, 5-7 the mirror images of 3, 2, 1.
    const struct {
        int view, shown_view;
        bool mirrored;
    } cases[] = {{0, 0, false}, {4, 4, false}, {5, 3, true}, {6, 2, true}, {7, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        page->view_box()->setValue(c.view);
        ASSERT_TRUE(page->layout().has_value());
        ASSERT_EQ(page->layout()->frames.size(), 2u);
        for (std::size_t frame = 0; frame < 2; ++frame) {
            EXPECT_EQ(page->frame(), frame);
            EXPECT_EQ(page->layout()->frames[frame].bitmap_index, (int(frame) + c.shown_view) % 4);
            EXPECT_EQ(page->layout()->frames[frame].mirrored, c.mirrored);
            page->step();
        }
        EXPECT_EQ(page->frame(), 0u);
    }
    // Every frame on one canvas: its origin on the same point.
    page->view_box()->setValue(0);
    const QSize first = page->view()->image().size();
    page->step();
    EXPECT_EQ(page->view()->image().size(), first);
    page->rate_box()->setValue(50);
    page->play();
    EXPECT_TRUE(page->playing());
    QTest::qWait(120);
    page->pause();
    EXPECT_FALSE(page->playing());
}

TEST_F(CollectionViewerTest, RecolouredPicturesEqualTheCollectionReferenceFormsPreview) {
    const tag_code code = sample("soldier");
    collection_reference record = definitions::collection_reference_default;
    record.collection = static_cast<int32_t>(code);
    record.permutation_count = 2;
    record.permutations[1].colors[0] = {0, 0, 65535, 0};
    record.tint_color = {65535, 32768, 0, 0};
    record.tint_fraction = 64;
    const tag_code core =
        add_record(collection_references, "blue team", record, definitions::collection_reference_codes);
    add_collection_reference("other", make_tag("none"));

    // The hue change of the sample has no members; give it colours 1-100 of every hue.
    collection_source recoloured;
    recoloured.color_tables.push_back(graded_table());
    hue_change team{};
    std::strcpy(team.name, "team");
    for (int i = 1; i <= 100; ++i)
        team.member_mask[i / 8] = std::uint8_t(team.member_mask[i / 8] | 1 << (i % 8));
    recoloured.hue_changes.push_back(team);
    recoloured.bitmaps = {patterned(13, 7, 8, false, true)};
    const tag_code painted = add_tag(collections, "painted", write_collection(recoloured).value());
    record.collection = static_cast<int32_t>(painted);
    const tag_code painted_core =
        add_record(collection_references, "painted team", record, definitions::collection_reference_codes);

    const auto form = open(collection_references, painted_core);
    form->control_as<QListWidget>(collection_reference_form::permutation_list_id)->setCurrentRow(1);
    const QImage preview = form->control_as<CBitmapPreview>(collection_reference_form::preview_id)->image();

    const auto shown = viewer();
    shown->choose(painted);
    ASSERT_EQ(shown->reference_box()->count(), 2);  // the colours as stored, and the one naming it
    shown->choose_recoloring(painted_core, 1);
    const QImage picture = shown->bitmaps_page()->view()->image();
    ASSERT_EQ(picture.size(), preview.size());
    int recoloured_pixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) == 0) continue;
            ASSERT_EQ(picture.pixel(x, y), preview.pixel(x, y) | 0xFF000000u) << x << "," << y;
            if (picture.pixel(x, y) != graded(recoloured.bitmaps[0].pixels[std::size_t(y * 13 + x)]))
                ++recoloured_pixels;
        }
    EXPECT_GT(recoloured_pixels, 0);
    // The colour table shows the recoloured colours too.
    EXPECT_EQ(shown->colours_page()->grid()->tooltip_of(1).left(9), QStringLiteral("Colour 1:"));
    EXPECT_EQ(shown->colours_page()->hue_changes()->topLevelItem(0)->text(1), QStringLiteral("1–100"));

    // Back to the stored colours.
    shown->choose_recoloring(NONE, NONE);
    EXPECT_EQ(shown->bitmaps_page()->view()->image().pixel(1, 0), graded(recoloured.bitmaps[0].pixels[1]));
    // Only references naming the collection are offered.
    shown->choose(code);
    ASSERT_EQ(shown->reference_box()->count(), 2);
    EXPECT_EQ(shown->reference_box()->itemText(1), QStringLiteral("blue team"));
    EXPECT_EQ(core, tag_code(shown->reference_box()->itemData(1).toUInt()));
}

// Qt's reader finds the shown picture in the file, pixel for pixel.
void expect_file_shows(const QString& file, const QImage& shown) {
    QImage read;
    ASSERT_TRUE(read.load(file, "PNG")) << file.toStdString();
    ASSERT_EQ(read.size(), shown.size());
    int opaque = 0;
    for (int y = 0; y < read.height(); ++y)
        for (int x = 0; x < read.width(); ++x) {
            ASSERT_EQ(read.pixel(x, y), shown.pixel(x, y)) << x << "," << y;
            opaque += qAlpha(shown.pixel(x, y)) == 255;
        }
    EXPECT_GT(opaque, 0);
}

TEST_F(CollectionViewerTest, SavedPicturesReadBackAsTheyAreShown) {
    const tag_code code = sample("soldier");
    const auto shown = viewer();
    shown->choose(code);
    shown->bitmaps_page()->list()->setCurrentRow(1);
    const QString bitmap_file = QString::fromStdString((folder.path() / "bitmap.png").string());
    services.queue_open_file(bitmap_file);
    shown->save_picture();
    expect_file_shows(bitmap_file, shown->bitmaps_page()->view()->image());

    shown->choose(code, 0);
    shown->sequences_page()->view_box()->setValue(6);
    const QString frame_file = QString::fromStdString((folder.path() / "frame.png").string());
    services.queue_open_file(frame_file);
    shown->save_picture();
    expect_file_shows(frame_file, shown->sequences_page()->view()->image());
}

TEST_F(CollectionViewerTest, ADamagedCollectionIsListedWithTheReadersReasonAndShowsNothingElse) {
    sample("good");
    std::vector<std::byte> broken = written;
    // The second bitmap's data claims far more rows than it holds.
    const std::optional<collection_contents> contents = read_collection_contents(broken);
    ASSERT_TRUE(contents.has_value());
    const std::size_t bitmap_at =
        collection_header_size + std::size_t(contents->bitmap_references[1].data_offset);
    broken[bitmap_at + 2] = std::byte{0x40};
    const tag_code damaged = add_tag(collections, "damaged", broken);
    const tag_code truncated =
        add_tag(collections, "truncated", std::vector<std::byte>(written.begin(), written.begin() + 100));
    const std::string reason = references::media_data_problem(collections, broken).value();

    const auto shown = viewer();
    QTreeWidget* list = shown->collections();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("damaged"));
    EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("truncated"));
    EXPECT_EQ(list->topLevelItem(2)->text(3).toStdString(),
              references::media_data_problem(collections,
                                             std::vector<std::byte>(written.begin(), written.begin() + 100)));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("4"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("2"));

    shown->choose(damaged);
    EXPECT_EQ(list->currentItem()->text(3).toStdString(), reason);
    EXPECT_TRUE(shown->problem_label()->isVisible());
    EXPECT_TRUE(shown->problem_label()->text().contains(QString::fromStdString(reason)));
    EXPECT_FALSE(shown->pages()->isVisible());
    EXPECT_FALSE(shown->save_button()->isEnabled());
    shown->choose(truncated);
    EXPECT_FALSE(shown->pages()->isVisible());
}

// The Show button beside a sequence picker.
QToolButton* show_button(CTagDialog& dialog, int picker_id) {
    auto* picker = dialog.control_as<QComboBox>(picker_id);
    return picker ? picker->parentWidget()->findChild<QToolButton*>() : nullptr;
}

TEST_F(CollectionViewerTest, FormsOpenTheViewerOnTheirCollectionAndSequence) {
    const tag_code rope = add_collection("rope", 3, "rope", 0);
    const tag_code chain = add_collection("chain", 2, "chain", 0);
    const tag_code rope_reference = add_collection_reference("rope ref", rope);
    add_collection_reference("chain ref", chain);
    definitions::connector_definition connector = definitions::connector_definition_default;
    connector.collection_reference = static_cast<int32_t>(rope_reference);
    connector.normal_sequence = 2;
    const auto dialog = open(make_tag("conn"), add_record(make_tag("conn"), "link", connector,
                                                          definitions::connector_definition_codes));
    QToolButton* normal = show_button(*dialog, 1292);
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(normal->text(), QStringLiteral("Show"));
    EXPECT_TRUE(normal->isEnabled());
    normal->click();
    auto* viewer = dialog->findChild<CollectionViewer*>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    ASSERT_NE(viewer->collection(), nullptr);
    EXPECT_EQ(viewer->collection()->subgroup(), rope);
    EXPECT_EQ(viewer->pages()->currentIndex(), CollectionViewer::sequences_tab);
    EXPECT_EQ(viewer->sequences_page()->list()->currentItem()->text(0), QStringLiteral("rope2"));
    // Another collection through the reference picker: the same viewer follows.
    pick(*dialog, 1029, "chain ref");
    pick(*dialog, 1293, "chain1");
    show_button(*dialog, 1293)->click();
    EXPECT_EQ(dialog->findChildren<CollectionViewer*>().size(), 1);
    EXPECT_EQ(viewer->collection()->subgroup(), chain);
    EXPECT_EQ(viewer->sequences_page()->list()->currentItem()->text(0), QStringLiteral("chain1"));
    // No collection: nothing to show.
    pick(*dialog, 1029, "No Tag");
    EXPECT_FALSE(show_button(*dialog, 1293)->isEnabled());

    // The collection reference form's Show: the collection, recoloured through the selected permutation.
    const tag_code soldier = sample("soldier");
    collection_reference record = definitions::collection_reference_default;
    record.collection = static_cast<int32_t>(soldier);
    record.permutation_count = 2;
    const tag_code core =
        add_record(collection_references, "soldier colours", record, definitions::collection_reference_codes);
    const auto form = open(collection_references, core);
    form->control_as<QListWidget>(collection_reference_form::permutation_list_id)->setCurrentRow(1);
    click(*form, collection_reference_form::show_id);
    auto* shown = form->findChild<CollectionViewer*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->collection()->subgroup(), soldier);
    EXPECT_EQ(shown->reference_box()->currentText(), QStringLiteral("soldier colours"));
    EXPECT_EQ(shown->permutation_box()->currentIndex(), 1);
}

TEST_F(CollectionViewerTest, PictureOfTheViewer) {
    const tag_code demo =
        add_tag(collections, "Demo Figure", write_collection(cli::demo_collection()).value());
    collection_reference record = definitions::collection_reference_default;
    record.collection = static_cast<int32_t>(demo);
    record.permutation_count = 1;
    record.permutations[0].colors[0] = {50000, 20000, 60000, 0};
    record.permutations[0].colors[1] = {10000, 60000, 20000, 0};
    const tag_code core =
        add_record(collection_references, "Beta", record, definitions::collection_reference_codes);
    sample("soldier");
    const auto shown = viewer();
    shown->resize(1000, 560);
    shown->choose(demo);
    shown->choose_recoloring(core, 0);
    shown->zoom_box()->setValue(6);
    shown->bitmaps_page()->list()->setCurrentRow(1);
    const QImage picture = shown->grab().toImage();
    EXPECT_EQ(picture.width(), shown->width());
    if (const char* path = std::getenv("TESSARY_VIEWER_PICTURE")) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(path))) << path;
    }
}

class CollectionViewerMenuTest : public CommandsTest {};

TEST_F(CollectionViewerMenuTest, ViewCollectionsOpensOneViewerBesideTheTreeAndListsTheCollectionsAgain) {
    create_tag(collections, "first", write_collection(cli::demo_collection()).value(),
               tag_group_get_version(collections));
    QAction* item = nullptr;
    for (QAction* top : frame().menuBar()->actions())
        if (top->text() == QStringLiteral("&View"))
            for (QAction* entry : top->menu()->actions())
                if (entry->text() == QStringLiteral("&Collections")) item = entry;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    item->trigger();
    auto* viewer = frame().findChild<CollectionViewer*>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->isWindow());
    ASSERT_EQ(viewer->collections()->topLevelItemCount(), 1);
    EXPECT_EQ(viewer->collection()->subgroup(), tag_get_subgroup(tag_named(collections, "first")));

    create_tag(collections, "second", write_collection(cli::demo_collection()).value(),
               tag_group_get_version(collections));
    item->trigger();
    EXPECT_EQ(frame().findChildren<CollectionViewer*>().size(), 1);
    EXPECT_EQ(viewer->collections()->topLevelItemCount(), 2);
    EXPECT_EQ(viewer->collection()->subgroup(), tag_get_subgroup(tag_named(collections, "first")));
}

TEST_F(CollectionViewerMenuTest, TheViewerFollowsTheEditorsChangesToCollectionReferences) {
    const tag_code first =
        tag_get_subgroup(create_tag(collections, "first", write_collection(cli::demo_collection()).value(),
                                    tag_group_get_version(collections)));
    collection_reference record = definitions::collection_reference_default;
    record.collection = static_cast<int32_t>(first);
    record.permutation_count = 2;
    record.permutations[1].colors[0] = {0, 65535, 0, 0};
    byte_swap_data("test record", &record, sizeof record, 1, definitions::collection_reference_codes);
    std::vector<std::byte> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    const tag_code team = tag_get_subgroup(
        create_tag(collection_references, "team", bytes, tag_group_get_version(collection_references)));
    CollectionViewer* viewer = show_collection_viewer(&frame());
    viewer->choose_recoloring(team, 1);
    const QImage recoloured = viewer->bitmaps_page()->view()->image();

    select(tag_item(collection_references, "team"));
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::delete_tag);
    ASSERT_EQ(tag_named(collection_references, "team"), NONE);
    EXPECT_EQ(viewer->reference_box()->count(), 1);
    EXPECT_NE(viewer->bitmaps_page()->view()->image(), recoloured);

    // Undo brings the reference back; the viewer offers it again, as stored colours until chosen.
    frame().history().undo();
    ASSERT_EQ(viewer->reference_box()->count(), 2);
    viewer->choose_recoloring(team, 1);
    EXPECT_EQ(viewer->bitmaps_page()->view()->image(), recoloured);
}

}  // namespace
}  // namespace editor_test
