#include "editor/startup/start_dialog.h"

#include "editor/startup/recent_folders.h"
#include "editor/startup/working_folder_choice.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int folder_role = Qt::UserRole;
constexpr int missing_role = Qt::UserRole + 1;
constexpr int list_minimum_width = 420;

}  // namespace

CStartDialog::CStartDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tessary — Choose a Working Folder"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Recent working folders:"), this));
    recent_ = new QListWidget(this);
    recent_->setMinimumWidth(list_minimum_width);
    layout->addWidget(recent_);

    auto* row = new QHBoxLayout;
    open_ = new QPushButton(QStringLiteral("&Open"), this);
    remove_ = new QPushButton(QStringLiteral("&Remove from List"), this);
    open_other_ = new QPushButton(QStringLiteral("Open &Working Folder..."), this);
    new_ = new QPushButton(QStringLiteral("&New Working Folder..."), this);
    for (QPushButton* button : {open_, remove_, open_other_, new_}) row->addWidget(button);
    layout->addLayout(row);
    auto* quit = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(quit);

    open_->setDefault(true);
    connect(open_, &QPushButton::clicked, this, &CStartDialog::open_selected);
    connect(remove_, &QPushButton::clicked, this, &CStartDialog::remove_selected);
    connect(open_other_, &QPushButton::clicked, this, [this] { take(startup::pick_working_folder(this)); });
    connect(new_, &QPushButton::clicked, this, [this] { take(startup::make_new_working_folder(this)); });
    connect(quit, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(recent_, &QListWidget::currentRowChanged, this, &CStartDialog::selection_changed);
    connect(recent_, &QListWidget::itemActivated, this, &CStartDialog::open_selected);
    refill();
}

void CStartDialog::refill() {
    recent_->clear();
    for (const QString& folder : startup::recent_working_folders()) {
        const bool missing = !QFileInfo(folder).isDir();
        auto* item = new QListWidgetItem(startup::folder_display_text(folder) +
                                             (missing ? QStringLiteral("  (missing)") : QString()),
                                         recent_);
        item->setData(folder_role, folder);
        item->setData(missing_role, missing);
        if (missing) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    recent_->setCurrentRow(recent_->count() > 0 ? 0 : -1);
    selection_changed();
    (recent_->count() > 0 ? static_cast<QWidget*>(recent_) : open_other_)->setFocus();
}

void CStartDialog::selection_changed() {
    const QListWidgetItem* item = recent_->currentItem();
    open_->setEnabled(item && !item->data(missing_role).toBool());
    remove_->setEnabled(item != nullptr);
}

void CStartDialog::open_selected() {
    const QListWidgetItem* item = recent_->currentItem();
    if (!item || item->data(missing_role).toBool()) return;
    take(startup::checked_working_folder(this, item->data(folder_role).toString()));
}

void CStartDialog::remove_selected() {
    if (const QListWidgetItem* item = recent_->currentItem()) {
        startup::forget_working_folder(item->data(folder_role).toString());
        refill();
    }
}

void CStartDialog::take(const QString& folder) {
    if (folder.isEmpty()) return;
    chosen_ = folder;
    accept();
}
