#pragma once

// Forms as declarations. A form lists its rows in exchange order: which control id,
// which label, which field of the record, which kind. The form builds the widgets,
// lays them out (columns, group boxes, tab pages, lines), and exchanges every row in
// both directions through the toolkit's helpers, so the no-drift rule and the
// refusal of bad entries hold for every row without a line of form code.
//
//     form.distance(1072, "Pathfinding Radius:", &monster_definition::pathfinding_radius);
//     form.distance_range(1082, 1083, "Initial Count:", &monster_definition::ammunition_lower,
//                         &monster_definition::ammunition_delta);
//     form.enumeration(1031, "Size:", &monster_definition::size, {"Small", "Man-sized", "Giant"}, 0);
//     form.flag(1344, "Carries multiple items", &monster_definition::flags, 0x200000);
//     form.filtered_reference(1039, "Collection:", collection_group, &monster_definition::collection,
//                             collection_user_data_filter, 2);
//
// Special behaviour is a small hook on the rows it concerns: `enabled_by`,
// `shown_by`, `optional` (a sentinel value tied to a check box), `exchanged_if`,
// `on_change`, or a form-wide `after_load`.

#include "core/tag_code.h"
#include "definitions/field_description.h"
#include "editor/toolkit/element_dialog.h"
#include "editor/toolkit/element_list.h"
#include "editor/toolkit/field_conversions.h"
#include "editor/toolkit/reference_pickers.h"
#include "editor/toolkit/sequence_list_box.h"
#include "editor/toolkit/sequence_pickers.h"

#include <QString>
#include <QStringList>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <span>
#include <type_traits>
#include <vector>

class CDataExchange;
class CTagDialog;
class QBoxLayout;
class QFormLayout;
class QTabWidget;
class QWidget;

namespace toolkit {

// Where a field lies in the form's record, and how wide it is. Made from a member
// pointer (`&monster_definition::size`), an array member and an index
// (`{&monster_definition::sequences, 3}`) or an explicit offset (`Field::at<int16_t>(90)`).
struct Field {
    uint32_t offset = 0;
    uint8_t size = 0;
    bool is_signed = false;

    Field() = default;

    template <class Record, class Member>
        requires std::is_arithmetic_v<Member>
    Field(Member Record::*member)  // NOLINT: implicit, so rows take member pointers directly
        : offset(offset_of(member)), size(sizeof(Member)), is_signed(std::is_signed_v<Member>) {}

    template <class Record, class Member, size_t count>
    Field(Member (Record::*member)[count], size_t index)
        : offset(static_cast<uint32_t>(offset_of(member) + index * sizeof(Member))),
          size(static_cast<uint8_t>(std::is_arithmetic_v<Member> ? sizeof(Member) : 0)),
          is_signed(std::is_signed_v<Member>) {}

    // The whole member, whatever its type (sub-records, arrays of elements, text).
    template <class Record, class Member>
    static Field whole(Member Record::*member) {
        Field field;
        field.offset = offset_of(member);
        field.size = 0;
        return field;
    }

    template <class Value>
    static Field at(uint32_t offset) {
        Field field;
        field.offset = offset;
        field.size = sizeof(Value);
        field.is_signed = std::is_signed_v<Value>;
        return field;
    }

    Storage storage() const { return {size, is_signed}; }

private:
    template <class Record, class Member>
    static uint32_t offset_of(Member Record::*member) {
        static_assert(std::is_standard_layout_v<Record>, "records are plain structs");
        static const Record probe{};
        return static_cast<uint32_t>(reinterpret_cast<const std::byte*>(&(probe.*member)) -
                                     reinterpret_cast<const std::byte*>(&probe));
    }
};

// Check boxes of flag words that name no ids of their own are numbered after their bit.
inline constexpr int first_flag_check_id = 1400;
constexpr int flag_check_id(uint32_t mask) { return first_flag_check_id + std::countr_zero(mask); }

// How a row with an `optional` check box looks while the box is clear.
enum class WhenAbsent : uint8_t { disabled, hidden };

class Form;

// What a row shows, kept so that checks over every form can hold its rows to the
// group's field descriptions and reach every dialog it opens.
enum class RowRole : uint8_t { value, element_button, element_list, sequence_list, color_button, other };

struct RowField {
    Field field;
    definitions::FieldKind kind;
};

struct RowDescription {
    int id = 0;  // the first control
    RowRole role = RowRole::other;
    std::vector<RowField> fields;
    // Element rows: the dialog they open over the element at `element` (for lists,
    // `capacity` elements of `element_size` bytes from there).
    Field element;
    ElementDialogFactory factory;
    size_t element_size = 0;
    int capacity = 0;
};

// The name a table gives to a value (an enumeration item, a flag bit); the table must
// hold it.
QString name_of(std::span<const definitions::NamedValue> names, int32_t value);

// One declared row. Modifiers return the row so they chain.
class Row {
public:
    // The row's controls are enabled (shown) only while the check box is checked;
    // checked after loading and on every click. Values are exchanged either way.
    Row& enabled_by(int check_id);
    Row& shown_by(int check_id);
    // Enabled only while the picker `picker_id` (declared before) has a tag selected.
    Row& enabled_while_chosen(int picker_id);

    // A check box `check_id` that says whether the field holds a value at all. On load
    // it is clear when the field (for a range: lower and delta) equals `sentinel`, and
    // the row's edit boxes then show 0; on save a clear box stores `sentinel`.
    Row& optional(int check_id, const QString& label, int64_t sentinel, WhenAbsent look = WhenAbsent::disabled);

    // The row is exchanged only while `condition` holds. Every row's condition is asked
    // once at the start of each exchange, before any row runs, so a row writing the
    // bytes a condition reads cannot switch a later row of the same exchange off.
    Row& exchanged_if(std::function<bool()> condition);

    // Runs when the user changes the row's control (picks an entry, clicks, edits).
    Row& on_change(std::function<void()> handler);

    // The row shows bytes that the record's description calls `described` in another
    // meaning (a byte holding either a cost or flags), while its condition holds.
    Row& overlays(definitions::FieldKind described);

    const RowDescription& description() const { return description_; }

    // The row's first control.
    QWidget* control() const { return controls_.empty() ? nullptr : controls_.front(); }

private:
    friend class Form;
    Row(Form& form) : form_(form) {}

    Form& form_;
    std::vector<QWidget*> controls_;  // exchanged controls, in order
    std::vector<QWidget*> widgets_;   // everything to enable or show (labels too)
    std::vector<Field> fields_;       // what `optional` compares with its sentinel
    std::optional<NumberFormat> format_;  // edit rows: how `optional` shows 0
    std::function<void(CDataExchange&)> exchange_;
    std::function<bool()> condition_;
    RowDescription description_;
};

class Form {
public:
    // Rows read and write `record` (record_size bytes), which outlives the form.
    Form(CTagDialog& dialog, void* record, size_t record_size);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    CTagDialog& dialog() const { return dialog_; }
    std::byte* record_bytes() const { return record_; }
    template <class Record>
    Record& record() const {
        return *reinterpret_cast<Record*>(record_);
    }
    // The widget holding every declared row; the dialog puts it in its layout.
    QWidget* widget() const { return root_; }

    // Numbers. A 4-byte field gives the long kind (long_world_distance, long ticks).
    Row& distance(int id, const QString& label, Field field);
    Row& ticks(int id, const QString& label, Field field);
    Row& short_fixed(int id, const QString& label, Field field);
    Row& fixed(int id, const QString& label, Field field, int decimals = 5);
    Row& fraction(int id, const QString& label, Field field);
    Row& byte_fraction(int id, const QString& label, Field field);  // a byte, or the low byte of a word
    Row& angle(int id, const QString& label, Field field);
    Row& angular_speed(int id, const QString& label, Field field);
    Row& integer(int id, const QString& label, Field field);  // width and sign of the field
    Row& long_as_short(int id, const QString& label, Field field);
    Row& offset_integer(int id, const QString& label, Field field, int32_t display_offset, int64_t minimum,
                        int64_t maximum);
    Row& real(int id, const QString& label, Field field, int decimals);
    Row& number(int id, const QString& label, Field field, const NumberFormat& format);
    // Game text of at most capacity - 1 characters.
    Row& text(int id, const QString& label, Field field, size_t capacity);

    // Value ranges: lower and upper bound boxes with "to" between them.
    Row& distance_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta);
    Row& ticks_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta);
    Row& short_fixed_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta);
    Row& fixed_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta, int decimals = 5);
    Row& fraction_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta);
    Row& integer_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta);
    Row& range(int lower_id, int upper_id, const QString& label, Field lower, Field delta,
               const NumberFormat& format);

    // Choices. A 4-byte enumeration is exchanged through a 16-bit value.
    Row& enumeration(int id, const QString& label, Field field, const QStringList& names, int bias);
    Row& enumeration(int id, const QString& label, Field field, std::span<const definitions::NamedValue> names,
                     int bias);
    Row& flag(int id, const QString& label, Field field, uint32_t mask);
    // One check box per named bit; ids are first_id, first_id + 1, ... in order.
    void flags(int first_id, Field field, std::span<const definitions::NamedValue> bits);

    // Pickers.
    Row& reference(int id, const QString& label, tag_code group, Field field);
    Row& filtered_reference(int id, const QString& label, tag_code group, Field field, tag_reference_filter filter,
                            int32_t argument);
    // A filtered picker whose filter argument follows the tag chosen in `source_id` (a
    // picker declared before it): `argument` answers it for the chosen subgroup, or
    // nothing when there is nothing to list; the picker then shows "No Tag" alone and
    // is disabled. Refilled whenever the user picks in `source_id`; the selected tag
    // stays selected only while the new list holds it, else "No Tag" is.
    Row& dependent_reference(int id, const QString& label, tag_code group, Field field, tag_reference_filter filter,
                             int source_id, std::function<std::optional<int32_t>(int32_t chosen)> argument);
    // A picker over the collection (or `core` tag) that `collection` answers at load.
    Row& sequence(int id, const QString& label, Field field, std::function<tag_code()> collection,
                  SequenceSource source = SequenceSource::collection);
    // Over the owning dialog's GetCurrentCollection().
    Row& current_collection_sequence(int id, const QString& label, Field field,
                                     SequenceSource source = SequenceSource::collection);
    // Refilled whenever the user picks another entry in `collection_picker_id` (a row
    // declared before it).
    Row& dependent_sequence(int id, const QString& label, Field field, int collection_picker_id,
                            SequenceSource source = SequenceSource::collection);

    // Element arrays.
    Row& element_list(int id, const ElementListConfig& config, Field array, Field count);
    // A button opening an element dialog on the sub-record at `element`.
    Row& element_button(int id, const QString& label, const QString& caption, Field element,
                        ElementDialogFactory factory);
    Row& button(int id, const QString& label, std::function<void()> action);
    // A list box naming the sequences of `count` elements of the array, over the owning
    // dialog's GetCurrentCollection() at load; a double-click edits an element in place.
    Row& sequence_list(int id, const SequenceListConfig& config, Field array, int count);
    // A button opening the colour picker (rgb_color mode) on the 8-byte colour at `color`.
    Row& color_button(int id, const QString& label, Field color);
    // An owner-drawn button showing the 8-byte colour at `color`, kept as a color_ref
    // while the dialog is open; stored back only once a colour was picked.
    Row& color_ref_button(int id, const QString& label, Field color);
    // Any widget of the form's own, registered under `id`, exchanged by `exchange`.
    Row& custom(int id, const QString& label, QWidget* control, std::function<void(CDataExchange&)> exchange);
    // A widget that only shows what the dialog draws into it: it has no control id
    // and exchanges nothing.
    Row& shown(const QString& label, QWidget* widget);

    // Layout: rows go into the current column of the current box.
    void column();
    void group(const QString& title, const std::function<void()>& body);
    // A single line: the rows of `body` side by side after one label.
    void line(const QString& label, const std::function<void()>& body);
    // Lines in columns: each line of `body` is a row, its label and controls each
    // in a column of their own, so that like boxes of every line align.
    void grid(const std::function<void()>& body);
    void pages(int tab_id, const std::function<void()>& body);
    void page(const QString& title, const std::function<void()>& body);
    // Four sets of rows above, left of, right of and below a framed rectangle.
    void around_frame(const std::function<void()>& above, const std::function<void()>& left,
                      const std::function<void()>& right, const std::function<void()>& below);

    // Hooks of the whole form.
    void after_load(std::function<void()> hook);
    // Converts a part of the record that the record's codes leave alone; runs after the
    // record is read, before it is written and after it is written (its own inverse).
    void separately_converted(std::function<void()> convert);
    const std::vector<std::function<void()>>& separate_conversions() const { return conversions_; }

    // The picker whose selection GetCurrentCollection answers; NONE without one.
    void current_collection_picker(int id) { collection_picker_id_ = id; }
    int32_t current_collection() const;
    bool has_current_collection_picker() const { return collection_picker_id_ != 0; }

    // Walks the rows in order; stops at the first refused entry.
    void exchange(CDataExchange& dx);

    // Every row in declaration order.
    const std::deque<Row>& rows() const { return rows_; }

private:
    struct Box;
    // `shown` in display order; `registered` the exchanged controls with their ids.
    Row& add_row(const QString& label, std::vector<QWidget*> shown,
                 std::vector<std::pair<int, QWidget*>> registered, std::function<void(CDataExchange&)> exchange);
    Row& single(int id, const QString& label, QWidget* control, std::function<void(CDataExchange&)> exchange);
    QWidget* place(const QString& label, std::vector<QWidget*> controls);
    void push_box(QWidget* container);
    void pop_box();
    void update_dependencies();
    Row& edit_row(int id, const QString& label, Field field, const NumberFormat& format);
    static Row& described(Row& row, RowRole role, std::vector<RowField> fields);
    void* at(Field field) const { return record_ + field.offset; }
    void check_field(Field field, std::initializer_list<int> sizes) const;

    friend class Row;
    CTagDialog& dialog_;
    std::byte* record_;
    size_t record_size_;
    QWidget* root_;
    std::vector<std::unique_ptr<Box>> boxes_;
    std::deque<Row> rows_;
    std::vector<std::function<void()>> after_load_;
    std::vector<std::function<void()>> conversions_;
    std::vector<std::function<void()>> dependencies_;  // enabling and showing by check boxes
    QTabWidget* tabs_ = nullptr;
    int collection_picker_id_ = 0;
    bool dependencies_connected_ = false;
};

}  // namespace toolkit
