#include "editor/toolkit/color_ref_button.h"

#include "editor/data_exchange.h"
#include "editor/toolkit/color_picker.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace {

constexpr int focus_inset = 3;
constexpr int colour_inset = 4;

QColor colour_of(uint32_t color_ref) {
    return QColor(static_cast<int>(color_ref & 0xFF), static_cast<int>(color_ref >> 8 & 0xFF),
                  static_cast<int>(color_ref >> 16 & 0xFF));
}

}  // namespace

CColorRefButton::CColorRefButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &CColorRefButton::pick);
}

void CColorRefButton::load(const uint16_t* rgb_words) {
    color_ref_ = static_cast<uint32_t>(rgb_words[0] >> 8) | static_cast<uint32_t>(rgb_words[1] >> 8) << 8 |
                 static_cast<uint32_t>(rgb_words[2] >> 8) << 16;
    picked_ = false;
    update();
}

void CColorRefButton::save(uint16_t* rgb_words) const {
    for (int component = 0; component < 3; ++component)
        rgb_words[component] = static_cast<uint16_t>((color_ref_ >> (8 * component) & 0xFF) * 256);
}

QSize CColorRefButton::sizeHint() const { return {48, 24}; }

void CColorRefButton::pick() {
    if (!toolkit::pick_color_ref(this, &color_ref_)) return;
    picked_ = true;
    update();
}

void CColorRefButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool pressed = isDown();
    const QRect frame = rect();
    painter.fillRect(frame, palette().button());
    // A two-pixel raised border whose light and dark edges swap while the button is held down.
    qDrawWinButton(&painter, frame, palette(), pressed);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = frame.adjusted(focus_inset, focus_inset, -focus_inset, -focus_inset);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    QRect interior = frame.adjusted(colour_inset, colour_inset, -colour_inset, -colour_inset);
    if (pressed) interior.translate(1, 1);
    painter.fillRect(interior, colour_of(color_ref_));
}

namespace toolkit {

void exchange_color_ref(CDataExchange& dx, int control_id, uint16_t* rgb_words) {
    if (dx.failed()) return;
    auto* button = qobject_cast<CColorRefButton*>(dx.prepare_control(control_id));
    if (!button) return;
    if (dx.is_loading()) {
        button->load(rgb_words);
        return;
    }
    if (button->picked()) button->save(rgb_words);
}

}  // namespace toolkit
