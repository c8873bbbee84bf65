#pragma once

// A list of colours of the record: each line a swatch and a text. A double-click
// opens the colour picker on the line's colour; after OK the list is redrawn and the
// dialog holding the list receives message 1147. A line without a colour of its own
// shows an empty swatch and opens nothing.

#include <QEvent>
#include <QListWidget>

#include <cstdint>

// The message the swatch list posts to its parent after a colour changed: the
// platform's first user message + 123.
inline constexpr int color_swatch_changed_message = 1147;

// A dialog message posted as an event.
class CDialogMessageEvent : public QEvent {
public:
    static QEvent::Type event_type();
    explicit CDialogMessageEvent(int message) : QEvent(event_type()), message_(message) {}
    int message() const { return message_; }

private:
    int message_;
};

class CColorSwatchListBox : public QListWidget {
    Q_OBJECT

public:
    explicit CColorSwatchListBox(QWidget* parent = nullptr);

    // `rgb_words`: red, green, blue, flags of a colour in the record.
    void add_color(const QString& text, uint16_t* rgb_words);
    uint16_t* color_of(int row) const;
    // Opens the picker on the line's colour; true after OK.
    bool edit_color(int row);
};
