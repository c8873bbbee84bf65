#include "editor/collection_viewer/bitmaps_page.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <algorithm>

#include "editor/character_translation.h"
#include "editor/collection_viewer/picture_view.h"
#include "editor/collection_viewer/viewed_collection.h"

namespace {

QString format_text(const std::optional<bitmap>& header) {
    if (!header) return QStringLiteral("cannot be decoded");
    QString text = QStringLiteral("%1-bit").arg(header->bits_per_pixel);
    if (header->flags & bitmap_flag_run_encoded) text += QStringLiteral(" encoded");
    return text;
}

// Asks the page for a thumbnail only when the list paints its item, so that
// only the bitmaps scrolled into view are ever expanded.
class ThumbnailDelegate : public QStyledItemDelegate {
public:
    explicit ThumbnailDelegate(BitmapsPage& page) : QStyledItemDelegate(&page), page_(page) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem text_option(option);
        text_option.decorationSize = QSize();
        QStyledItemDelegate::paint(painter, text_option, index);
        const QPixmap& picture = page_.thumbnail(index.row());
        const QRect room(option.rect.left(), option.rect.top() + 2, option.rect.width(),
                         BitmapsPage::thumbnail_side);
        painter->drawPixmap(room.left() + (room.width() - picture.width()) / 2,
                            room.top() + (room.height() - picture.height()) / 2, picture);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize text = QStyledItemDelegate::sizeHint(option, index);
        return {std::max(text.width(), BitmapsPage::thumbnail_side + 32),
                text.height() + BitmapsPage::thumbnail_side + 4};
    }

private:
    BitmapsPage& page_;
};

}  // namespace

BitmapsPage::BitmapsPage(QWidget* parent) : QWidget(parent), list_(new QListWidget), view_(new PictureView) {
    list_->setViewMode(QListView::IconMode);
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setUniformItemSizes(true);
    list_->setWordWrap(false);
    list_->setSpacing(4);
    list_->setItemDelegate(new ThumbnailDelegate(*this));
    auto* scroller = new QScrollArea;
    scroller->setWidget(view_);
    scroller->setWidgetResizable(true);
    scroller->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 3);
    layout->addWidget(scroller, 2);
    connect(list_, &QListWidget::currentRowChanged, this, &BitmapsPage::show_chosen);
}

void BitmapsPage::show_collection(ViewedCollection* collection) {
    collection_ = collection;
    thumbnails_.clear();
    list_->clear();
    if (collection_) {
        for (std::size_t index = 0; index < collection_->bitmap_count(); ++index) {
            const bitmap_reference& reference = collection_->contents().bitmap_references[index];
            const std::optional<bitmap> header = collection_->bitmap_header(index);
            auto* item = new QListWidgetItem(QStringLiteral("%1: %2 × %3\n%4")
                                                 .arg(index)
                                                 .arg(reference.width)
                                                 .arg(reference.height)
                                                 .arg(format_text(header)),
                                             list_);
            item->setTextAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            item->setToolTip(text_from_windows_1252(collection_name(reference.name)));
        }
    }
    if (list_->count() > 0) {
        list_->setCurrentRow(0);
    } else {
        show_chosen();
    }
}

void BitmapsPage::redraw() {
    thumbnails_.clear();
    list_->viewport()->update();
    show_chosen();
}

void BitmapsPage::set_zoom(int zoom) { view_->set_zoom(zoom); }

const QPixmap& BitmapsPage::thumbnail(int index) {
    const auto found = thumbnails_.constFind(index);
    if (found != thumbnails_.cend()) return *found;
    QPixmap drawn;
    if (collection_) {
        const QImage image = image_of(collection_->bitmap_picture(std::size_t(index)));
        if (!image.isNull()) {
            // Small sprites grow by a whole factor, so that their pixels stay square.
            const int factor =
                std::max(1, std::min(thumbnail_side / image.width(), thumbnail_side / image.height()));
            const QSize size = factor > 1
                                   ? image.size() * factor
                                   : image.size().scaled(thumbnail_side, thumbnail_side, Qt::KeepAspectRatio);
            drawn = QPixmap(size.expandedTo(QSize(1, 1)));
            QPainter painter(&drawn);
            paint_checkerboard(painter, drawn.rect());
            painter.drawImage(drawn.rect(), image);
        }
    }
    return *thumbnails_.insert(index, drawn);
}

void BitmapsPage::show_chosen() {
    const int row = list_->currentRow();
    shown_ = collection_ && row >= 0 ? collection_->bitmap_picture(std::size_t(row)) : rgba_picture{};
    view_->set_image(image_of(shown_));
}
