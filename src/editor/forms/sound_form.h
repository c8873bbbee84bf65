#pragma once

// The sound form (group `soun`): the definition's fields, the subtitle strings of
// the chosen string list, and up to five permutations, each imported from a WAVE
// file, duplicated, deleted, renamed, given a skip fraction and played. The whole
// tag is read when the form opens; its permutations reach the tag only on OK.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"
#include "media/sound_tag.h"

#include <QString>

class QWidget;

namespace toolkit {
class WaveformStrip;
}

namespace sound_form {

inline constexpr int template_id = 169;
inline constexpr int loudness_id = 1171;
inline constexpr int subtitle_list_id = 1030;
inline constexpr int subtitle_string_id = 1031;
inline constexpr int play_fraction_id = 1161;
inline constexpr int frequency_modifier_id = 1162;
inline constexpr int pitch_lower_id = 1165;
inline constexpr int pitch_upper_id = 1163;
inline constexpr int volume_lower_id = 1166;
inline constexpr int volume_upper_id = 1164;
inline constexpr int permutation_list_id = 1036;
inline constexpr int name_id = 1004;
inline constexpr int play_id = 1172;
inline constexpr int info_id = 1035;
inline constexpr int channels_id = 1318;
inline constexpr int skip_slider_id = 1116;
inline constexpr int skip_label_id = 1290;
inline constexpr int add_id = 1017;
inline constexpr int duplicate_id = 1018;
inline constexpr int delete_id = 1019;

// Label 1035: bits per sample and the data size in kilobytes.
QString info_text(int bits_per_sample, std::size_t data_size);
// Label 1290: the skip fraction as a percentage.
QString skip_text(int skip_fraction);

}  // namespace sound_form

class CSoundDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CSoundDlg(tag_code group, tag_code subgroup, QWidget* parent);

    // The permutations as they will be saved (the definition is the form's record).
    const sound_tag& sound() const { return sound_; }

    void refresh_permutation_controls();
    void add_permutation();
    void duplicate_permutation();
    void delete_permutation();
    void play();
    void rename(const QString& name);
    void skip_moved(int skip_fraction);
    // Combo 1030 chose another list: its strings, and no subtitle string.
    void subtitle_list_chosen();
    void exchange_subtitle_string(CDataExchange& dx);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    // The sound playing stops with the form.
    void done(int result) override;

private:
    int selected_permutation() const;
    // Refills list 1036 with the names; `selected` line selected (-1: none).
    void refill_permutations(int selected);
    void fill_subtitle_strings();
    bool load_sound();
    void save_sound(CDataExchange& dx);
    bool refuse_unheld_name(CDataExchange& dx);

    sound_tag sound_;
    // Permutations were added, removed or edited since the form opened: OK then
    // replaces the whole tag; otherwise it writes the definition alone, so that
    // an untouched form leaves every byte of the tag.
    bool permutations_changed_ = false;
    toolkit::WaveformStrip* waveform_;
};

CTagDialog* create_sound_dialog(tag_code group, tag_code subgroup, QWidget* parent);
