#include "editor/commands/progress_dialog.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(QWidget* parent) : CTagDialog(dialog_template, NONE, NONE, parent) {
    setWindowTitle(QStringLiteral("Progress"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QProgressBar;
    bar->setMinimumWidth(300);
    register_control(progress_control, bar);
    layout->addWidget(bar);
}

bool CProgressDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("Progress"));
    auto* bar = control_as<QProgressBar>(progress_control);
    bar->setRange(0, 100);
    bar->setValue(0);
    return true;
}

void CProgressDlg::set_position(int position) {
    control_as<QProgressBar>(progress_control)->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int CProgressDlg::position() const {
    return control_as<QProgressBar>(progress_control)->value();
}
