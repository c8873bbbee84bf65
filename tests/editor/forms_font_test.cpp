// Fonts in the editor: the import dialog, the progress window, the New command
// for `font` through both dialogs, the character grid and the font form.

#include "commands_fixture.h"

#include "core/byte_swap.h"
#include "definitions/font_definitions.h"
#include "editor/commands/import_font_dialog.h"
#include "editor/commands/new_tag_name_dialog.h"
#include "editor/commands/progress_dialog.h"
#include "editor/forms/font_character_grid.h"
#include "editor/forms/font_form.h"
#include "editor/frame_commands.h"
#include "media/bitmap_text.h"
#include "media/font_import.h"
#include "media/system_fonts.h"
#include "tag_files/tag_groups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QSlider>
#include <QTest>

#include <cstdlib>
#include <cstring>

namespace editor_test {
namespace {

using definitions::font_character;
using definitions::font_definition;

font_import_options dejavu(int size) {
    font_import_options options;
    options.family = "DejaVu Sans";
    options.point_size = size;
    return options;
}

std::vector<std::byte> imported_font(const font_import_options& options) {
    const auto font = system_font::open(options);
    EXPECT_NE(font, nullptr);
    return font ? build_font_tag_data(*font, options.antialiased, options.all_caps) : std::vector<std::byte>{};
}

// Writes the picture into TESSARY_FORM_PICTURES (a folder), when it is set.
void save_picture(QWidget& widget, const char* name) {
    widget.resize(widget.sizeHint());
    const QImage picture = widget.grab().toImage();
    EXPECT_LE(picture.width(), 1600);
    EXPECT_LE(picture.height(), 1000);
    if (const char* folder = std::getenv("TESSARY_FORM_PICTURES")) {
        const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name));
        EXPECT_TRUE(picture.save(path)) << path.toStdString();
    }
}

// Counts the selection messages a widget receives.
class SelectionMessages : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == static_cast<QEvent::Type>(CFontCharacterGrid::selection_message)) ++count;
        return false;
    }
};

class ImportFontDialogTest : public EditorTest {};

TEST_F(ImportFontDialogTest, OffersTheFamiliesSizeAndOptionsWithASample) {
    const std::vector<std::string> families = system_font_families();
    CImportFontDlg dialog(families, "DejaVu Sans", nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import Font"));
    auto* list = dialog.control_as<QListWidget>(CImportFontDlg::family_list_control);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), static_cast<int>(families.size()));
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("DejaVu Sans"));
    auto* size = dialog.control_as<QSlider>(CImportFontDlg::size_slider_control);
    EXPECT_EQ(size->minimum(), 4);
    EXPECT_EQ(size->maximum(), 72);
    EXPECT_EQ(size->value(), 10);
    EXPECT_EQ(control_text(dialog, CImportFontDlg::size_text_control), QStringLiteral("10"));
    for (const int id : {1276, 1277, 1278, 1279, 1281, 1282}) {
        ASSERT_NE(dialog.control_as<QCheckBox>(id), nullptr) << id;
        EXPECT_FALSE(dialog.control_as<QCheckBox>(id)->isChecked()) << id;
    }
    auto* sample = dialog.control_as<QLineEdit>(CImportFontDlg::sample_control);
    EXPECT_EQ(sample->text(), QStringLiteral("Pack my box with five dozen liquor jugs"));
    EXPECT_EQ(sample->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(sample->font().pointSize(), 10);
    save_picture(dialog, "font_import.png");

    size->setValue(24);
    EXPECT_EQ(control_text(dialog, CImportFontDlg::size_text_control), QStringLiteral("24"));
    EXPECT_EQ(sample->font().pointSize(), 24);
    dialog.control_as<QCheckBox>(CImportFontDlg::all_caps_control)->setChecked(true);
    EXPECT_EQ(sample->text(), QStringLiteral("PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS"));
    dialog.control_as<QCheckBox>(CImportFontDlg::bold_control)->setChecked(true);
    dialog.control_as<QCheckBox>(CImportFontDlg::italic_control)->setChecked(true);
    dialog.control_as<QCheckBox>(CImportFontDlg::strikeout_control)->setChecked(true);
    EXPECT_EQ(sample->font().weight(), QFont::Bold);
    EXPECT_TRUE(sample->font().italic());
    EXPECT_TRUE(sample->font().strikeOut());
    EXPECT_FALSE(sample->font().underline());
    const QFont before_antialiased = sample->font();
    dialog.control_as<QCheckBox>(CImportFontDlg::antialiased_control)->setChecked(true);
    EXPECT_EQ(sample->font(), before_antialiased);

    const auto serif = list->findItems(QStringLiteral("DejaVu Serif"), Qt::MatchExactly);
    ASSERT_FALSE(serif.isEmpty());
    list->setCurrentItem(serif.front());
    EXPECT_EQ(sample->font().family(), QStringLiteral("DejaVu Serif"));

    press_ok(dialog);
    const font_import_options& chosen = dialog.options();
    EXPECT_EQ(chosen.family, "DejaVu Serif");
    EXPECT_EQ(chosen.point_size, 24);
    EXPECT_TRUE(chosen.bold && chosen.italic && chosen.strikeout && chosen.antialiased && chosen.all_caps);
    EXPECT_FALSE(chosen.underline);
}

TEST_F(ImportFontDialogTest, ProgressRunsFromZeroToAHundred) {
    CProgressDlg progress(nullptr);
    progress.show();
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("Progress"));
    EXPECT_FALSE(progress.isModal());
    auto* bar = progress.control_as<QProgressBar>(CProgressDlg::progress_control);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    progress.set_position(100 * 65 / 255);
    EXPECT_EQ(progress.position(), 25);
}

class FontImportCommandTest : public CommandsTest {
protected:
    void choose(const font_import_options& options) {
        when_shown<CImportFontDlg>([options](CImportFontDlg& dialog) {
            auto* list = dialog.control_as<QListWidget>(CImportFontDlg::family_list_control);
            const auto found = list->findItems(QString::fromStdString(options.family), Qt::MatchExactly);
            ASSERT_FALSE(found.isEmpty());
            list->setCurrentItem(found.front());
            dialog.control_as<QSlider>(CImportFontDlg::size_slider_control)->setValue(options.point_size);
            dialog.control_as<QCheckBox>(CImportFontDlg::bold_control)->setChecked(options.bold);
            dialog.control_as<QCheckBox>(CImportFontDlg::italic_control)->setChecked(options.italic);
            dialog.control_as<QCheckBox>(CImportFontDlg::antialiased_control)->setChecked(options.antialiased);
            dialog.control_as<QCheckBox>(CImportFontDlg::all_caps_control)->setChecked(options.all_caps);
            press_ok(dialog);
        });
    }
};

TEST_F(FontImportCommandTest, NewFontDrawsTheChosenFontIntoTheNamedTagAndOpensIt) {
    font_import_options options = dejavu(12);
    options.bold = options.italic = options.antialiased = true;
    select(group_item(fonts));
    choose(options);
    when_shown<CNewTagNameDlg>([](CNewTagNameDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Font"));
        // "dejavu sans bold italic antialiased" would not fit a tag name.
        EXPECT_EQ(control_text(dialog, CNewTagNameDlg::name_control), QStringLiteral("dejavu sans bold italic"));
        dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control)->setText(QStringLiteral("Heading"));
        press_ok(dialog);
    });
    expect_form_opened();
    frame().run_command(command_id::new_in_group);
    EXPECT_EQ(services.unscripted_dialogs(), 0);
    EXPECT_TRUE(services.message_texts().isEmpty()) << services.message_texts().join("; ").toStdString();

    const tag_handle created = tag_named(fonts, "Heading");
    ASSERT_NE(created, NONE);
    EXPECT_EQ(tag_get_version(created), tag_group_get_version(fonts));
    EXPECT_EQ(tag_data(fonts, tag_get_subgroup(created)), imported_font(options));
    EXPECT_EQ(opened_forms(), std::vector<tag_code>{tag_get_subgroup(created)});
    EXPECT_EQ(tag_texts(fonts), QStringList{"Heading"});
}

TEST_F(FontImportCommandTest, ProposesTheFaceNameInLowerCase) {
    select(group_item(fonts));
    choose(dejavu(10));
    when_shown<CNewTagNameDlg>([](CNewTagNameDlg& dialog) {
        EXPECT_EQ(control_text(dialog, CNewTagNameDlg::name_control), QStringLiteral("dejavu sans"));
        press_ok(dialog);
    });
    expect_form_opened();
    frame().run_command(command_id::new_in_group);
    EXPECT_NE(tag_named(fonts, "dejavu sans"), NONE);
}

TEST_F(FontImportCommandTest, CancellingEitherDialogMakesNoTag) {
    select(group_item(fonts));
    when_shown<CImportFontDlg>([](CImportFontDlg& dialog) { dialog.reject(); });
    frame().run_command(command_id::new_in_group);
    choose(dejavu(10));
    when_shown<CNewTagNameDlg>([](CNewTagNameDlg& dialog) { dialog.reject(); });
    frame().run_command(command_id::new_in_group);
    EXPECT_EQ(tag_count_of_group(fonts), 0);
    EXPECT_TRUE(opened_forms().empty());
    EXPECT_EQ(services.unscripted_dialogs(), 0);
}

// A font record and character block built here: `count` characters of the
// given width, height and ink.
struct BuiltFont {
    font_definition record{};
    std::vector<std::byte> block;
};

BuiltFont built_font(int count, int16_t width, int16_t ascent, int16_t descent) {
    BuiltFont font;
    font.record.ascent = ascent;
    font.record.descent = descent;
    font.record.character_count = count;
    for (int index = 0; index < count; ++index) {
        font_character header{};
        header.code = static_cast<uint16_t>(32 + index);
        header.advance = header.width = width;
        header.height = static_cast<int16_t>(std::max(ascent + descent, 0));
        header.origin_y = ascent;
        const auto* bytes = reinterpret_cast<const std::byte*>(&header);
        font.block.insert(font.block.end(), bytes, bytes + sizeof header);
        const int64_t pixels = int64_t{header.width} * header.height;
        font.block.insert(font.block.end(), static_cast<std::size_t>(pixels + (pixels & 1)), std::byte{0x40});
    }
    font.record.characters_size = static_cast<int32_t>(font.block.size());
    return font;
}

TEST(FontCharacterGrid, LaysTheCellsOutToFitTheControl) {
    // 24 + 1 by 12 + 3 + 1 per character.
    struct Layout {
        int width, height, count;
        int cell_width, cell_height, columns, rows;
    };
    const Layout layouts[] = {
        // m = 1.477: whole numbers above 1 are truncated.
        {480, 360, 198, 25, 16, 19, 22},
        // m = 0.5025 leaves 192 cells; one step of 0.99 gives 224.
        {200, 100, 198, 12, 7, 16, 14},
        // m = 27.4, limited to 4.
        {2000, 1500, 10, 100, 64, 20, 23},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.width);
        BuiltFont font = built_font(layout.count, 24, 12, 3);
        CFontCharacterGrid grid;
        grid.resize(layout.width, layout.height);
        grid.set_font(font.record, font.block);
        EXPECT_EQ(grid.largest_width(), 24);
        EXPECT_EQ(grid.cell_width(), layout.cell_width);
        EXPECT_EQ(grid.cell_height(), layout.cell_height);
        EXPECT_EQ(grid.columns(), layout.columns);
        EXPECT_EQ(grid.rows(), layout.rows);
        const QSize bitmap(layout.columns * layout.cell_width + 1, layout.rows * layout.cell_height + 1);
        EXPECT_EQ(grid.grid_size(), bitmap);
        EXPECT_EQ(grid.grid_offset(),
                  QPoint((layout.width - bitmap.width()) / 2, (layout.height - bitmap.height()) / 2));
    }
}

TEST(FontCharacterGrid, AnEmptyControlOrAFlatFontStillEndsItsLayout) {
    BuiltFont flat = built_font(40, 3, -5, 2);
    CFontCharacterGrid grid;
    grid.resize(0, 0);
    grid.set_font(flat.record, flat.block);
    EXPECT_GE(grid.cell_width(), 1);
    EXPECT_GE(grid.cell_height(), 1);
    grid.resize(300, 200);
    BuiltFont none = built_font(0, 0, 0, 0);
    grid.set_font(none.record, none.block);
    EXPECT_EQ(grid.largest_width(), 0);
    EXPECT_GE(grid.cell_width(), 1);
    EXPECT_EQ(grid.selected(), -1);
}

TEST(FontCharacterGrid, AClickSelectsADragMovesTheSelectionAndEachChangeIsPosted) {
    BuiltFont font = built_font(30, 8, 10, 2);
    QWidget dialog;
    auto* grid = new CFontCharacterGrid(&dialog);
    grid->resize(400, 300);
    SelectionMessages messages;
    dialog.installEventFilter(&messages);
    dialog.show();
    grid->set_font(font.record, font.block);

    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(1, 1));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(grid->selected(), -1) << "outside the cells";
    EXPECT_EQ(messages.count, 0);

    QTest::mousePress(grid, Qt::LeftButton, {}, grid->cell_rect(3).center());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(grid->selected(), 3);
    EXPECT_EQ(messages.count, 1);
    QTest::mouseMove(grid, grid->cell_rect(3).center() + QPoint(1, 0));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(messages.count, 1) << "still the same cell";
    QTest::mouseMove(grid, grid->cell_rect(4 + grid->columns()).center());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(grid->selected(), 4 + grid->columns());
    EXPECT_EQ(messages.count, 2);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->cell_rect(4 + grid->columns()).center());
    QTest::mouseMove(grid, grid->cell_rect(0).center());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(grid->selected(), 4 + grid->columns()) << "moves after the release select nothing";
    EXPECT_EQ(messages.count, 2);
}

class FontFormTest : public EditorTest {
protected:
    tag_code create_imported(const std::string& name, const font_import_options& options) {
        return tag_get_subgroup(create_tag(fonts, name, imported_font(options), tag_group_get_version(fonts)));
    }
    std::unique_ptr<CFontDlg> open(tag_code subgroup) {
        auto dialog = std::make_unique<CFontDlg>(fonts, subgroup, nullptr);
        dialog->show();
        return dialog;
    }
    void click_character(CFontDlg& dialog, int index) {
        CFontCharacterGrid& grid = dialog.grid();
        QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.cell_rect(index).center());
        QCoreApplication::sendPostedEvents();
    }
    const EditorRegistration font_form_{fonts, &create_font_dialog};
    CTagGroupRegistry registry;  // the pickers' tag-name lists
};

TEST_F(FontFormTest, ShowsTheSelectedCharacterAndItsKerning) {
    const tag_code subgroup = create_imported("body", dejavu(10));
    const auto read = read_bitmap_font(tag_data(fonts, subgroup), "body");
    ASSERT_TRUE(read.has_value());
    int largest = 0;
    std::size_t position = 0;
    for (int index = 0; index < read->definition.character_count; ++index) {
        const auto& character = *reinterpret_cast<const font_character*>(&read->characters[position]);
        largest = std::max<int>(largest, character.width);
        position += std::size_t(definitions::font_character_record_length(character.width, character.height));
    }

    const auto dialog = open(subgroup);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("body (") + QString::fromLatin1(tag_code_to_text(subgroup)) + ")");
    EXPECT_EQ(dialog->grid().character_count(), 198);
    auto* character_text = dialog->control_as<QLabel>(font_form::character_text_id);
    auto* kerning_text = dialog->control_as<QLabel>(font_form::kerning_text_id);
    auto* kerning = dialog->control_as<QSlider>(font_form::kerning_slider_id);
    EXPECT_FALSE(character_text->isVisible());
    EXPECT_FALSE(kerning_text->isVisible());
    EXPECT_FALSE(kerning->isVisible());
    EXPECT_EQ(kerning->minimum(), 0);
    EXPECT_EQ(kerning->maximum(), 2 * largest);

    click_character(*dialog, 'A' - 32);
    EXPECT_TRUE(character_text->isVisible());
    EXPECT_EQ(character_text->text(), QStringLiteral("Char. 65 (0x41) 'A'"));
    const int advance = bitmap_font_character(*read, 'A')->advance;
    EXPECT_EQ(kerning_text->text(), QString::asprintf("%2d", advance));
    EXPECT_EQ(kerning->value(), advance);
    // Game byte 0x80 is drawn from Windows-1252 0xC4 and shown as it.
    int a_umlaut = 0;
    while (a_umlaut < dialog->grid().character_count() && dialog->grid().character(a_umlaut)->code != 0x80) ++a_umlaut;
    click_character(*dialog, a_umlaut);
    EXPECT_EQ(character_text->text(), QString::fromUtf8("Char. 128 (0x80) '\u00C4'"));
    save_picture(*dialog, "font.png");
    dialog->reject();
}

TEST_F(FontFormTest, OkRewritesTheCharactersAndTheRecordCancelWritesNothing) {
    const tag_code italic = create_imported("italic", dejavu(8));
    const tag_code subgroup = create_imported("body", dejavu(10));
    const std::vector<std::byte> before = tag_data(fonts, subgroup);

    {
        const auto dialog = open(subgroup);
        click_character(*dialog, 'A' - 32);
        dialog->control_as<QSlider>(font_form::kerning_slider_id)->setValue(17);
        auto* picker = dialog->control_as<QComboBox>(font_form::italic_id);
        picker->setCurrentIndex(picker->findText(QStringLiteral("italic")));
        dialog->reject();
    }
    EXPECT_EQ(tag_data(fonts, subgroup), before) << "Cancel";

    const auto dialog = open(subgroup);
    click_character(*dialog, 'A' - 32);
    auto* kerning = dialog->control_as<QSlider>(font_form::kerning_slider_id);
    kerning->setValue(17);
    EXPECT_EQ(control_text(*dialog, font_form::kerning_text_id), QStringLiteral("17"));
    auto* picker = dialog->control_as<QComboBox>(font_form::bold_id);
    ASSERT_GE(picker->findText(QStringLiteral("italic")), 0);
    picker->setCurrentIndex(picker->findText(QStringLiteral("italic")));
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();

    const std::vector<std::byte> after = tag_data(fonts, subgroup);
    ASSERT_EQ(after.size(), before.size());
    const auto font = read_bitmap_font(after, "body");
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->definition.style_fonts[1], italic);
    EXPECT_EQ(font->definition.style_fonts[0], tag_code(NONE));
    EXPECT_EQ(bitmap_font_character(*font, 'A')->advance, 17);
    EXPECT_EQ(bitmap_font_character(*font, 'B')->advance, bitmap_font_character(*read_bitmap_font(before, "b"), 'B')->advance);
    // Every record's first reserved word is written as the form held it: -1.
    const std::size_t first_reserved = 64 + 12;
    EXPECT_EQ(after[first_reserved], std::byte{0xFF});
    EXPECT_EQ(after[first_reserved + 1], std::byte{0xFF});
}

// Damaged fonts from other players: the block is bounded by the tag before
// anything is read, and a malformed record is refused, never drawn or rewritten.
TEST_F(FontFormTest, ADamagedCharacterBlockIsReportedAndLeftAlone) {
    struct Damage {
        const char* what;
        std::size_t at;
        std::vector<unsigned char> bytes;
    };
    const Damage damages[] = {
        {"character_count far beyond the block", 12, {0x7F}},
        {"characters_size 0x7FFFFFFF", 20, {0x7F, 0xFF, 0xFF, 0xFF}},
        {"characters_offset 0, over the record", 16, {0, 0, 0, 0}},
        {"a negative width", 64 + 4, {0xFF, 0xFD}},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::vector<std::byte> data = imported_font(dejavu(10));
        for (std::size_t index = 0; index < damage.bytes.size(); ++index)
            data[damage.at + index] = std::byte{damage.bytes[index]};
        const tag_code subgroup =
            tag_get_subgroup(create_tag(fonts, damage.what, data, tag_group_get_version(fonts)));
        services.clear_messages();
        const auto dialog = open(subgroup);
        EXPECT_EQ(services.message_texts(), QStringList{QStringLiteral("Error reading tag file!")});
        EXPECT_EQ(dialog->grid().character_count(), 0);
        dialog->accept();
        EXPECT_EQ(tag_data(fonts, subgroup), data);
    }
}

}  // namespace
}  // namespace editor_test
