#pragma once

#include "editor/tag_dialog.h"

#include <cstdint>

// "Game Number" (dialog 132): the number of the hidden game to play next.
class CGameNumberDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 132;
    static constexpr int number_control = 1008;

    CGameNumberDlg(std::uint32_t number, QWidget* parent);

    std::uint32_t number() const { return number_; }

public slots:
    // Closes only on a whole number from 1 to 2000000000.
    void accept() override;

protected:
    bool OnInitDialog() override;

private:
    std::uint32_t number_;
};
