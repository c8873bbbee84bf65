#pragma once

// The Sequences page: every sequence with its frame and view counts, and the
// chosen one played for the chosen view at a rate the user sets, or stepped
// through frame by frame.

#include <QWidget>
#include <cstddef>
#include <optional>

#include "media/sprite_picture.h"

class PictureView;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class QTreeWidget;
class ViewedCollection;

class SequencesPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int default_rate = 10;  // frames a second

    explicit SequencesPage(QWidget* parent = nullptr);

    void show_collection(ViewedCollection* collection);
    // Sequence `index` (from 0), its first frame shown; none for NONE.
    void choose_sequence(int index);
    // After the colours changed.
    void redraw();
    void set_zoom(int zoom);

    void play();
    void pause();
    bool playing() const;
    // The next frame, after the last the first.
    void step();

    QTreeWidget* list() const { return list_; }
    QSpinBox* view_box() const { return view_; }
    QSpinBox* rate_box() const { return rate_; }
    PictureView* view() const { return picture_; }
    std::size_t frame() const { return frame_; }
    // The frames of the chosen sequence and view, nothing when none is chosen.
    const std::optional<view_layout>& layout() const { return layout_; }
    const rgba_picture& shown() const { return shown_; }

private:
    void lay_out();
    void draw_frame();

    ViewedCollection* collection_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QSpinBox* view_ = nullptr;
    QSpinBox* rate_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* step_ = nullptr;
    QLabel* frame_label_ = nullptr;
    PictureView* picture_ = nullptr;
    QTimer* timer_ = nullptr;
    std::optional<view_layout> layout_;
    std::size_t frame_ = 0;
    rgba_picture shown_;
};
