#include "editor/collection_viewer/viewed_collection.h"

#include <cstring>

#include "media/damaged_media.h"
#include "media/hexcone_recolor.h"
#include "media/shapes.h"

ViewedCollection::ViewedCollection(tag_code subgroup) : subgroup_(subgroup) {
    std::optional<std::vector<std::byte>> data =
        read_collection_tag(tag_find(collection_group_tag, subgroup));
    if (!data) {
        problem_ = QStringLiteral("the tag cannot be read");
        return;
    }
    data_ = std::move(*data);
    if (const std::optional<std::string> problem =
            references::media_data_problem(collection_group_tag, data_)) {
        problem_ = QString::fromStdString(*problem);
        return;
    }
    view_ = open_collection(data_);
    contents_ = read_collection_contents(data_);
    if (!contents_->color_tables.empty()) colors_ = contents_->color_tables.front();
    bitmaps_.resize(contents_->bitmap_references.size());
    expanded_.resize(contents_->bitmap_references.size());
    palette_ = palette_of(colors_);
}

void ViewedCollection::recolor(std::optional<std::span<const rgb_color>> permutation,
                               const picture_tint& tint) {
    color_table colors = colors_;
    if (permutation && contents_) recolor_color_table(colors, contents_->hue_changes, *permutation);
    palette_ = palette_of(colors, tint);
}

std::optional<bitmap> ViewedCollection::bitmap_header(std::size_t index) const {
    if (!contents_ || index >= contents_->bitmap_references.size()) return std::nullopt;
    const auto data = bitmap_data_of(*view_, contents_->bitmap_references[index]);
    return data ? read_bitmap_header(*data) : std::nullopt;
}

const expanded_bitmap* ViewedCollection::expanded(std::size_t index) {
    if (!contents_ || index >= bitmaps_.size()) return nullptr;
    if (!expanded_[index]) {
        bitmaps_[index] = expand_collection_bitmap(*view_, contents_->bitmap_references[index]);
        expanded_[index] = true;
    }
    return bitmaps_[index] ? &*bitmaps_[index] : nullptr;
}

rgba_picture ViewedCollection::bitmap_picture(std::size_t index) {
    const expanded_bitmap* image = expanded(index);
    return image ? picture_of_bitmap(*image, palette_) : rgba_picture{};
}

rgba_picture ViewedCollection::frame(const view_layout& layout, std::size_t frame) {
    const expanded_bitmap* image = nullptr;
    if (frame < layout.frames.size() && layout.frames[frame].bitmap_index != NONE) {
        image = expanded(std::size_t(layout.frames[frame].bitmap_index));
    }
    return frame_picture(layout, frame, image, palette_);
}

QImage image_of(const rgba_picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return {};
    QImage image(picture.width, picture.height, QImage::Format_RGBA8888);
    const std::size_t row_bytes = std::size_t(picture.width) * sizeof(rgba_color);
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(image.scanLine(y), picture.pixels.data() + std::size_t(y) * std::size_t(picture.width),
                    row_bytes);
    }
    return image;
}
