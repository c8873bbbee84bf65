#pragma once

// An owner-drawn button showing a colour kept as 0x00BBGGRR while its dialog is open;
// a click opens the colour picker in color_ref mode on it. Its exchange reads the
// colour from the high bytes of an rgb_color's red, green and blue words and writes
// it back (each byte x 256, the flags word left alone) only once a colour was picked,
// so an untouched colour keeps its stored words bit for bit.

#include <QPushButton>

#include <cstdint>

class CDataExchange;

class CColorRefButton : public QPushButton {
    Q_OBJECT

public:
    explicit CColorRefButton(QWidget* parent = nullptr);

    uint32_t color_ref() const { return color_ref_; }
    // True once the picker ended with OK since the colour was loaded.
    bool picked() const { return picked_; }

    // rgb_words: red, green, blue, flags.
    void load(const uint16_t* rgb_words);
    void save(uint16_t* rgb_words) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pick();

    uint32_t color_ref_ = 0;
    bool picked_ = false;
};

namespace toolkit {
void exchange_color_ref(CDataExchange& dx, int control_id, uint16_t* rgb_words);
}  // namespace toolkit
