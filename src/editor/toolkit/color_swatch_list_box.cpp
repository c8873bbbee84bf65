#include "editor/toolkit/color_swatch_list_box.h"

#include "editor/toolkit/color_picker.h"

#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int swatch_inset = 2;

class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), option.fontMetrics.size(Qt::TextSingleLine, QStringLiteral("My")).height()};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool highlighted = (option.state & QStyle::State_Selected) && (option.state & QStyle::State_HasFocus);
        const QPalette& palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, highlighted ? palette.highlight() : palette.base());
        const auto* words = reinterpret_cast<const uint16_t*>(index.data(Qt::UserRole).value<quintptr>());
        const int side = option.rect.height() - 2 * swatch_inset;
        const QRect swatch(option.rect.left() + swatch_inset, option.rect.top() + swatch_inset, side, side);
        if (words) painter->fillRect(swatch, QColor(words[0] >> 8, words[1] >> 8, words[2] >> 8));
        painter->setPen(highlighted ? Qt::white : Qt::black);
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
        painter->setPen(highlighted ? palette.highlightedText().color() : palette.text().color());
        const QRect text_area = option.rect.adjusted(swatch.right() + 1 + swatch_inset, 0, 0, 0);
        painter->drawText(text_area, Qt::AlignVCenter | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.rect = option.rect;
            focus.palette = palette;
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
        }
        painter->restore();
    }
};

}  // namespace

QEvent::Type CDialogMessageEvent::event_type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

CColorSwatchListBox::CColorSwatchListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new SwatchDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { edit_color(row(item)); });
}

void CColorSwatchListBox::add_color(const QString& text, uint16_t* rgb_words) {
    auto* item = new QListWidgetItem(text, this);
    item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(rgb_words)));
}

uint16_t* CColorSwatchListBox::color_of(int row) const {
    const QListWidgetItem* line = item(row);
    return line ? reinterpret_cast<uint16_t*>(line->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

bool CColorSwatchListBox::edit_color(int row) {
    uint16_t* words = color_of(row);
    if (!words || !toolkit::pick_rgb_color(window(), words)) return false;
    viewport()->update();
    QCoreApplication::postEvent(window(), new CDialogMessageEvent(color_swatch_changed_message));
    return true;
}
