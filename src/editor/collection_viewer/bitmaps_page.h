#pragma once

// The Bitmaps page: a thumbnail of every bitmap with its number, size and pixel
// format, each drawn only once it scrolls into view, and the chosen one large.

#include <QHash>
#include <QPixmap>
#include <QWidget>

#include "media/sprite_picture.h"

class PictureView;
class QListWidget;
class ViewedCollection;

class BitmapsPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int thumbnail_side = 64;

    explicit BitmapsPage(QWidget* parent = nullptr);

    // Shows the collection's bitmaps (none for nothing); the first is chosen.
    void show_collection(ViewedCollection* collection);
    // After the colours changed.
    void redraw();
    void set_zoom(int zoom);

    QListWidget* list() const { return list_; }
    PictureView* view() const { return view_; }
    // The picture of the chosen bitmap as drawn large.
    const rgba_picture& shown() const { return shown_; }
    // The thumbnail of bitmap `index`, drawn on first use.
    const QPixmap& thumbnail(int index);
    // Thumbnails drawn so far.
    int thumbnails_drawn() const { return int(thumbnails_.size()); }

private:
    void show_chosen();

    ViewedCollection* collection_ = nullptr;
    QListWidget* list_ = nullptr;
    PictureView* view_ = nullptr;
    rgba_picture shown_;
    QHash<int, QPixmap> thumbnails_;
};
