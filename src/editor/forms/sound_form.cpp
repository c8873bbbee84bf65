#include "editor/forms/sound_form.h"

#include "core/character_translation.h"
#include "core/warnings.h"
#include "definitions/sound_definitions.h"
#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/platform/services.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/exchange_choices.h"
#include "editor/toolkit/exchange_failure.h"
#include "editor/toolkit/waveform_strip.h"
#include "media/sound_import.h"
#include "media/sound_playback.h"
#include "media/string_definitions.h"
#include "tag_files/tag_directory.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>

#include <algorithm>
#include <cstring>

using definitions::sound_definition;

namespace sound_form {

namespace {

using toolkit::Field;

constexpr int skip_fraction_maximum = 65535;
constexpr int name_length = definitions::sound_permutation_name_capacity - 1;
constexpr int play_icon_side = 16;
constexpr int list_height = 100;
constexpr int slider_width = 160;
// The subtitle combo lists "NONE" as item 0, so item k is string k - 1.
constexpr int subtitle_bias = 1;

struct FlagRow {
    int id;
    uint32_t mask;
};
// The template's order of the check boxes.
constexpr FlagRow flag_rows[] = {{1154, 1}, {1155, 2}, {1157, 8}, {1158, 64}, {1159, 4}};

// Filled and read by the dialog, not exchanged.
void shown_only(CDataExchange&) {}

QString game_name(const char* name, size_t capacity) {
    return text_from_windows_1252(game_text_to_display(std::string_view(name, strnlen(name, capacity))));
}

const EditorRegistration sound_editor(sound_group_tag, &create_sound_dialog);

void declare_definition(toolkit::Form& form, CSoundDlg& dialog) {
    form.enumeration(loudness_id, "Loudness:", &sound_definition::loudness, definitions::sound_loudness_names, 0);
    form.reference(subtitle_list_id, "Subtitle String List:", string_list_group, &sound_definition::subtitle_string_list)
        .on_change([&dialog] { dialog.subtitle_list_chosen(); });
    form.custom(subtitle_string_id, "Subtitle String:", new QComboBox,
                [&dialog](CDataExchange& dx) { dialog.exchange_subtitle_string(dx); });
    form.fraction(play_fraction_id, "Play Fraction:", &sound_definition::play_fraction);
    form.short_fixed(frequency_modifier_id, "External Frequency Modifier:",
                     &sound_definition::external_frequency_modifier);
    form.short_fixed_range(pitch_lower_id, pitch_upper_id, "Pitch:", &sound_definition::pitch_lower,
                           &sound_definition::pitch_delta);
    form.short_fixed_range(volume_lower_id, volume_upper_id, "Volume:", &sound_definition::volume_lower,
                           &sound_definition::volume_delta);
    for (const FlagRow& flag : flag_rows)
        form.flag(flag.id, toolkit::name_of(definitions::sound_flag_names, static_cast<int32_t>(flag.mask)),
                  &sound_definition::flags, flag.mask);
}

// A label that keeps the width of its widest text, shown or hidden, so that
// choosing another permutation moves nothing under the pointer.
QLabel* steady_label(const QString& widest) {
    auto* label = new QLabel;
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest));
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

// The strip has no control id; the dialog finds it by this name.
const QString waveform_name = QStringLiteral("waveform");

void declare_permutations(toolkit::Form& form, CSoundDlg& dialog) {
    form.group("Permutations", [&] {
        auto* list = new QListWidget;
        list->setMaximumHeight(list_height);
        form.custom(permutation_list_id, QString(), list, shown_only);
        QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&dialog] { dialog.refresh_permutation_controls(); });
        QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, [&dialog] { dialog.play(); });
        auto* name = new QLineEdit;
        name->setMaxLength(name_length);
        form.custom(name_id, QString(), name, shown_only);
        QObject::connect(name, &QLineEdit::textChanged, &dialog, [&dialog](const QString& text) { dialog.rename(text); });
        form.line(QString(), [&] {
            auto& play = static_cast<QPushButton&>(*form.button(play_id, QString(), [&dialog] { dialog.play(); }).control());
            play.setIcon(dialog.style()->standardIcon(QStyle::SP_MediaPlay));
            play.setIconSize(QSize(play_icon_side, play_icon_side));
            play.setToolTip(QStringLiteral("Play"));
            form.custom(info_id, QString(), steady_label(info_text(16, 99999 * 1024)), shown_only);
            form.custom(channels_id, QString(), steady_label(QStringLiteral("stereo")), shown_only);
            auto* waveform = new toolkit::WaveformStrip;
            waveform->setObjectName(waveform_name);
            form.shown(QString(), waveform);
        });
        form.line("Skip Fraction:", [&] {
            auto* slider = new QSlider(Qt::Horizontal);
            slider->setRange(0, skip_fraction_maximum);
            // The keyboard moves it by 1 % (arrows) and 10 % (Page Up and Down).
            slider->setSingleStep(skip_fraction_maximum / 100);
            slider->setPageStep(skip_fraction_maximum / 10);
            slider->setMinimumWidth(slider_width);
            form.custom(skip_slider_id, QString(), slider, shown_only);
            QObject::connect(slider, &QSlider::valueChanged, &dialog, [&dialog](int value) { dialog.skip_moved(value); });
            form.custom(skip_label_id, QString(), steady_label(skip_text(skip_fraction_maximum)), shown_only);
        });
        form.line(QString(), [&] {
            form.button(add_id, "Add", [&dialog] { dialog.add_permutation(); });
            form.button(duplicate_id, "Duplicate", [&dialog] { dialog.duplicate_permutation(); });
            form.button(delete_id, "Delete", [&dialog] { dialog.delete_permutation(); });
        });
    });
}

}  // namespace

QString info_text(int bits_per_sample, std::size_t data_size) {
    return QString::asprintf("%d-bit, %.1fK", bits_per_sample, double(data_size) / 1024);
}

QString skip_text(int skip_fraction) {
    return QString::asprintf("%.1f%%", skip_fraction / double(skip_fraction_maximum) * 100);
}

}  // namespace sound_form

namespace sf = sound_form;

CSoundDlg::CSoundDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(sf::template_id, group, subgroup, parent, sizeof(sound_definition),
                     definitions::sound_definition_codes, [this](toolkit::Form& form) {
                         sf::declare_definition(form, *this);
                         form.column();
                         sf::declare_permutations(form, *this);
                         form.after_load([this] { refill_permutations(-1); });
                     }),
      waveform_(static_cast<toolkit::WaveformStrip*>(findChild<QWidget*>(sf::waveform_name))) {}

int CSoundDlg::selected_permutation() const {
    const int row = control_as<QListWidget>(sf::permutation_list_id)->currentRow();
    return row >= 0 && row < std::ssize(sound_.permutations) ? row : -1;
}

void CSoundDlg::refill_permutations(int selected) {
    auto* list = control_as<QListWidget>(sf::permutation_list_id);
    {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const sound_tag_permutation& permutation : sound_.permutations)
            list->addItem(sf::game_name(permutation.permutation.name, sizeof permutation.permutation.name));
        list->setCurrentRow(selected);
    }
    refresh_permutation_controls();
}

void CSoundDlg::refresh_permutation_controls() {
    const int selected = selected_permutation();
    const bool chosen = selected >= 0;
    const auto count = std::ssize(sound_.permutations);
    auto* name = control_as<QLineEdit>(sf::name_id);
    auto* slider = control_as<QSlider>(sf::skip_slider_id);
    auto* info = control_as<QLabel>(sf::info_id);
    auto* channels = control_as<QLabel>(sf::channels_id);
    auto* skip = control_as<QLabel>(sf::skip_label_id);
    for (QWidget* widget : {control(sf::play_id), static_cast<QWidget*>(name), static_cast<QWidget*>(slider),
                            static_cast<QWidget*>(skip)})
        widget->setEnabled(chosen);
    info->setVisible(chosen);
    channels->setVisible(chosen);
    control(sf::add_id)->setEnabled(count < MAXIMUM_EDITOR_PERMUTATIONS);
    control(sf::delete_id)->setEnabled(chosen);
    control(sf::duplicate_id)->setEnabled(chosen && count < MAXIMUM_EDITOR_PERMUTATIONS);
    if (!chosen) {
        waveform_->clear();
        return;
    }
    const sound_tag_permutation& permutation = sound_.permutations[static_cast<size_t>(selected)];
    {
        const QSignalBlocker quiet(name);
        name->setText(sf::game_name(permutation.permutation.name, sizeof permutation.permutation.name));
    }
    name->selectAll();
    name->setFocus();
    info->setText(sf::info_text(permutation.header.bits_per_sample, permutation.data.size()));
    channels->setText(permutation.header.channels > 1 ? QStringLiteral("stereo") : QStringLiteral("mono"));
    {
        const QSignalBlocker quiet(slider);
        slider->setValue(permutation.permutation.skip_fraction);
    }
    skip->setText(sf::skip_text(permutation.permutation.skip_fraction));
    if (const auto stream = sound_playback_stream_of(permutation, sound_playback_decoding::direct)) {
        waveform_->show_sound({[stream = *stream]() -> waveform_sample_reader {
                                   return [stream](std::span<std::int16_t> output) mutable { return stream.read(output); };
                               },
                               stream->sample_count() / stream->channels(), stream->channels()});
    } else {
        waveform_->clear();
    }
}

void CSoundDlg::rename(const QString& name) {
    const int selected = selected_permutation();
    if (selected < 0) return;
    auto* list = control_as<QListWidget>(sf::permutation_list_id);
    {
        const QSignalBlocker quiet(list);
        list->setUpdatesEnabled(false);
        list->item(selected)->setText(name);
        list->setUpdatesEnabled(true);
    }
    char (&stored)[definitions::sound_permutation_name_capacity] =
        sound_.permutations[static_cast<size_t>(selected)].permutation.name;
    // The text and its terminating zero; the bytes after it stay as they were.
    const std::string game = display_text_to_game(text_to_windows_1252(name));
    const size_t length = std::min(game.size(), sizeof stored - 1);
    std::memcpy(stored, game.data(), length);
    stored[length] = '\0';
    permutations_changed_ = true;
}

void CSoundDlg::skip_moved(int skip_fraction) {
    const int selected = selected_permutation();
    if (selected < 0) return;
    sound_.permutations[static_cast<size_t>(selected)].permutation.skip_fraction = static_cast<uint16_t>(skip_fraction);
    control_as<QLabel>(sf::skip_label_id)->setText(sf::skip_text(skip_fraction));
    permutations_changed_ = true;
}

void CSoundDlg::add_permutation() {
    if (std::ssize(sound_.permutations) >= MAXIMUM_EDITOR_PERMUTATIONS) return;
    const QString path = platform::open_file(this, QString::fromLatin1(sound_import_dialog_title),
                                             QString::fromLatin1(sound_import_dialog_filter));
    if (path.isEmpty()) return;
    const sound_import_outcome outcome = import_sound_permutation_file(sound_, path.toLocal8Bit().toStdString());
    if (outcome.warning) {
        display_warning("%s", outcome.message.c_str());
    } else if (!outcome.succeeded) {
        platform::message_box(this, QString::fromLocal8Bit(outcome.message.c_str()),
                              QString::fromLatin1(outcome.caption.c_str()), platform::Buttons::ok,
                              platform::Icon::stop);
    }
    if (outcome.succeeded) permutations_changed_ = true;
    refill_permutations(-1);
}

void CSoundDlg::duplicate_permutation() {
    const int selected = selected_permutation();
    const auto count = std::ssize(sound_.permutations);
    if (selected < 0 || count >= MAXIMUM_EDITOR_PERMUTATIONS) return;
    sound_.permutations.push_back(sound_.permutations[static_cast<size_t>(selected)]);
    permutations_changed_ = true;
    refill_permutations(static_cast<int>(count));
}

void CSoundDlg::delete_permutation() {
    const int selected = selected_permutation();
    if (selected < 0) return;
    sound_.permutations.erase(sound_.permutations.begin() + selected);
    permutations_changed_ = true;
    refill_permutations(-1);
}

void CSoundDlg::play() {
    const int selected = selected_permutation();
    if (selected < 0) return;
    const sound_playback_decoding decoding =
        platform::shift_held() ? sound_playback_decoding::conversion : sound_playback_decoding::direct;
    std::optional<sound_playback_stream> stream =
        sound_playback_stream_of(sound_.permutations[static_cast<size_t>(selected)], decoding);
    if (!stream) return;
    const int channels = stream->channels();
    const int rate = stream->sample_rate();
    platform::play_sound([stream = std::move(*stream)](std::span<std::int16_t> output) mutable { return stream.read(output); },
                         channels, rate);
}

void CSoundDlg::fill_subtitle_strings() {
    auto* strings = control_as<QComboBox>(sf::subtitle_string_id);
    const QSignalBlocker quiet(strings);
    strings->clear();
    strings->addItem(QStringLiteral("NONE"));
    const int32_t chosen = toolkit::selected_reference(control_as<QComboBox>(sf::subtitle_list_id));
    if (chosen != NONE) {
        if (const auto listed = read_tag_strings(string_list_group, static_cast<tag_code>(chosen))) {
            for (const std::string& text : *listed) strings->addItem(text_from_windows_1252(game_text_to_display(text)));
        }
    }
    strings->setCurrentIndex(0);
}

void CSoundDlg::subtitle_list_chosen() {
    sound_definition& definition = record<sound_definition>();
    definition.runtime_subtitle_list_index = NONE;
    definition.subtitle_string_index = NONE;
    fill_subtitle_strings();
}

void CSoundDlg::exchange_subtitle_string(CDataExchange& dx) {
    if (dx.is_loading()) fill_subtitle_strings();
    toolkit::exchange_enumeration(dx, sf::subtitle_string_id, &record<sound_definition>().subtitle_string_index,
                                  toolkit::storage_of<int16_t>(), sf::subtitle_bias);
    // Without a list no index names a string: the box shows "NONE" rather than
    // nothing, and the stored index stays unless the user picks.
    auto* strings = control_as<QComboBox>(sf::subtitle_string_id);
    if (dx.is_loading() && strings->count() == 1 && strings->currentIndex() < 0) {
        strings->setCurrentIndex(0);
        toolkit::remember_loaded_state(strings);
    }
}

bool CSoundDlg::load_sound() {
    sound_tag_read_result read = load_sound_tag(tag_find(group_tag(), subgroup()), derived_sound_fields::ignored);
    sound_definition& definition = record<sound_definition>();
    if (!read.sound) {
        definition = sound_definition{};
        sound_ = sound_tag{};
        report_read_failure();
        refill_permutations(-1);
        return false;
    }
    sound_ = std::move(*read.sound);
    definition = sound_.definition;
    // OK writes the tag anew, with the offset and size its layout gives.
    permutations_changed_ = read.derived_fields_wrong;
    return true;
}

void CSoundDlg::save_sound(CDataExchange& dx) {
    sound_definition& definition = record<sound_definition>();
    if (!permutations_changed_) {
        write_tag_record(dx, &definition, sizeof definition, definitions::sound_definition_codes);
        return;
    }
    sound_.definition = definition;
    tag_handle handle = tag_find(group_tag(), subgroup());
    const bool written = save_sound_tag(handle, sound_);
    if (!finish_tag_write(dx, written, &definition)) return;
    definition = laid_out_sound_definition(sound_);
    permutations_changed_ = false;
}

// The list shows the names as typed; the first one holding a character the game
// cannot show is selected and refused.
bool CSoundDlg::refuse_unheld_name(CDataExchange& dx) {
    auto* list = control_as<QListWidget>(sf::permutation_list_id);
    for (int row = 0; row < list->count(); ++row) {
        const std::optional<UnheldCharacter> unheld = first_unheld_character(list->item(row)->text(), HeldText::game_text);
        if (!unheld) continue;
        list->setCurrentRow(row);
        // Selecting shows the stored name; the refusal is about the typed one.
        auto* name = control_as<QLineEdit>(sf::name_id);
        name->setText(list->item(row)->text());
        toolkit::refuse_character(dx, name, *unheld, HeldText::game_text);
        return true;
    }
    return false;
}

void CSoundDlg::DoDataExchange(CDataExchange& dx) {
    if (dx.is_loading() && !load_sound()) return;
    if (dx.is_saving() && (record_read_failed() || refuse_unheld_name(dx))) return;
    form().exchange(dx);
    if (dx.is_loading() || dx.failed()) return;
    save_sound(dx);
}

void CSoundDlg::done(int result) {
    platform::stop_sound();
    CFormTagDialog::done(result);
}

CTagDialog* create_sound_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CSoundDlg(group, subgroup, parent);
}
