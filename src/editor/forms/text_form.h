#pragma once

// The plain text form of the string list, template and text groups: the tag's
// whole data, shown as Windows-1252 text with its CR line ends, in one
// resizable edit control.

#include "editor/character_translation.h"
#include "editor/tag_dialog.h"

#include <QString>

#include <cstdint>

class QPlainTextEdit;

namespace text_form {

inline constexpr int template_id = 187;
inline constexpr int text_id = 1206;

}  // namespace text_form

class CTextTagDlg : public CTagDialog {
public:
    CTextTagDlg(uint32_t group_tag, uint32_t subgroup, QWidget* parent);

protected:
    bool OnInitDialog() override;
    // Saving only: an unchanged text writes nothing, so opening and closing a
    // tag never alters bytes the edit control cannot show.
    void DoDataExchange(CDataExchange& dx) override;
    // Return and Tab belong to the text; Ctrl+Return presses OK and Ctrl+Tab
    // (with Shift, backwards) moves the focus out of the edit.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A typed character the game cannot show: said with its line and column,
    // and selected in the edit.
    void refuse_character(const UnheldCharacter& unheld);
    void load_text();

    QPlainTextEdit* text_ = nullptr;
    QString loaded_text_;
};

CTagDialog* create_text_dialog(uint32_t group_tag, uint32_t subgroup, QWidget* parent);
