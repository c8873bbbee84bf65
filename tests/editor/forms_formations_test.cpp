#include "form_driving.h"

#include "definitions/formation_definitions.h"
#include "editor/forms/formations_form.h"
#include "editor/forms/observer_constants_form.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabWidget>

namespace editor_test {
namespace {

using definitions::formation_definition;
using definitions::observer_constants;

constexpr tag_code formations = make_tag("form");
constexpr tag_code observer = make_tag("obpc");

struct Typed {
    int id;
    const char* text;
    size_t offset;
    int64_t expected;
};

// Every edit box with what is typed into it and the 16-bit value it stores.
constexpr Typed formation_entries[] = {
    {1295, "5", 0, 5},         {1296, "1", 2, 512},       {1297, "9", 4, 9},         {1298, "1.5", 6, 768},
    {1299, "3", 8, 3},         {1300, "2", 10, 1024},     {1301, "6", 12, 6},        {1302, "0.5", 14, 256},
    {1303, "3", 16, 1536},     {1304, "1", 18, 512},      {1305, "0.5", 20, 128},    {1306, "4", 22, 2048},
    {1307, "2", 24, 1024},     {1308, "45", 26, 8192},    {1309, "135", 28, 24576},  {1310, "0.25", 30, 128},
    {1311, "1.25", 32, 640},   {1314, "2.5", 34, 1280},   {1312, "3", 36, 1536},
};

class FormationsFormTest : public DrivenFormTest {
protected:
    static QStringList texts(const CTagDialog& dialog) {
        QStringList shown;
        for (const Typed& entry : formation_entries) shown << text_of(dialog, entry.id);
        return shown;
    }
    static QTabWidget* tabs(const CTagDialog& dialog) {
        return dialog.control_as<QTabWidget>(formations_form::tabs_id);
    }
};

TEST_F(FormationsFormTest, NewTagShowsItsDefaultsOnNinePages) {
    const tag_code subgroup = tag_get_subgroup(create_default_tag(formations, "wedge"));
    const auto dialog = open(formations, subgroup);
    EXPECT_EQ(dialog->template_id(), formations_form::template_id);
    QStringList titles;
    for (int page = 0; page < tabs(*dialog)->count(); ++page) titles << tabs(*dialog)->tabText(page);
    EXPECT_EQ(titles, (QStringList{"Short Line", "Long Line", "Loose Line", "Staggered Line", "Box", "Mob",
                                   "Encirclements", "Vanguard", "Circle"}));
    EXPECT_EQ(text_of(*dialog, 1308), QStringLiteral("90"));
    EXPECT_EQ(text_of(*dialog, 1309), QStringLiteral("120"));
    EXPECT_EQ(text_of(*dialog, 1295), QStringLiteral("4"));
    EXPECT_EQ(text_of(*dialog, 1296), QStringLiteral("1.250"));
    EXPECT_EQ(text_of(*dialog, 1305), QStringLiteral("1.500"));
    EXPECT_EQ(text_of(*dialog, 1306), QStringLiteral("3.000"));
    EXPECT_TRUE(dialog->control(1295)->isVisible());
    EXPECT_FALSE(dialog->control(1312)->isVisible());
    dialog->reject();
}

TEST_F(FormationsFormTest, SwitchingTabsChangesNoValueAndOkKeepsEveryByte) {
    formation_definition record{};
    auto* words = reinterpret_cast<int16_t*>(&record);
    for (int i = 0; i < 20; ++i) words[i] = static_cast<int16_t>(i * 1237 - 9000);
    const tag_code subgroup = add_record(formations, "mob", record, definitions::formation_definition_codes);
    const std::vector<std::byte> before = tag_data(formations, subgroup);
    const auto dialog = open(formations, subgroup);
    const QStringList shown = texts(*dialog);
    for (int page : {8, 3, 6, 0, 7, 1, 5, 2, 4}) {
        tabs(*dialog)->setCurrentIndex(page);
        EXPECT_EQ(texts(*dialog), shown) << page;
    }
    EXPECT_TRUE(dialog->control(1303)->isVisible());
    accept(*dialog);
    EXPECT_EQ(tag_data(formations, subgroup), before);
}

TEST_F(FormationsFormTest, FieldsOfHiddenPagesAreSaved) {
    const tag_code subgroup = tag_get_subgroup(create_default_tag(formations, "line"));
    const auto dialog = open(formations, subgroup);
    for (const Typed& entry : formation_entries) type(*dialog, entry.id, entry.text);
    tabs(*dialog)->setCurrentIndex(4);
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(formations, subgroup);
    for (const Typed& entry : formation_entries) EXPECT_EQ(stored(saved, entry.offset, 2), entry.expected) << entry.id;
    EXPECT_EQ(stored(saved, 38, 2), 0);
}

struct Motion {
    int button_id;
    const char* caption;
    size_t offset;
    const char* shown_maximum;  // the default negative maximum velocity
};

constexpr Motion motions[] = {
    {1237, "Parallel Velocity", 0, "0.00064"},  {1238, "Orthogonal Velocity", 24, "0.00064"},
    {1240, "Yaw Velocity", 48, "0.00104"},      {1242, "Orbit Velocity", 72, "0.00833"},
    {1239, "Vertical Velocity", 96, "0.00012"}, {1241, "Pitch Velocity", 120, "0.00052"},
    {1243, "Zoom Velocity", 144, "0.16666"},
};

class ObserverConstantsFormTest : public DrivenFormTest {};

TEST_F(ObserverConstantsFormTest, EachButtonEditsItsMotion) {
    const tag_code subgroup = tag_get_subgroup(create_default_tag(observer, "camera"));
    const auto dialog = open(observer, subgroup);
    EXPECT_EQ(dialog->template_id(), observer_constants_form::template_id);
    int motion_index = 0;
    for (const Motion& motion : motions) {
        EXPECT_EQ(dialog->control_as<QAbstractButton>(motion.button_id)->text(), QString::fromUtf8(motion.caption));
        through(*dialog, motion.button_id, [&](QDialog& opened) {
            auto& parameters = static_cast<CTagDialog&>(opened);
            EXPECT_EQ(parameters.windowTitle(), QString::fromUtf8(motion.caption));
            EXPECT_EQ(parameters.template_id(), observer_constants_form::velocity_parameters_template_id);
            EXPECT_EQ(text_of(parameters, 1238), QString::fromUtf8(motion.shown_maximum));
            for (int field = 0; field < 6; ++field)
                type(parameters, 1238 + field, QString::number(motion_index + field * 0.5 + 0.25));
            parameters.accept();
        });
        ++motion_index;
    }
    // A cancelled dialog changes nothing.
    through(*dialog, 1237, [](QDialog& opened) {
        type(static_cast<CTagDialog&>(opened), 1238, "99");
        opened.reject();
    });
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(observer, subgroup);
    motion_index = 0;
    for (const Motion& motion : motions) {
        for (int field = 0; field < 6; ++field)
            EXPECT_EQ(stored(saved, motion.offset + 4 * field, 4), 65536 * motion_index + 32768 * field + 16384)
                << motion.caption << " " << field;
        ++motion_index;
    }
    for (size_t offset = 168; offset < 256; ++offset) EXPECT_EQ(saved[offset], std::byte{0}) << offset;
}

TEST_F(ObserverConstantsFormTest, UntouchedDialogsLeaveEveryByte) {
    observer_constants record{};
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    for (size_t i = 0; i < sizeof record; ++i) bytes[i] = static_cast<uint8_t>(i * 13 + 7);
    const tag_code subgroup = add_record(observer, "orbit", record, definitions::observer_constants_codes);
    const std::vector<std::byte> before = tag_data(observer, subgroup);
    const auto dialog = open(observer, subgroup);
    for (const Motion& motion : motions)
        through(*dialog, motion.button_id, [](QDialog& opened) { opened.accept(); });
    accept(*dialog);
    EXPECT_EQ(tag_data(observer, subgroup), before);
}

TEST_F(ObserverConstantsFormTest, VelocityParametersDialogFitsAScreen) {
    const auto dialog = open(observer, tag_get_subgroup(create_default_tag(observer, "view")));
    through(*dialog, 1243, [](QDialog& opened) {
        check_picture(opened, "obpc_velocity_parameters");
        opened.reject();
    });
    dialog->reject();
}

}  // namespace
}  // namespace editor_test
