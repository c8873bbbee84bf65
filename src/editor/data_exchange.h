#pragma once

class CTagDialog;
class QWidget;

// One pass of a form's data exchange. The same exchange function of a form runs
// in both directions; this object says which, names the control being exchanged
// so that a refused input can put the focus back on it, and remembers the
// refusal so that nothing further is exchanged and the dialog stays open.
class CDataExchange {
public:
    enum class Direction { load, save };

    CDataExchange(CTagDialog& dialog, Direction direction);
    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

    Direction direction() const { return direction_; }
    bool is_loading() const { return direction_ == Direction::load; }
    bool is_saving() const { return direction_ == Direction::save; }
    CTagDialog& dialog() const { return dialog_; }

    // The dialog's control registered under this id (null when there is none);
    // it becomes the control that a later fail() gives the focus to.
    QWidget* prepare_control(int control_id);
    int prepared_control_id() const { return prepared_control_id_; }

    // A field refused what the user entered (its helper has already told the
    // user why): the focus goes to the prepared control and the exchange is
    // over. Every later step of the exchange sees failed() and does nothing.
    void fail();
    bool failed() const { return failed_; }

private:
    CTagDialog& dialog_;
    Direction direction_;
    int prepared_control_id_ = -1;
    bool failed_ = false;
};
