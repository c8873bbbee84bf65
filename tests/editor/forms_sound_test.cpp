// The sound form: the definition's fields, the subtitle strings of the chosen list,
// the permutations (Add from WAVE files, Duplicate, Delete, rename, skip fraction),
// Play through the recording audio output, and what OK and Cancel write.

#include "disk_audio.h"
#include "form_driving.h"

#include "definitions/sound_definitions.h"
#include "editor/forms/sound_form.h"
#include "editor/platform/sdl_audio_output.h"
#include "editor/toolkit/waveform_strip.h"
#include "media/sound_import.h"
#include "media/sound_tag.h"
#include "support/sound_permutation.h"
#include "tag_files/tag_directory.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace editor_test {
namespace {

using definitions::sound_definition;
namespace sf = sound_form;

constexpr tag_code string_lists_group = make_tag("stli");

// A permutation of `blocks` blocks of one channel, every data byte `marker`.
sound_tag_permutation permutation_of(const char* name, int32_t blocks, uint8_t marker, uint16_t skip = 0) {
    return test_support::marked_permutation(name, blocks, marker, skip, 22050);
}

class SoundFormTest : public DrivenFormTest {
protected:
    tag_code create(const std::string& name, const sound_tag& sound) {
        return add_tag(sounds, name, write_sound_tag(sound).value());
    }
    sound_tag read_back(tag_code subgroup) const {
        sound_tag_read_result read = read_sound_tag(tag_data(sounds, subgroup));
        EXPECT_TRUE(read.sound) << read.problem;
        return read.sound ? *read.sound : sound_tag{};
    }
    // A tone made by sox in the working folder; its path.
    std::string wave(const std::string& name, const std::string& format, const std::string& length) const {
        const std::string path = (folder.path() / name).string();
        const std::string command = "sox " + format + " -n " + format + " '" + path + "' synth " + length +
                                    " sine 440 vol 0.8 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
    }
    std::string mono_wave(const std::string& name, const std::string& length) const {
        return wave(name, "-r 22050 -c 1 -b 16 -e signed-integer", length);
    }
    std::string stereo_wave(const std::string& name, const std::string& length) const {
        return wave(name, "-r 44100 -c 2 -b 16 -e signed-integer", length);
    }
    void add_file(CTagDialog& dialog, const std::string& path) {
        services.queue_open_file(QString::fromStdString(path));
        click(dialog, sf::add_id);
    }

    static QListWidget* list(const CTagDialog& dialog) { return dialog.control_as<QListWidget>(sf::permutation_list_id); }
    static QStringList lines(const CTagDialog& dialog) {
        QStringList texts;
        for (int i = 0; i < list(dialog)->count(); ++i) texts << list(dialog)->item(i)->text();
        return texts;
    }
    static bool enabled(const CTagDialog& dialog, int id) { return dialog.control(id)->isEnabled(); }
    static QString label(const CTagDialog& dialog, int id) { return dialog.control_as<QLabel>(id)->text(); }
    static QString combo_text(const CTagDialog& dialog, int id) { return dialog.control_as<QComboBox>(id)->currentText(); }
};

TEST_F(SoundFormTest, NewSoundShowsTheDefaultsAndOnlyAddIsEnabled) {
    const tag_code subgroup = create("creak", new_sound_tag());
    const auto dialog = open(sounds, subgroup);
    EXPECT_EQ(dialog->template_id(), sf::template_id);
    EXPECT_EQ(combo_text(*dialog, sf::loudness_id), QStringLiteral("Normal"));
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(sf::loudness_id)),
              (QStringList{"Quiet", "Normal", "Loud", "Narration"}));
    for (const int id : {sf::play_fraction_id, sf::frequency_modifier_id, sf::pitch_lower_id, sf::pitch_upper_id,
                         sf::volume_lower_id, sf::volume_upper_id})
        EXPECT_EQ(text_of(*dialog, id), QStringLiteral("1.000")) << id;
    for (const int id : {1154, 1155, 1157, 1158, 1159}) EXPECT_FALSE(checked(*dialog, id)) << id;
    EXPECT_EQ(list(*dialog)->count(), 0);
    EXPECT_TRUE(enabled(*dialog, sf::add_id));
    EXPECT_FALSE(enabled(*dialog, sf::duplicate_id));
    EXPECT_FALSE(enabled(*dialog, sf::delete_id));
    EXPECT_FALSE(enabled(*dialog, sf::play_id));
    EXPECT_FALSE(enabled(*dialog, sf::name_id));
    EXPECT_FALSE(enabled(*dialog, sf::skip_slider_id));
    EXPECT_FALSE(dialog->control(sf::info_id)->isVisible());
    EXPECT_FALSE(dialog->control(sf::channels_id)->isVisible());
    dialog->reject();
}

TEST_F(SoundFormTest, FlagsAndFieldsAreStoredWhereTheDefinitionHoldsThem) {
    const tag_code subgroup = create("creak", new_sound_tag());
    const auto dialog = open(sounds, subgroup);
    EXPECT_EQ(dialog->control_as<QAbstractButton>(1158)->text(), QStringLiteral("All permutations use the same subtitle"));
    click(*dialog, 1155);
    click(*dialog, 1158);
    pick(*dialog, sf::loudness_id, "Narration");
    type(*dialog, sf::play_fraction_id, "0.5");
    type(*dialog, sf::pitch_upper_id, "1.5");
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(sounds, subgroup);
    ASSERT_EQ(saved.size(), 64u) << "no permutations were touched: the definition alone";
    EXPECT_EQ(stored(saved, 0, 4), 2 | 64);
    EXPECT_EQ(stored(saved, 4, 2), 3);
    EXPECT_EQ(stored(saved, 6, 2, false), 32768);
    EXPECT_EQ(stored(saved, 10, 2), 256);
    EXPECT_EQ(stored(saved, 12, 2), 129) << "the pitch delta: a range stores upper - lower + 1, in 8.8";
    EXPECT_EQ(tag_get_user_data(tag_find(sounds, subgroup)), uint32_t{2 | 64}) << "the flags";
}

TEST_F(SoundFormTest, AddImportsWaveFilesThroughTheOpenFileDialog) {
    const std::string mono = mono_wave("door.creak.wav", "1000s");
    const std::string stereo = stereo_wave("wind.wav", "4411s");
    const std::string eight_bit = wave("eight.wav", "-r 11025 -c 1 -b 8 -e unsigned-integer", "100s");
    const tag_code subgroup = create("creak", new_sound_tag());
    const auto dialog = open(sounds, subgroup);
    add_file(*dialog, mono);
    ASSERT_EQ(services.open_file_requests().size(), 1u);
    EXPECT_EQ(services.open_file_requests()[0].caption, QStringLiteral("Select a sound file to import"));
    EXPECT_EQ(services.open_file_requests()[0].filter, QStringLiteral("Wave files (*.wav)"));
    add_file(*dialog, stereo);
    EXPECT_EQ(lines(*dialog), (QStringList{"door", "wind"}));
    EXPECT_EQ(list(*dialog)->currentRow(), -1) << "the list is refilled without a selection";

    // Cancelling the file dialog, or a file that is not 16-bit, adds nothing.
    click(*dialog, sf::add_id);
    add_file(*dialog, eight_bit);
    EXPECT_EQ(services.message_texts(), (QStringList{"Only 16-bit wave files are supported"}));
    EXPECT_EQ(services.messages().back().caption, QStringLiteral("Error"));
    EXPECT_EQ(services.messages().back().icon, platform::Icon::stop);
    EXPECT_EQ(list(*dialog)->count(), 2);

    // 1000 samples: 16 blocks of 34 bytes; 4411 stereo frames: 2 x 69 blocks.
    list(*dialog)->setCurrentRow(0);
    EXPECT_EQ(label(*dialog, sf::info_id), QStringLiteral("16-bit, 0.5K"));
    EXPECT_EQ(label(*dialog, sf::channels_id), QStringLiteral("mono"));
    EXPECT_EQ(text_of(*dialog, sf::name_id), QStringLiteral("door"));
    EXPECT_EQ(label(*dialog, sf::skip_label_id), QStringLiteral("0.0%"));
    list(*dialog)->setCurrentRow(1);
    EXPECT_EQ(label(*dialog, sf::info_id), QStringLiteral("16-bit, 4.6K"));
    EXPECT_EQ(label(*dialog, sf::channels_id), QStringLiteral("stereo"));
    EXPECT_TRUE(enabled(*dialog, sf::play_id));
    EXPECT_TRUE(dialog->control(sf::info_id)->isVisible());
    accept(*dialog);

    // OK writes what the sound tag writer makes of the same imports.
    sound_tag expected = new_sound_tag();
    ASSERT_TRUE(import_sound_permutation_file(expected, mono).succeeded);
    ASSERT_TRUE(import_sound_permutation_file(expected, stereo).succeeded);
    EXPECT_EQ(tag_data(sounds, subgroup), write_sound_tag(expected).value());
}

TEST_F(SoundFormTest, TwoPermutationsAreLaidOutWithoutGaps) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 10, 0xA1));
    const tag_code subgroup = create("creak", sound);
    const std::string twenty_blocks = mono_wave("second.wav", "1280s");
    const auto dialog = open(sounds, subgroup);
    add_file(*dialog, twenty_blocks);
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(sounds, subgroup);
    ASSERT_EQ(saved.size(), 192u + 340 + 680);
    EXPECT_EQ(stored(saved, 20, 4), 128) << "sample header offset";
    EXPECT_EQ(stored(saved, 24, 4), 1084) << "sample region size";
    EXPECT_EQ(stored(saved, 36, 4), 2) << "permutation count";
    EXPECT_EQ(stored(saved, 40, 4), 64) << "permutation list offset";
    EXPECT_EQ(stored(saved, 44, 4), 64) << "permutation list size";
    EXPECT_EQ(stored(saved, 128 + 16, 4), 10) << "first header's block count";
    EXPECT_EQ(stored(saved, 160 + 16, 4), 20) << "second header's block count";
    EXPECT_EQ(saved[192], std::byte{0xA1});
    EXPECT_EQ(saved[531], std::byte{0xA1});
    EXPECT_EQ(stored(saved, 532, 2, false), 0) << "the first block header of an import";
}

TEST_F(SoundFormTest, CancelWritesNothing) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 3, 0x11));
    const tag_code subgroup = create("creak", sound);
    const std::vector<std::byte> before = tag_data(sounds, subgroup);
    const std::string file = mono_wave("more.wav", "200s");
    const auto dialog = open(sounds, subgroup);
    add_file(*dialog, file);
    list(*dialog)->setCurrentRow(0);
    type(*dialog, sf::name_id, "renamed");
    click(*dialog, sf::delete_id);
    pick(*dialog, sf::loudness_id, "Loud");
    dialog->reject();
    EXPECT_EQ(tag_data(sounds, subgroup), before);
}

TEST_F(SoundFormTest, FivePermutationsDisableAddAndDuplicate) {
    sound_tag sound = new_sound_tag();
    for (const char* name : {"a", "b", "c", "d", "e"}) sound.permutations.push_back(permutation_of(name, 2, 0x22));
    const auto dialog = open(sounds, create("creak", sound));
    EXPECT_EQ(lines(*dialog), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_FALSE(enabled(*dialog, sf::add_id));
    list(*dialog)->setCurrentRow(2);
    EXPECT_FALSE(enabled(*dialog, sf::add_id));
    EXPECT_FALSE(enabled(*dialog, sf::duplicate_id));
    EXPECT_TRUE(enabled(*dialog, sf::delete_id));
    click(*dialog, sf::delete_id);
    EXPECT_TRUE(enabled(*dialog, sf::add_id));
    EXPECT_FALSE(enabled(*dialog, sf::duplicate_id)) << "no selection after Delete";
    dialog->reject();
}

TEST_F(SoundFormTest, DeletingTheMiddleOfThreeKeepsTheOthersInOrder) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 3, 0xA1, 1000));
    sound.permutations.push_back(permutation_of("second", 5, 0xB2, 2000));
    sound.permutations.push_back(permutation_of("third", 7, 0xC3, 3000));
    const tag_code subgroup = create("creak", sound);
    const auto dialog = open(sounds, subgroup);
    list(*dialog)->setCurrentRow(1);
    click(*dialog, sf::delete_id);
    EXPECT_EQ(lines(*dialog), (QStringList{"first", "third"}));
    EXPECT_EQ(list(*dialog)->currentRow(), -1);
    accept(*dialog);
    const sound_tag saved = read_back(subgroup);
    ASSERT_EQ(saved.permutations.size(), 2u);
    for (const size_t kept : {0u, 1u}) {
        const sound_tag_permutation& original = sound.permutations[kept * 2];
        EXPECT_STREQ(saved.permutations[kept].permutation.name, original.permutation.name);
        EXPECT_EQ(saved.permutations[kept].permutation.skip_fraction, original.permutation.skip_fraction);
        EXPECT_EQ(saved.permutations[kept].header.count, original.header.count);
        EXPECT_EQ(saved.permutations[kept].data, original.data);
    }
}

TEST_F(SoundFormTest, RenameDuplicateAndSkipFractionReachTheTagOnOk) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 3, 0xA1));
    const tag_code subgroup = create("creak", sound);
    const auto dialog = open(sounds, subgroup);
    list(*dialog)->setCurrentRow(0);
    auto* name = dialog->control_as<QLineEdit>(sf::name_id);
    EXPECT_EQ(name->maxLength(), 25);
    EXPECT_EQ(name->selectedText(), QStringLiteral("first")) << "the whole name selected";
    type(*dialog, sf::name_id, "door");
    EXPECT_EQ(lines(*dialog), (QStringList{"door"}));
    EXPECT_EQ(list(*dialog)->currentRow(), 0) << "the selection is kept";
    dialog->control_as<QSlider>(sf::skip_slider_id)->setValue(16384);
    EXPECT_EQ(label(*dialog, sf::skip_label_id), QStringLiteral("25.0%"));
    click(*dialog, sf::duplicate_id);
    EXPECT_EQ(lines(*dialog), (QStringList{"door", "door"}));
    EXPECT_EQ(list(*dialog)->currentRow(), 1) << "the copy is selected";
    type(*dialog, sf::name_id, "copy");
    dialog->control_as<QSlider>(sf::skip_slider_id)->setValue(65535);
    EXPECT_EQ(label(*dialog, sf::skip_label_id), QStringLiteral("100.0%"));
    accept(*dialog);
    const sound_tag saved = read_back(subgroup);
    ASSERT_EQ(saved.permutations.size(), 2u);
    EXPECT_STREQ(saved.permutations[0].permutation.name, "door");
    EXPECT_EQ(saved.permutations[0].permutation.skip_fraction, 16384);
    EXPECT_STREQ(saved.permutations[1].permutation.name, "copy");
    EXPECT_EQ(saved.permutations[1].permutation.skip_fraction, 65535);
    EXPECT_EQ(saved.permutations[1].data, sound.permutations[0].data);
}

TEST_F(SoundFormTest, SkipFractionMovesByWholePercentsFromTheKeyboard) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 3, 0xA1));
    const auto dialog = open(sounds, create("steps", sound));
    list(*dialog)->setCurrentRow(0);
    auto* slider = dialog->control_as<QSlider>(sf::skip_slider_id);
    for (int press = 0; press < 5; ++press) QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(label(*dialog, sf::skip_label_id), QStringLiteral("5.0%"));
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(label(*dialog, sf::skip_label_id), QStringLiteral("15.0%"));
}

TEST_F(SoundFormTest, ChoosingAPermutationMovesNothing) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("a", 1, 0xA1));
    sound.permutations.push_back(permutation_of("a much longer name", 30000, 0xA2, 65535));
    const auto dialog = open(sounds, create("steady", sound));
    dialog->show();
    const auto places = [&] {
        std::vector<QRect> rects;
        for (const int id : {sf::add_id, sf::duplicate_id, sf::delete_id, sf::play_id, sf::skip_slider_id,
                             sf::permutation_list_id, sf::loudness_id, sf::play_fraction_id}) {
            QWidget* widget = dialog->control(id);
            rects.emplace_back(widget->mapTo(dialog.get(), QPoint()), widget->size());
        }
        return rects;
    };
    QApplication::processEvents();
    const std::vector<QRect> unselected = places();
    for (const int row : {1, 0, 1}) {
        list(*dialog)->setCurrentRow(row);
        QApplication::processEvents();
        EXPECT_EQ(places(), unselected) << "row " << row;
    }
}

// A name the game cannot show is refused on OK with that permutation selected.
TEST_F(SoundFormTest, NameTheGameCannotShowIsRefusedOnOk) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 3, 0xA1));
    sound.permutations.push_back(permutation_of("second", 3, 0xA2));
    const tag_code subgroup = create("bell", sound);
    const std::vector<std::byte> before = tag_data(sounds, subgroup);
    const auto dialog = open(sounds, subgroup);
    list(*dialog)->setCurrentRow(0);
    type(*dialog, sf::name_id, QString::fromUtf8("ring €"));
    list(*dialog)->setCurrentRow(1);
    services.clear_messages();
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(services.message_texts(),
              QStringList{QString::fromUtf8("The character U+20AC '€' has no equivalent in the game's character set.")});
    EXPECT_EQ(list(*dialog)->currentRow(), 0);
    EXPECT_EQ(dialog->control_as<QLineEdit>(sf::name_id)->selectedText(), QString::fromUtf8("€"));
    EXPECT_EQ(tag_data(sounds, subgroup), before);
}

std::vector<std::byte> text_bytes(const std::string& text) {
    const auto* begin = reinterpret_cast<const std::byte*>(text.data());
    return {begin, begin + text.size()};
}

class SoundSubtitleTest : public SoundFormTest {
protected:
    void SetUp() override {
        SoundFormTest::SetUp();
        // CR LF pairs, a blank line and a last line without a line break.
        lines_list = add_tag(string_lists_group, "lines", text_bytes("first\r\n\r\nsecond\n\nthird"));
        other_list = add_tag(string_lists_group, "other", text_bytes("x\ry\r"));
    }
    tag_code sound_with_subtitles(tag_code list_tag, int16_t index) {
        sound_tag sound = new_sound_tag();
        sound.definition.subtitle_string_list = list_tag;
        sound.definition.subtitle_string_index = index;
        sound.definition.runtime_subtitle_list_index = 0x1234;
        return create("creak", sound);
    }
    QStringList strings(const CTagDialog& dialog) const {
        return entries(dialog.control_as<QComboBox>(sf::subtitle_string_id));
    }
    tag_code lines_list = 0;
    tag_code other_list = 0;
};

TEST_F(SoundSubtitleTest, TheListsNonEmptyLinesFollowNone) {
    const tag_code subgroup = sound_with_subtitles(lines_list, 1);
    const auto dialog = open(sounds, subgroup);
    EXPECT_EQ(combo_text(*dialog, sf::subtitle_list_id), QStringLiteral("lines"));
    EXPECT_EQ(strings(*dialog), (QStringList{"NONE", "first", "second", "third"}));
    EXPECT_EQ(combo_text(*dialog, sf::subtitle_string_id), QStringLiteral("second"));
    pick(*dialog, sf::subtitle_string_id, "third");
    accept(*dialog);
    EXPECT_EQ(stored(tag_data(sounds, subgroup), 18, 2), 2) << "string 2 of the list";
}

TEST_F(SoundSubtitleTest, AnotherListResetsTheStringToNone) {
    const tag_code subgroup = sound_with_subtitles(lines_list, 2);
    const auto dialog = open(sounds, subgroup);
    pick(*dialog, sf::subtitle_list_id, "other");
    EXPECT_EQ(strings(*dialog), (QStringList{"NONE", "x", "y"}));
    EXPECT_EQ(combo_text(*dialog, sf::subtitle_string_id), QStringLiteral("NONE"));
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(sounds, subgroup);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 28, 4, false)), other_list);
    EXPECT_EQ(stored(saved, 18, 2), -1) << "the subtitle string index";
    EXPECT_EQ(stored(saved, 32, 2), -1) << "the runtime index of the subtitle list";
}

TEST_F(SoundSubtitleTest, AMissingListGivesOnlyNone) {
    const tag_code gone = sound_with_subtitles(subgroup_from_name("gone"), 0);
    const std::vector<std::byte> before = tag_data(sounds, gone);
    const auto dialog = open(sounds, gone);
    EXPECT_EQ(strings(*dialog), (QStringList{"NONE"}));
    // Shown when closed too; the stored index is kept.
    EXPECT_EQ(combo_text(*dialog, sf::subtitle_string_id), QStringLiteral("NONE"));
    accept(*dialog);
    EXPECT_EQ(tag_data(sounds, gone), before);
    const auto none = open(sounds, sound_with_subtitles(NONE, -1));
    EXPECT_EQ(strings(*none), (QStringList{"NONE"}));
    EXPECT_EQ(combo_text(*none, sf::subtitle_string_id), QStringLiteral("NONE"));
    none->reject();
}

// An index the list does not hold shows no string and stays as stored, unless
// the user picks one.
TEST_F(SoundSubtitleTest, AStoredIndexBeyondTheListIsKept) {
    const tag_code subgroup = sound_with_subtitles(lines_list, 7);
    const std::vector<std::byte> before = tag_data(sounds, subgroup);
    {
        const auto dialog = open(sounds, subgroup);
        EXPECT_EQ(dialog->control_as<QComboBox>(sf::subtitle_string_id)->currentIndex(), -1);
        pick(*dialog, sf::loudness_id, "Loud");
        accept(*dialog);
    }
    std::vector<std::byte> saved = tag_data(sounds, subgroup);
    EXPECT_EQ(stored(saved, 18, 2), 7);
    saved[5] = before[5];
    EXPECT_EQ(saved, before) << "only the loudness changed";
    const auto dialog = open(sounds, subgroup);
    pick(*dialog, sf::subtitle_string_id, "first");
    accept(*dialog);
    EXPECT_EQ(stored(tag_data(sounds, subgroup), 18, 2), 0);
}

class SoundPlayTest : public SoundFormTest {
protected:
    static bool outlined(const toolkit::WaveformStrip& waveform) {
        return QTest::qWaitFor([&] { return !waveform.outlining(); }, 10000);
    }
};

TEST_F(SoundPlayTest, PlayHandsTheDecodedSamplesToTheAudioOutputOnBothPaths) {
    const std::string mono = mono_wave("mono.wav", "3000s");
    const std::string stereo = stereo_wave("stereo.wav", "3000s");
    sound_tag sound = new_sound_tag();
    ASSERT_TRUE(import_sound_permutation_file(sound, mono).succeeded);
    ASSERT_TRUE(import_sound_permutation_file(sound, stereo).succeeded);
    const tag_code subgroup = create("tone", sound);
    const auto dialog = open(sounds, subgroup);
    const struct {
        int line;
        int channels;
        int rate;
    } played[] = {{0, 1, 22050}, {1, 2, 44100}};
    size_t plays = 0;
    for (const auto& expected : played) {
        const std::vector<std::int16_t> decoded =
            decode_sound_permutation(sound.permutations[static_cast<size_t>(expected.line)]).value();
        // 3000 frames: 47 blocks of 64 per channel.
        ASSERT_EQ(decoded.size(), static_cast<size_t>(47 * 64 * expected.channels));
        list(*dialog)->setCurrentRow(expected.line);
        for (const bool shift : {false, true}) {
            services.set_shift_held(shift);
            click(*dialog, sf::play_id);
            ASSERT_EQ(services.played_sounds().size(), ++plays) << expected.line << " shift " << shift;
            const auto& sound_played = services.played_sounds().back();
            EXPECT_EQ(sound_played.channels, expected.channels);
            EXPECT_EQ(sound_played.sample_rate, expected.rate);
            EXPECT_EQ(sound_played.samples, decoded) << expected.line << " shift " << shift;
        }
    }
    // A double-click on a line plays it again.
    services.set_shift_held(false);
    emit list(*dialog)->itemDoubleClicked(list(*dialog)->item(1));
    ASSERT_EQ(services.played_sounds().size(), plays + 1);
    EXPECT_EQ(services.played_sounds().back().channels, 2);
    const int stops = services.stop_count();
    dialog->reject();
    EXPECT_EQ(services.stop_count(), stops + 1) << "closing the form stops its sound";
}

// The strip beside the labels draws the selected permutation, each channel in a band.
TEST_F(SoundPlayTest, TheWaveformShowsTheSelectedPermutation) {
    sound_tag sound = new_sound_tag();
    ASSERT_TRUE(import_sound_permutation_file(sound, mono_wave("mono.wav", "3000s")).succeeded);
    ASSERT_TRUE(import_sound_permutation_file(sound, stereo_wave("stereo.wav", "3000s")).succeeded);
    const auto dialog = open(sounds, create("tone", sound));
    auto* waveform = static_cast<toolkit::WaveformStrip*>(dialog->findChild<QWidget*>(QStringLiteral("waveform")));
    ASSERT_NE(waveform, nullptr);
    EXPECT_TRUE(waveform->columns().empty());
    list(*dialog)->setCurrentRow(0);
    ASSERT_TRUE(outlined(*waveform));
    ASSERT_EQ(waveform->columns().size(), 1u);
    // A 440 Hz tone at 0.8 of full scale swings well past half of it in every column.
    const auto loudest = std::max_element(waveform->columns()[0].begin(), waveform->columns()[0].end(),
                                          [](auto a, auto b) { return a.high < b.high; });
    EXPECT_GT(loudest->high, 16000);
    list(*dialog)->setCurrentRow(1);
    ASSERT_TRUE(outlined(*waveform));
    EXPECT_EQ(waveform->columns().size(), 2u);
    check_picture(*dialog, QStringLiteral("soun_permutation"));
    click(*dialog, sf::delete_id);
    EXPECT_TRUE(waveform->columns().empty()) << "no selection";
    dialog->reject();
}

// Choosing another permutation while a long one is still being outlined shows
// the one chosen last, and the outline given up never turns up later.
TEST_F(SoundPlayTest, TheWaveformFollowsTheLatestSelection) {
    sound_tag sound = new_sound_tag();
    ASSERT_TRUE(import_sound_permutation_file(sound, stereo_wave("long.wav", "120")).succeeded);
    ASSERT_TRUE(import_sound_permutation_file(sound, mono_wave("short.wav", "3000s")).succeeded);
    const auto dialog = open(sounds, create("tone", sound));
    auto* waveform = static_cast<toolkit::WaveformStrip*>(dialog->findChild<QWidget*>(QStringLiteral("waveform")));
    ASSERT_NE(waveform, nullptr);
    const std::vector<std::int16_t> short_samples = decode_sound_permutation(sound.permutations[1]).value();
    std::size_t given = 0;
    const auto expected = outline_waveform(
        [&](std::span<std::int16_t> output) {
            const std::size_t count = std::min(output.size(), short_samples.size() - given);
            std::copy_n(short_samples.begin() + static_cast<std::ptrdiff_t>(given), count, output.begin());
            given += count;
            return count;
        },
        static_cast<std::int64_t>(short_samples.size()), 1, waveform->width());
    for (int round = 0; round < 3; ++round) {
        list(*dialog)->setCurrentRow(0);
        EXPECT_TRUE(waveform->outlining());
        list(*dialog)->setCurrentRow(1);
        ASSERT_TRUE(outlined(*waveform));
        EXPECT_EQ(waveform->columns(), expected) << round;
    }
    QTest::qWait(300);
    EXPECT_EQ(waveform->columns(), expected) << "a given-up outline arrived late";
    dialog->reject();
}

// Through a real device (SDL's disk driver): what the form plays is what the
// decoder gives, stereo interleaved, over many decoded chunks and device
// buffers without a gap.
TEST_F(SoundPlayTest, PlayOnTheDeviceSoundsTheDecodedSamples) {
    DiskAudio device;
    platform::SdlAudioOutput output;
    platform::Services through_device = platform::services();
    through_device.audio_output = &output;
    const platform::ServicesOverride installed(through_device);
    sound_tag sound = new_sound_tag();
    ASSERT_TRUE(import_sound_permutation_file(sound, stereo_wave("stereo.wav", "30000s")).succeeded);
    const auto dialog = open(sounds, create("tone", sound));
    list(*dialog)->setCurrentRow(0);
    const std::vector<std::int16_t> decoded = decode_sound_permutation(sound.permutations[0]).value();
    for (const bool shift : {false, true}) {
        SCOPED_TRACE(shift);
        services.set_shift_held(shift);
        click(*dialog, sf::play_id);
        EXPECT_EQ(device.sounded(decoded.size()), without_silence_around(decoded));
    }
    dialog->reject();
}

TEST_F(SoundPlayTest, AnUncompressedPermutationPlaysNothing) {
    sound_tag sound = new_sound_tag();
    sound_tag_permutation raw = permutation_of("raw", 0, 0);
    raw.header.flags = 0;
    raw.header.count = 100;
    raw.data.assign(200, std::byte{0x10});
    sound.permutations.push_back(raw);
    const auto dialog = open(sounds, create("raw", sound));
    list(*dialog)->setCurrentRow(0);
    EXPECT_TRUE(enabled(*dialog, sf::play_id));
    for (const bool shift : {false, true}) {
        services.set_shift_held(shift);
        click(*dialog, sf::play_id);
    }
    EXPECT_TRUE(services.played_sounds().empty());
    dialog->reject();
}

// The sample header offset and the sample region size follow from the layout:
// wrong ones do not stop the form, and OK writes the right ones.
TEST_F(SoundFormTest, WrongDerivedFieldsAreRepairedOnOk) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 3, 0xA1));
    const std::vector<std::byte> whole = write_sound_tag(sound).value();
    for (const size_t field : {offsetof(definitions::sound_definition, sample_header_offset),
                               offsetof(definitions::sound_definition, sample_region_size)}) {
        SCOPED_TRACE(field);
        std::vector<std::byte> damaged = whole;
        damaged[field] = std::byte{0x12};  // big-endian: the high byte
        const tag_code subgroup = add_tag(sounds, "derived" + std::to_string(field), damaged);
        services.clear_messages();
        const auto dialog = open(sounds, subgroup);
        EXPECT_TRUE(services.message_texts().empty()) << services.message_texts().join("; ").toStdString();
        EXPECT_EQ(lines(*dialog), QStringList{"first"});
        accept(*dialog);
        EXPECT_EQ(tag_data(sounds, subgroup), whole);
    }
}

TEST_F(SoundFormTest, ATagFailingTheReadersChecksCanOnlyBeCancelled) {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 3, 0xA1));
    std::vector<std::byte> bytes = write_sound_tag(sound).value();
    bytes.resize(bytes.size() - 10);  // the samples run past the end
    const tag_code subgroup = add_tag(sounds, "short", bytes);
    const auto dialog = open(sounds, subgroup);
    EXPECT_EQ(services.message_texts(), (QStringList{"Error reading tag file!"}));
    EXPECT_FALSE(enabled(*dialog, control_id_ok));
    EXPECT_EQ(list(*dialog)->count(), 0);
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible()) << "OK does nothing";
    dialog->reject();
    EXPECT_EQ(tag_data(sounds, subgroup), bytes);
}

}  // namespace
}  // namespace editor_test
