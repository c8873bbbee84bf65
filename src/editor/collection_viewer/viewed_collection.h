#pragma once

// One collection as the viewer shows it: read once when chosen, its bitmaps
// expanded only when first drawn, every picture drawn through the first colour
// table as the chosen recolouring leaves it.

#include <QImage>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/tag_code.h"
#include "media/collection_reader.h"
#include "media/sprite_picture.h"

class ViewedCollection {
public:
    // Reads the visible `.256` tag; problem() says why when it cannot be shown.
    explicit ViewedCollection(tag_code subgroup);
    ViewedCollection(const ViewedCollection&) = delete;
    ViewedCollection& operator=(const ViewedCollection&) = delete;

    tag_code subgroup() const { return subgroup_; }
    // Empty when the collection is shown; else the reader's reason.
    const QString& problem() const { return problem_; }
    // Only while problem() is empty.
    const collection_contents& contents() const { return *contents_; }
    std::size_t bitmap_count() const { return contents_ ? contents_->bitmap_references.size() : 0; }

    // The first colour table (all black when there is none) and the hue changes
    // of the Colours page, before any recolouring.
    const color_table& colors() const { return colors_; }
    const rgba_palette& palette() const { return palette_; }
    // Recolours every picture through a permutation and tints it, as the
    // collection reference form's preview does; no permutation: the table as stored.
    void recolor(std::optional<std::span<const rgb_color>> permutation, const picture_tint& tint);

    // The stored header of bitmap `index`; nothing when it cannot be decoded.
    std::optional<::bitmap> bitmap_header(std::size_t index) const;
    // Bitmap `index` expanded, kept for the next call; nothing when it cannot be decoded.
    const expanded_bitmap* expanded(std::size_t index);
    rgba_picture bitmap_picture(std::size_t index);
    rgba_picture frame(const view_layout& layout, std::size_t frame);

private:
    tag_code subgroup_;
    QString problem_;
    std::vector<std::byte> data_;  // collection_view points into it
    std::optional<collection_view> view_;
    std::optional<collection_contents> contents_;
    std::vector<std::optional<expanded_bitmap>> bitmaps_;
    std::vector<bool> expanded_;
    color_table colors_{};
    rgba_palette palette_{};
};

// The picture in a QImage of its own.
QImage image_of(const rgba_picture& picture);
