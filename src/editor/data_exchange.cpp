#include "editor/data_exchange.h"

#include "editor/tag_dialog.h"

#include <QWidget>

CDataExchange::CDataExchange(CTagDialog& dialog, Direction direction)
    : dialog_(dialog), direction_(direction) {}

QWidget* CDataExchange::prepare_control(int control_id) {
    prepared_control_id_ = control_id;
    return dialog_.control(control_id);
}

void CDataExchange::fail() {
    failed_ = true;
    if (QWidget* control = dialog_.control(prepared_control_id_)) control->setFocus();
}
