#include "editor/platform/qt_services.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QSettings>
#include <QTreeView>

namespace platform {
namespace {

QMessageBox::Icon message_icon(Icon icon) {
    switch (icon) {
        case Icon::information: return QMessageBox::Information;
        case Icon::exclamation: return QMessageBox::Warning;
        case Icon::stop: return QMessageBox::Critical;
        case Icon::question: return QMessageBox::Question;
        case Icon::none: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons message_buttons(Buttons buttons) {
    switch (buttons) {
        case Buttons::ok_cancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::yes_no: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::yes_no_cancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::ok: break;
    }
    return QMessageBox::Ok;
}

Answer message_answer(int button) {
    switch (button) {
        case QMessageBox::Yes: return Answer::yes;
        case QMessageBox::No: return Answer::no;
        case QMessageBox::Cancel: return Answer::cancel;
        default: return Answer::ok;
    }
}

constexpr const char* file_dialog_state_key = "file_dialog/state";
constexpr const char* file_dialog_folder_key = "file_dialog/folder";

// Runs the dialog and keeps its folder and columns for the next one.
QString run_file_dialog(QFileDialog& dialog) {
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QSettings settings;
    settings.setValue(file_dialog_state_key, dialog.saveState());
    settings.setValue(file_dialog_folder_key, dialog.directory().absolutePath());
    if (!accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace

// Opened wide enough for the name, size, type and date columns of the detail
// view, in the folder and with the columns the last one was left with.
std::unique_ptr<QFileDialog> make_file_dialog(QWidget* owner, const QString& caption, QFileDialog::FileMode mode) {
    auto dialog = std::make_unique<QFileDialog>(owner, caption);
    dialog->setFileMode(mode);
    dialog->setViewMode(QFileDialog::Detail);
    QSettings settings;
    if (settings.contains(file_dialog_folder_key)) dialog->setDirectory(settings.value(file_dialog_folder_key).toString());
    const QFontMetrics metrics = dialog->fontMetrics();
    QSize size(metrics.averageCharWidth() * 120, metrics.height() * 32);
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog->resize(size.expandedTo(dialog->sizeHint()));
    if (settings.contains(file_dialog_state_key)) {
        dialog->restoreState(settings.value(file_dialog_state_key).toByteArray());
    } else if (auto* files = dialog->findChild<QTreeView*>()) {
        // Name, size, type, date: the last three as wide as their usual texts, the name the rest.
        const int margin = metrics.averageCharWidth() * 3;
        files->header()->setStretchLastSection(false);
        files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        int column = 1;
        for (const char* widest : {"999.9 KiB", "Windows BMP image", "12/31/2026 12:59 PM"})
            files->header()->resizeSection(column++, metrics.horizontalAdvance(QString::fromLatin1(widest)) + margin);
    }
    return dialog;
}

std::unique_ptr<QMessageBox> make_message_box(const MessageRequest& request) {
    auto box = std::make_unique<QMessageBox>(message_icon(request.icon), request.caption, request.text,
                                             message_buttons(request.buttons), request.owner);
    if (request.destructive) box->setDefaultButton(QMessageBox::No);
    return box;
}

Answer QtServices::show(const MessageRequest& request) { return message_answer(make_message_box(request)->exec()); }

void QtServices::begin_wait() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtServices::end_wait() { QApplication::restoreOverrideCursor(); }

bool QtServices::shift_held() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

void QtServices::beep() { QApplication::beep(); }

QString QtServices::open_file(QWidget* owner, const QString& caption, const QString& filter) {
    const std::unique_ptr<QFileDialog> dialog = make_file_dialog(owner, caption, QFileDialog::ExistingFile);
    dialog->setNameFilter(filter);
    return run_file_dialog(*dialog);
}

QString QtServices::choose_folder(QWidget* owner, const QString& caption) {
    const std::unique_ptr<QFileDialog> dialog = make_file_dialog(owner, caption, QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    if (!QSettings().contains(file_dialog_folder_key)) dialog->setDirectory(QDir::homePath());
    return run_file_dialog(*dialog);
}

QString QtServices::save_file(QWidget* owner, const QString& caption, const QString& filter, const QString& suffix) {
    const std::unique_ptr<QFileDialog> dialog = make_file_dialog(owner, caption, QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(filter);
    dialog->setDefaultSuffix(suffix);
    return run_file_dialog(*dialog);
}

int QtServices::run(QDialog& dialog) { return dialog.exec(); }

QtServices::QtServices() = default;

QtServices::~QtServices() = default;

// Application modal: while the box is up no window takes input, so no other
// command can start. It has no Cancel button, as the work cannot be stopped
// half way.
void QtServices::begin_progress(QWidget* owner, const QString& text) {
    progress_ = std::make_unique<QProgressDialog>(text, QString(), 0, 0, owner);
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtServices::set_progress(const QString& text, int done, int total) {
    if (!progress_) return;
    progress_->setLabelText(text);
    progress_->setMaximum(total);
    progress_->setValue(done);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtServices::end_progress() { progress_.reset(); }

}  // namespace platform
