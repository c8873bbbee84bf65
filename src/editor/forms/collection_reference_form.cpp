#include "editor/forms/collection_reference_form.h"

#include "definitions/collection_reference_definitions.h"
#include "editor/collection_viewer/collection_viewer.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/bitmap_preview.h"
#include "editor/toolkit/color_swatch_list_box.h"
#include "media/collection_picture.h"
#include "media/shapes.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <array>
#include <cstring>

namespace collection_reference_form {

namespace {

using definitions::collection_reference;
using definitions::collection_reference_maximum_permutations;
using definitions::color_permutation;
using toolkit::Field;

constexpr int preview_side = 192;
constexpr int list_height = 120;

CCollectionReferenceDlg& owner(toolkit::Form& form) { return static_cast<CCollectionReferenceDlg&>(form.dialog()); }

QSlider* horizontal_slider() {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setMinimumWidth(preview_side);
    return slider;
}

}  // namespace

QString tint_text(int fraction) { return QString::asprintf("%.1f%%", fraction / double(full_tint) * 100); }

namespace {

// Shown and filled by the dialog, not exchanged.
void shown_only(CDataExchange&) {}

const EditorRegistration collection_reference_editor(make_tag("core"), &create_collection_reference_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    CCollectionReferenceDlg& dialog = owner(form);
    form.reference(collection_id, "Collection:", make_tag(".256"), &collection_reference::collection)
        .on_change([&dialog] { dialog.load_collection(); });
    auto* permutations = new QListWidget;
    permutations->setMaximumHeight(list_height);
    form.custom(permutation_list_id, "Permutations:", permutations, shown_only);
    QObject::connect(permutations, &QListWidget::currentRowChanged, &dialog, [&dialog] {
        dialog.refresh_bitmap_controls();
        dialog.refill_swatches();
    });
    form.line(QString(), [&form, &dialog] {
        form.button(add_id, "Add", [&dialog] { dialog.add_permutation(); });
        form.button(delete_id, "Delete", [&dialog] { dialog.delete_permutation(); });
    });
    auto* swatches = new CColorSwatchListBox;
    swatches->setMaximumHeight(list_height);
    form.custom(swatch_list_id, "Colors:", swatches, shown_only);
    form.group("Tint", [&form, &dialog] {
        form.color_button(tint_color_id, "Tint Color..", Field::whole(&collection_reference::tint_color)).on_change([&dialog] {
            dialog.draw_preview();
        });
        auto* tint = horizontal_slider();
        tint->setRange(0, full_tint);
        QObject::connect(tint, &QSlider::valueChanged, &dialog, [&dialog] { dialog.scrolled(); });
        form.custom(tint_slider_id, "Tint Fraction:", tint, shown_only);
        form.custom(tint_label_id, QString(), new QLabel, shown_only);
    });
    form.column();
    auto* preview = new CBitmapPreview;
    preview->setMinimumSize(preview_side, preview_side);
    form.custom(preview_id, QString(), preview, shown_only);
    auto* bitmap = horizontal_slider();
    QObject::connect(bitmap, &QSlider::valueChanged, &dialog, [&dialog] { dialog.scrolled(); });
    form.custom(bitmap_slider_id, "Bitmap:", bitmap, shown_only);
    form.custom(bitmap_label_id, QString(), new QLabel, shown_only);
    form.button(show_id, "Show", [&dialog] { dialog.show_in_viewer(); });
    form.after_load([&dialog] {
        // The tint first: loading the collection draws the preview with it.
        auto* tint_slider = dialog.control_as<QSlider>(tint_slider_id);
        {
            const QSignalBlocker quiet(tint_slider);
            tint_slider->setValue(std::clamp<int>(dialog.record<collection_reference>().tint_fraction, 0, full_tint));
        }
        dialog.control_as<QLabel>(tint_label_id)->setText(tint_text(tint_slider->value()));
        dialog.load_collection();
    });
}

}  // namespace collection_reference_form

namespace cf = collection_reference_form;

CCollectionReferenceDlg::CCollectionReferenceDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(cf::template_id, group, subgroup, parent, sizeof(definitions::collection_reference),
                     definitions::collection_reference_codes, cf::declare) {}

int CCollectionReferenceDlg::permutation_count() {
    return std::clamp<int>(record<definitions::collection_reference>().permutation_count, 0,
                           definitions::collection_reference_maximum_permutations);
}

int CCollectionReferenceDlg::selected_permutation() const {
    const auto* list = control_as<QListWidget>(cf::permutation_list_id);
    return list->isEnabled() ? list->currentRow() : -1;
}

void CCollectionReferenceDlg::load_collection() {
    const int32_t chosen = toolkit::selected_reference(control_as<QComboBox>(cf::collection_id));
    collection_tag_.clear();
    collection_.reset();
    if (chosen != NONE) {
        // A collection that cannot be read, or fails its bounds, counts as not present.
        if (auto data = read_collection_tag(tag_find(collection_group_tag, static_cast<tag_code>(chosen)))) {
            collection_ = read_collection_for_display(*data, NONE);
            if (collection_) collection_tag_ = std::move(*data);
        }
    }
    control_as<QListWidget>(cf::permutation_list_id)->setEnabled(collection_.has_value());
    control_as<QListWidget>(cf::swatch_list_id)->setEnabled(collection_.has_value());
    refresh_bitmap_controls();
    refill_permutations();
}

void CCollectionReferenceDlg::refresh_bitmap_controls() {
    const int bitmaps = collection_ ? collection_->header.bitmap_references.count : 0;
    auto* slider = control_as<QSlider>(cf::bitmap_slider_id);
    auto* label = control_as<QLabel>(cf::bitmap_label_id);
    slider->setEnabled(bitmaps > 0);
    label->setEnabled(bitmaps > 0);
    if (bitmaps > 0) {
        const QSignalBlocker quiet(slider);
        const int position = std::max(std::min(slider->value(), bitmaps), 1);
        if (slider->maximum() != bitmaps) slider->setRange(1, bitmaps);
        slider->setValue(position);
        label->setText(QString::asprintf("%d/%d", position, bitmaps));
        draw_preview();
    } else {
        label->setText(QStringLiteral("None"));
    }
    const auto* permutations = control_as<QListWidget>(cf::permutation_list_id);
    control_as<QPushButton>(cf::add_id)->setEnabled(permutations->isEnabled() &&
                                                    permutation_count() <
                                                        definitions::collection_reference_maximum_permutations);
    control_as<QPushButton>(cf::delete_id)->setEnabled(permutations->isEnabled() && permutations->currentRow() >= 0);
    control_as<QPushButton>(cf::show_id)->setEnabled(collection_.has_value());
}

void CCollectionReferenceDlg::refill_permutations() {
    auto* list = control_as<QListWidget>(cf::permutation_list_id);
    {
        const QSignalBlocker quiet(list);
        list->clear();
        for (int i = 0; i < permutation_count(); ++i) list->addItem(QString::asprintf("Permutation #%d", i + 1));
        if (list->count() > 0) list->setCurrentRow(0);
    }
    refresh_bitmap_controls();
    refill_swatches();
}

void CCollectionReferenceDlg::refill_swatches() {
    auto* swatches = control_as<CColorSwatchListBox>(cf::swatch_list_id);
    swatches->clear();
    const int permutation = selected_permutation();
    if (!collection_ || permutation < 0) return;
    auto& colors = record<definitions::collection_reference>().permutations[permutation].colors;
    int index = 0;
    for (const hue_change& change : collection_->hue_changes) {
        // A permutation holds a colour for the first eight hue changes only.
        uint16_t* words = index < definitions::color_permutation_colors ? &colors[index].red : nullptr;
        swatches->add_color(QString::fromLatin1(collection_name(change.name).c_str()), words);
        ++index;
    }
}

void CCollectionReferenceDlg::draw_preview() {
    const int permutation = selected_permutation();
    auto* slider = control_as<QSlider>(cf::bitmap_slider_id);
    if (!collection_ || permutation < 0 || !slider->isEnabled()) return;
    const auto& reference = record<definitions::collection_reference>();
    std::array<rgb_color, definitions::color_permutation_colors> colors{};
    std::memcpy(colors.data(), reference.permutations[permutation].colors, sizeof colors);
    const auto picture = read_collection_picture(collection_tag_, slider->value() - 1, colors);
    auto* preview = control_as<CBitmapPreview>(cf::preview_id);
    if (!picture) {
        preview->clear_image();
        return;
    }
    std::array<toolkit::Rgb16, color_table_capacity> table{};
    static_assert(sizeof table == sizeof picture->colors.colors);
    std::memcpy(table.data(), picture->colors.colors, sizeof table);
    toolkit::Rgb16 tint{};
    std::memcpy(&tint, &reference.tint_color, sizeof tint);
    preview->set_image(picture->image.width, picture->image.height, picture->image.indexes, table, tint,
                       control_as<QSlider>(cf::tint_slider_id)->value());
}

void CCollectionReferenceDlg::show_in_viewer() {
    const auto chosen = static_cast<tag_code>(toolkit::selected_reference(control_as<QComboBox>(cf::collection_id)));
    if (chosen == tag_code(NONE)) return;
    CollectionViewer* viewer = show_collection_viewer(this, chosen);
    // The viewer reads the reference as stored, so unsaved colour changes do not show there.
    viewer->choose_recoloring(subgroup(), selected_permutation());
}

void CCollectionReferenceDlg::add_permutation() {
    auto& reference = record<definitions::collection_reference>();
    const int count = permutation_count();
    if (count >= definitions::collection_reference_maximum_permutations) return;
    // The first permutation starts black; a later one copies the one before.
    reference.permutations[count] = count > 0 ? reference.permutations[count - 1] : definitions::color_permutation{};
    reference.permutation_count = static_cast<int16_t>(count + 1);
    refill_permutations();
}

void CCollectionReferenceDlg::delete_permutation() {
    const int selected = control_as<QListWidget>(cf::permutation_list_id)->currentRow();
    const int count = permutation_count();
    if (selected < 0 || selected >= count) return;
    auto& reference = record<definitions::collection_reference>();
    std::copy(reference.permutations + selected + 1, reference.permutations + count,
              reference.permutations + selected);
    reference.permutation_count = static_cast<int16_t>(count - 1);
    refill_permutations();
}

void CCollectionReferenceDlg::scrolled() {
    const int fraction = control_as<QSlider>(cf::tint_slider_id)->value();
    record<definitions::collection_reference>().tint_fraction = static_cast<int16_t>(fraction);
    control_as<QLabel>(cf::tint_label_id)->setText(cf::tint_text(fraction));
    refresh_bitmap_controls();
}

void CCollectionReferenceDlg::customEvent(QEvent* event) {
    if (event->type() == CDialogMessageEvent::event_type() &&
        static_cast<CDialogMessageEvent*>(event)->message() == color_swatch_changed_message) {
        draw_preview();
        return;
    }
    CFormTagDialog::customEvent(event);
}

CTagDialog* create_collection_reference_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CCollectionReferenceDlg(group, subgroup, parent);
}
