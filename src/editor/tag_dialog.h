#pragma once

#include <QDialog>
#include <QDialogButtonBox>

#include <cstdint>
#include <span>
#include <unordered_map>

class CDataExchange;

// Control ids every dialog shares, as the dialog templates number them.
inline constexpr int control_id_ok = 1;
inline constexpr int control_id_cancel = 2;

// Base of every group form and element dialog. It knows which tag is edited,
// checks the tag's version and titles the form when it opens, and gives the
// forms the two steps their data exchange is built around: reading the record
// into host order before the controls are filled, and writing it back in file
// order (version stamp, user data) after the controls have been read.
//
// Controls are registered under their numeric control id, so that the data
// exchange helpers and the tests find them by id.
class CTagDialog : public QDialog {
    Q_OBJECT

public:
    // Stores the tags and nothing else: nothing is read until the dialog opens.
    CTagDialog(int template_id, uint32_t group_tag, uint32_t subgroup, QWidget* parent);
    ~CTagDialog() override;

    // The subgroup of the `.256` (or, for scenery, `core`) tag whose sequences
    // the form's sequence pickers list; NONE (-1) when the form has none.
    virtual int32_t GetCurrentCollection();

    int template_id() const { return template_id_; }
    uint32_t group_tag() const { return group_tag_; }
    uint32_t subgroup() const { return subgroup_; }

    // Registers `control` under `control_id` (replacing an earlier one) and
    // names it after the id. The dialog does not take ownership beyond Qt's
    // parent-child rule.
    void register_control(int control_id, QWidget* control);
    QWidget* control(int control_id) const;
    template <class Widget>
    Widget* control_as(int control_id) const {
        return qobject_cast<Widget*>(control(control_id));
    }

    // A button box holding OK (control 1, default) and Cancel (control 2),
    // wired to accept() and reject(); the caller places it in its layout.
    QDialogButtonBox* create_ok_cancel_buttons();

    // Runs the data exchange: load fills the controls, save reads them back.
    // False when a field refused its input (the dialog then stays open).
    bool UpdateData(bool save);

    // Reads the tag's fixed record (position 0, `size` bytes) into `record` and
    // turns it into host order with `codes` (empty: byte for byte). Acts only
    // while loading; false after a failed read, which is reported to the user
    // and leaves the dialog able only to be cancelled. After a failed read the
    // record is all zeros, never stale or partly read bytes.
    bool read_tag_record(CDataExchange& dx, void* record, int32_t size, std::span<const int16_t> codes);

    // Writes the record back: file order, one write of `size` bytes at
    // position 0, version stamp, user data. Acts only while saving; the record
    // is in host order again when it returns, whatever happened. False after a
    // failed write, which is reported and fails the exchange, so the dialog
    // stays open with the user's edits.
    bool write_tag_record(CDataExchange& dx, void* record, int32_t size, std::span<const int16_t> codes);

    // While the working folder cannot be written, every dialog over a tag opens
    // with OK disabled and this reason as its tooltip; empty when it can.
    static void set_read_only_reason(const QString& reason);

    // True after a failed read: the form can then only be cancelled.
    bool record_read_failed() const { return read_failed_; }

    void setVisible(bool visible) override;

public slots:
    // OK: saves through the data exchange and closes only if that succeeded.
    void accept() override;

protected:
    // Runs once, when the dialog is first shown: loads the controls, warns
    // about a version difference and sets the caption "%s (%4.4s)". A form that
    // overrides it sets up its controls first and calls this version last.
    virtual bool OnInitDialog();

    // The form's field-by-field exchange; the base class exchanges nothing.
    virtual void DoDataExchange(CDataExchange& dx);

    // After a failed read: OK is disabled and accept() does nothing, so the
    // form can only be cancelled.
    void refuse_saving();

    // For a group whose new tags are created empty: an empty tag reads as an
    // all-zero record, so that OK can give it its first record.
    void read_empty_tag_as_zero_record() { empty_reads_as_zero_ = true; }

    // A form reading its tag's data itself: tells the user it could not be
    // read and refuses saving.
    void report_read_failure();

    // A form that replaced its tag's data itself: reports a failed write and
    // fails the exchange, or, as write_tag_record does, stamps the current
    // version and the user data of `record` (host order). False after a failure.
    bool finish_tag_write(CDataExchange& dx, bool written, const void* record);

private:
    int template_id_;
    uint32_t group_tag_;
    uint32_t subgroup_;
    std::unordered_map<int, QWidget*> controls_;
    bool initialized_ = false;
    bool read_failed_ = false;
    bool empty_reads_as_zero_ = false;
};
