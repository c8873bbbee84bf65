// The collection reference form: permutations, swatches, bitmap slider, tint and the
// recoloured preview.

#include "form_driving.h"

#include "definitions/collection_reference_definitions.h"
#include "editor/forms/collection_reference_form.h"
#include "editor/toolkit/bitmap_preview.h"
#include "editor/toolkit/color_swatch_list_box.h"
#include "media/collection_writer.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace editor_test {
namespace {

using definitions::collection_reference;
namespace cf = collection_reference_form;

// Standard hexcone conversions on 0..1 components, written out here on their own.
struct Hsv {
    double h, s, v;  // h in turns
};
Hsv to_hsv(double r, double g, double b) {
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    double h = 0;
    if (d > 0) {
        if (mx == r) h = (g - b) / d;
        else if (mx == g) h = 2 + (b - r) / d;
        else h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0) h += 1;
    }
    return {h, mx > 0 ? d / mx : 0, mx};
}
uint16_t unit16(double x) { return static_cast<uint16_t>(std::clamp(x, 0.0, 1.0) * 65535.0); }

// Colour j of the table recoloured by permutation colour p over a hue change of base hue 0.
definitions::rgb_color recolored(const definitions::rgb_color& j, const definitions::rgb_color& p) {
    const Hsv a = to_hsv(j.red / 65535.0, j.green / 65535.0, j.blue / 65535.0);
    const Hsv q = to_hsv(p.red / 65535.0, p.green / 65535.0, p.blue / 65535.0);
    const auto hue = [](double turns) { return static_cast<uint32_t>(std::min(turns * 65536.0, 65535.0)); };
    const uint32_t h = (hue(q.h) + hue(a.h)) % 65536;
    const uint32_t s = uint32_t{unit16(a.s)} * unit16(q.s) / 65536;
    const uint32_t v = uint32_t{unit16(a.v)} * unit16(q.v) / 65536;
    const double sat = s / 65535.0, val = v / 65535.0, x = h / 65536.0 * 6.0;
    const int sector = static_cast<int>(x);
    const double f = x - sector, lo = val * (1 - sat), down = val * (1 - sat * f), up = val * (1 - sat * (1 - f));
    const double rgb[6][3] = {{val, up, lo}, {down, val, lo}, {lo, val, up},
                              {lo, down, val}, {up, lo, val}, {val, lo, down}};
    return {unit16(rgb[sector][0]), unit16(rgb[sector][1]), unit16(rgb[sector][2]), j.flags};
}

// The displayed colour of a table colour under a tint: (c(256 - t) + c' s) / 65536 with
// s = t((2r + 3g + b) / 5) / 65536, at most 255.
QRgb shown(const definitions::rgb_color& c, const definitions::rgb_color& tint, int t) {
    const uint64_t s = uint64_t(t) * ((2ull * c.red + 3ull * c.green + c.blue) / 5) / 65536;
    const auto one = [&](uint64_t x, uint64_t y) {
        return static_cast<int>(std::min<uint64_t>((x * uint64_t(256 - t) + y * s) / 65536, 255));
    };
    return qRgb(one(c.red, tint.red), one(c.green, tint.green), one(c.blue, tint.blue));
}

constexpr definitions::rgb_color red{65535, 0, 0, 0};
constexpr definitions::rgb_color brown{32768, 16384, 0, 0};
constexpr definitions::rgb_color white{65535, 65535, 65535, 0};
constexpr definitions::rgb_color blue{0, 0, 65535, 0};
constexpr definitions::rgb_color dark_blue{0, 0, 32768, 0};

class CollectionReferenceFormTest : public DrivenFormTest {
protected:
    // Colours 1 red and 2 brown in hue change "Team", 3 white in "Trim"; bitmaps of
    // 2 x 2 pixels: {0, 1, 2, 3}, all 1, all 3.
    tag_code collection(const std::string& name, int hue_changes = 2, int bitmaps = 3) {
        collection_source source;
        color_table table{};
        table.count = 4;
        const definitions::rgb_color colors[] = {{0, 0, 0, 0}, red, brown, white};
        std::memcpy(table.colors, colors, sizeof colors);
        source.color_tables.push_back(table);
        for (int i = 0; i < hue_changes; ++i) {
            hue_change change{};
            std::snprintf(change.name, sizeof change.name, "%s", i == 0 ? "Team" : i == 1 ? "Trim" : "Extra");
            change.member_mask[0] = i == 0 ? 0x06 : i == 1 ? 0x08 : 0;
            source.hue_changes.push_back(change);
        }
        const std::vector<uint16_t> pixels[] = {{0, 1, 2, 3}, {1, 1, 1, 1}, {3, 3, 3, 3}};
        for (int i = 0; i < bitmaps; ++i) {
            collection_bitmap bitmap;
            bitmap.name = "frame " + std::to_string(i);
            bitmap.width = 2;
            bitmap.height = 2;
            bitmap.pixels = pixels[i % 3];
            source.bitmaps.push_back(bitmap);
        }
        return add_tag(collections, name, write_collection(source).value());
    }

    tag_code reference(const collection_reference& record, const std::string& name = "team colours") {
        return add_record(collection_references, name, record, definitions::collection_reference_codes);
    }

    static collection_reference three_permutations(tag_code collection) {
        collection_reference record = definitions::collection_reference_default;
        record.collection = collection;
        record.permutation_count = 3;
        for (int p = 0; p < 3; ++p)
            for (int i = 0; i < definitions::color_permutation_colors; ++i)
                record.permutations[p].colors[i] = {uint16_t(p * 1000 + i), uint16_t(p), uint16_t(i), 0};
        record.permutations[0].colors[0] = blue;
        record.permutations[0].colors[1] = dark_blue;
        return record;
    }

    static collection_reference& held(CTagDialog& dialog) {
        return static_cast<CCollectionReferenceDlg&>(dialog).record<collection_reference>();
    }
    static QString label_of(const CTagDialog& dialog, int id) { return dialog.control_as<QLabel>(id)->text(); }

    QRgb pixel(CTagDialog& dialog, int x, int y) {
        return dialog.control_as<CBitmapPreview>(cf::preview_id)->image().pixel(x, y);
    }
};

TEST_F(CollectionReferenceFormTest, LoadingShowsPermutationsSwatchesAndTheBitmapSlider) {
    const auto subgroup = reference(three_permutations(collection("soldiers")));
    const auto dialog = open(collection_references, subgroup);
    auto* permutations = dialog->control_as<QListWidget>(cf::permutation_list_id);
    ASSERT_EQ(permutations->count(), 3);
    EXPECT_EQ(permutations->item(2)->text(), "Permutation #3");
    EXPECT_EQ(permutations->currentRow(), 0);
    auto* swatches = dialog->control_as<CColorSwatchListBox>(cf::swatch_list_id);
    ASSERT_EQ(swatches->count(), 2);
    EXPECT_EQ(swatches->item(1)->text(), "Trim");
    EXPECT_EQ(swatches->color_of(0), &held(*dialog).permutations[0].colors[0].red);
    auto* slider = dialog->control_as<QSlider>(cf::bitmap_slider_id);
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 3);
    EXPECT_EQ(label_of(*dialog, cf::bitmap_label_id), "1/3");
    EXPECT_TRUE(dialog->control_as<QPushButton>(cf::add_id)->isEnabled());
    EXPECT_TRUE(dialog->control_as<QPushButton>(cf::delete_id)->isEnabled());
    permutations->setCurrentRow(1);
    EXPECT_EQ(swatches->color_of(1), &held(*dialog).permutations[1].colors[1].red);
}

// Pixels {0, 1, 2, 3} through permutation 1 (blue for "Team", dark blue for "Trim"),
// then the tint; moving the sliders redraws.
TEST_F(CollectionReferenceFormTest, PreviewShowsTheBitmapRecolouredAndTinted) {
    collection_reference record = three_permutations(collection("soldiers"));
    record.tint_color = {65535, 32768, 0, 0};
    record.tint_fraction = 64;
    const auto subgroup = reference(record);
    const auto dialog = open(collection_references, subgroup);
    const QRgb face = dialog->control_as<CBitmapPreview>(cf::preview_id)->palette().color(QPalette::Button).rgb();
    EXPECT_EQ(label_of(*dialog, cf::tint_label_id), "25.0%");
    EXPECT_EQ(pixel(*dialog, 0, 0), face);
    EXPECT_EQ(pixel(*dialog, 1, 0), shown(recolored(red, blue), record.tint_color, 64));
    EXPECT_EQ(pixel(*dialog, 0, 1), shown(recolored(brown, blue), record.tint_color, 64));
    EXPECT_EQ(pixel(*dialog, 1, 1), shown(recolored(white, dark_blue), record.tint_color, 64));

    dialog->control_as<QSlider>(cf::tint_slider_id)->setValue(200);
    EXPECT_EQ(label_of(*dialog, cf::tint_label_id), "78.1%");
    EXPECT_EQ(pixel(*dialog, 1, 0), shown(recolored(red, blue), record.tint_color, 200));
    dialog->control_as<QSlider>(cf::bitmap_slider_id)->setValue(3);
    EXPECT_EQ(label_of(*dialog, cf::bitmap_label_id), "3/3");
    EXPECT_EQ(pixel(*dialog, 0, 0), shown(recolored(white, dark_blue), record.tint_color, 200));
    accept(*dialog);
    EXPECT_EQ(stored(tag_data(collection_references, subgroup), 6, 2), 200);
}

TEST_F(CollectionReferenceFormTest, UnusedPermutationColourLeavesItsHueChangeAlone) {
    collection_reference record = three_permutations(collection("soldiers"));
    record.permutations[0].colors[0].flags = 4;
    const auto dialog = open(collection_references, reference(record));
    EXPECT_EQ(pixel(*dialog, 1, 0), shown(red, {}, 0));
    EXPECT_EQ(pixel(*dialog, 0, 1), shown(brown, {}, 0));
    EXPECT_EQ(pixel(*dialog, 1, 1), shown(recolored(white, dark_blue), {}, 0));
}

TEST_F(CollectionReferenceFormTest, FullWhiteTintKeepsWhiteWhite) {
    const definitions::rgb_color grey{40000, 20000, 10000, 0};
    const struct {
        definitions::rgb_color color, tint;
        int amount;
    } cases[] = {{white, white, 256}, {white, white, 200}, {grey, white, 256}, {grey, {1000, 60000, 30000, 0}, 100},
                 {red, white, 128}};
    for (const auto& c : cases) {
        const toolkit::Rgb16 color{c.color.red, c.color.green, c.color.blue, 0};
        const toolkit::Rgb16 tint{c.tint.red, c.tint.green, c.tint.blue, 0};
        EXPECT_EQ(toolkit::tinted(color, tint, c.amount), shown(c.color, c.tint, c.amount)) << c.amount;
    }
    EXPECT_EQ(toolkit::tinted({65535, 65535, 65535, 0}, {65535, 65535, 65535, 0}, 256), qRgb(255, 255, 255));
}

TEST_F(CollectionReferenceFormTest, DeletingTheFirstOfThreeKeepsTheOthersWhole) {
    const collection_reference record = three_permutations(collection("soldiers"));
    const auto subgroup = reference(record);
    const auto dialog = open(collection_references, subgroup);
    click(*dialog, cf::delete_id);
    EXPECT_EQ(dialog->control_as<QListWidget>(cf::permutation_list_id)->count(), 2);
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(collection_references, subgroup);
    EXPECT_EQ(stored(saved, 4, 2), 2);
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 8; ++i) {
            const definitions::rgb_color& was = record.permutations[p + 1].colors[i];
            const size_t at = 8 + 64 * size_t(p) + 8 * size_t(i);
            EXPECT_EQ(stored(saved, at, 2, false), was.red) << p << i;
            EXPECT_EQ(stored(saved, at + 2, 2, false), was.green) << p << i;
            EXPECT_EQ(stored(saved, at + 4, 2, false), was.blue) << p << i;
        }
}

TEST_F(CollectionReferenceFormTest, AddStartsBlackThenCopiesTheLastAndStopsAtFive) {
    collection_reference record = definitions::collection_reference_default;
    record.collection = collection("soldiers");
    record.permutations[0].colors[3] = white;  // left over from a deleted permutation
    const auto subgroup = reference(record);
    const auto dialog = open(collection_references, subgroup);
    auto* add = dialog->control_as<QPushButton>(cf::add_id);
    EXPECT_FALSE(dialog->control_as<QPushButton>(cf::delete_id)->isEnabled());
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(add->isEnabled()) << i;
        add->click();
        if (i == 0) held(*dialog).permutations[0].colors[5] = dark_blue;
    }
    EXPECT_FALSE(add->isEnabled());
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(collection_references, subgroup);
    EXPECT_EQ(stored(saved, 4, 2), 5);
    for (int p = 0; p < 5; ++p)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(stored(saved, 8 + 64 * size_t(p) + 8 * size_t(i) + 4, 2, false), i == 5 ? 32768 : 0) << p << i;
}

TEST_F(CollectionReferenceFormTest, StoredCountBeyondFiveShowsFive) {
    collection_reference record = three_permutations(collection("soldiers"));
    record.permutation_count = 9;
    const auto subgroup = reference(record);
    const std::vector<std::byte> before = tag_data(collection_references, subgroup);
    const auto dialog = open(collection_references, subgroup);
    EXPECT_EQ(dialog->control_as<QListWidget>(cf::permutation_list_id)->count(), 5);
    EXPECT_FALSE(dialog->control_as<QPushButton>(cf::add_id)->isEnabled());
    accept(*dialog);
    EXPECT_EQ(tag_data(collection_references, subgroup), before);
}

TEST_F(CollectionReferenceFormTest, HueChangesBeyondEightHaveNoSwatchColour) {
    const auto dialog = open(collection_references, reference(three_permutations(collection("crowd", 10))));
    auto* swatches = dialog->control_as<CColorSwatchListBox>(cf::swatch_list_id);
    ASSERT_EQ(swatches->count(), 10);
    EXPECT_NE(swatches->color_of(7), nullptr);
    EXPECT_EQ(swatches->color_of(8), nullptr);
    EXPECT_EQ(swatches->color_of(9), nullptr);
    EXPECT_FALSE(swatches->edit_color(9));
}

TEST_F(CollectionReferenceFormTest, NoCollectionOrAnUnreadableOneDisablesBothLists) {
    const tag_code soldiers = collection("soldiers");
    add_tag(collections, "broken", std::vector<std::byte>(400, std::byte{0x7F}));
    const auto subgroup = reference(three_permutations(soldiers));
    const auto dialog = open(collection_references, subgroup);
    for (const char* choice : {"No Tag", "broken"}) {
        pick(*dialog, cf::collection_id, choice);
        EXPECT_FALSE(dialog->control_as<QListWidget>(cf::permutation_list_id)->isEnabled()) << choice;
        EXPECT_FALSE(dialog->control_as<QListWidget>(cf::swatch_list_id)->isEnabled()) << choice;
        EXPECT_EQ(dialog->control_as<QListWidget>(cf::permutation_list_id)->count(), 3) << choice;
        EXPECT_FALSE(dialog->control_as<QSlider>(cf::bitmap_slider_id)->isEnabled()) << choice;
        EXPECT_EQ(label_of(*dialog, cf::bitmap_label_id), "None") << choice;
        EXPECT_FALSE(dialog->control_as<QPushButton>(cf::add_id)->isEnabled()) << choice;
    }
    pick(*dialog, cf::collection_id, "No Tag");
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(collection_references, subgroup);
    EXPECT_EQ(stored(saved, 0, 4), -1);
    EXPECT_EQ(stored(saved, 4, 2), 3);
    collection_reference kept = three_permutations(soldiers);
    EXPECT_EQ(stored(saved, 8, 2, false), kept.permutations[0].colors[0].red);
    EXPECT_EQ(stored(saved, 8 + 64 + 8, 2, false), kept.permutations[1].colors[1].red);
}

}  // namespace
}  // namespace editor_test
