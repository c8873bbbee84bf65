#include "editor/collection_viewer/collection_viewer.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cstring>

#include "definitions/collection_reference_definitions.h"
#include "editor/character_translation.h"
#include "editor/collection_viewer/bitmaps_page.h"
#include "editor/collection_viewer/colours_page.h"
#include "editor/collection_viewer/picture_view.h"
#include "editor/collection_viewer/sequences_page.h"
#include "editor/collection_viewer/viewed_collection.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/toolkit/tag_reads.h"
#include "editor/tree_images.h"
#include "editor/undo_history.h"
#include "media/damaged_media.h"
#include "media/png_writer.h"
#include "media/shapes.h"

namespace {

using definitions::collection_reference;

constexpr int code_role = Qt::UserRole;
constexpr int default_zoom = 4;
enum column : int { name_column, bitmaps_column, sequences_column, problem_column };

// The collection reference's record in host order.
std::optional<collection_reference> reference_record(tag_code subgroup) {
    const std::optional<std::vector<std::byte>> bytes =
        toolkit::read_record(toolkit::collection_reference_group, subgroup);
    if (!bytes || bytes->size() < sizeof(collection_reference)) return std::nullopt;
    collection_reference record{};
    std::memcpy(&record, bytes->data(), sizeof record);
    return record;
}

int permutation_count(const collection_reference& record) {
    return std::clamp<int>(record.permutation_count, 0,
                           definitions::collection_reference_maximum_permutations);
}

}  // namespace

CollectionViewer::CollectionViewer(QWidget* parent)
    : QWidget(parent, Qt::Window),
      collections_(new QTreeWidget),
      problem_(new QLabel),
      pages_(new QTabWidget),
      bitmaps_(new BitmapsPage),
      sequences_(new SequencesPage),
      colours_(new ColoursPage),
      references_(new QComboBox),
      permutations_(new QComboBox),
      zoom_(new QSpinBox),
      save_(new QPushButton(QStringLiteral("Save Picture..."))) {
    setWindowTitle(QStringLiteral("Collections"));
    collections_->setHeaderLabels({QStringLiteral("Collection"), QStringLiteral("Bitmaps"),
                                   QStringLiteral("Sequences"), QStringLiteral("Problem")});
    collections_->setRootIsDecorated(false);
    collections_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    problem_->setWordWrap(true);
    problem_->hide();
    pages_->addTab(bitmaps_, QStringLiteral("Bitmaps"));
    pages_->addTab(sequences_, QStringLiteral("Sequences"));
    pages_->addTab(colours_, QStringLiteral("Colours"));
    references_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    permutations_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    permutations_->setMinimumContentsLength(int(QStringLiteral("Permutation #5").size()));
    zoom_->setRange(1, PictureView::largest_zoom);
    zoom_->setSuffix(QStringLiteral("×"));

    auto* tools = new QHBoxLayout;
    tools->addWidget(new QLabel(QStringLiteral("Recolour:")));
    tools->addWidget(references_);
    tools->addWidget(permutations_);
    tools->addSpacing(12);
    tools->addWidget(new QLabel(QStringLiteral("Zoom:")));
    tools->addWidget(zoom_);
    tools->addStretch(1);
    tools->addWidget(save_);
    auto* right = new QWidget;
    auto* right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(0, 0, 0, 0);
    right_layout->addLayout(tools);
    right_layout->addWidget(problem_);
    right_layout->addWidget(pages_, 1);
    auto* splitter = new QSplitter;
    splitter->addWidget(collections_);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 700});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(1000, 620);

    connect(collections_, &QTreeWidget::currentItemChanged, this, &CollectionViewer::show_chosen);
    connect(references_, &QComboBox::currentIndexChanged, this, &CollectionViewer::fill_permutations);
    connect(permutations_, &QComboBox::currentIndexChanged, this, &CollectionViewer::recolor);
    connect(zoom_, &QSpinBox::valueChanged, this, [this](int zoom) {
        bitmaps_->set_zoom(zoom);
        sequences_->set_zoom(zoom);
    });
    // Sprites are small: at 4x a figure of 32 pixels fills the large view.
    zoom_->setValue(default_zoom);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int shown) {
        save_->setEnabled(collection_ && collection_->problem().isEmpty() && shown != colours_tab);
    });
    connect(save_, &QPushButton::clicked, this, &CollectionViewer::save_picture);
    refill();
}

CollectionViewer::~CollectionViewer() = default;

void CollectionViewer::refill() {
    const tag_code chosen = collection_ ? collection_->subgroup() : tag_code(NONE);
    const tag_code recolored_by =
        references_->count() > 0 ? tag_code(references_->currentData().toUInt()) : NONE;
    const int permutation = permutations_->currentIndex();
    // Read again when chosen: the tags may have changed since.
    stale_ = true;
    const QSignalBlocker quiet(collections_);
    collections_->clear();
    const std::array<QIcon, tree_image_count> images = create_tree_images();
    std::array<tag_handle, tag_group_list_limit> handles;
    const std::int32_t count = tag_list_of_group(collection_group_tag, handles.data());
    QList<QTreeWidgetItem*> rows;
    for (std::int32_t index = 0; index < count; ++index) {
        const tag_header* header = tag_visible_header(handles[std::size_t(index)]);
        if (!header) continue;
        auto* row = new QTreeWidgetItem({text_from_windows_1252(header->name)});
        row->setData(name_column, code_role, header->subgroup_tag);
        const bool packaged =
            header->file_type == tag_file_type_patch || header->file_type == tag_file_type_foundation;
        row->setIcon(name_column, images[packaged ? tree_image_packaged_tag : tree_image_local_tag]);
        // The counts come from the header alone; the bitmaps are decoded only when the collection is chosen.
        const std::optional<std::vector<std::byte>> data = read_collection_tag(handles[std::size_t(index)]);
        const std::optional<collection_view> view = data ? open_collection(*data) : std::nullopt;
        if (view) {
            row->setText(bitmaps_column, QString::number(view->header.bitmap_references.count));
            row->setText(sequences_column, QString::number(view->header.sequence_references.count));
            row->setTextAlignment(bitmaps_column, Qt::AlignRight);
            row->setTextAlignment(sequences_column, Qt::AlignRight);
        } else {
            const std::optional<std::string> problem =
                data ? references::media_data_problem(collection_group_tag, *data) : "the tag cannot be read";
            row->setText(problem_column, QString::fromStdString(problem.value_or(std::string())));
        }
        rows << row;
    }
    std::sort(rows.begin(), rows.end(), [](const QTreeWidgetItem* first, const QTreeWidgetItem* second) {
        return first->text(name_column).compare(second->text(name_column), Qt::CaseInsensitive) < 0;
    });
    collections_->addTopLevelItems(rows);
    choose(chosen);
    if (!collections_->currentItem() && collections_->topLevelItemCount() > 0) {
        collections_->setCurrentItem(collections_->topLevelItem(0));
    }
    show_chosen();
    choose_recoloring(recolored_by, permutation);
}

void CollectionViewer::choose(tag_code collection, int sequence) {
    if (collection != tag_code(NONE)) {
        for (int row = 0; row < collections_->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = collections_->topLevelItem(row);
            if (item->data(name_column, code_role).toUInt() == collection) {
                collections_->setCurrentItem(item);
                break;
            }
        }
    }
    if (sequence != NONE && collection_ && collection_->problem().isEmpty()) {
        sequences_->choose_sequence(sequence);
        pages_->setCurrentIndex(sequences_tab);
    }
}

void CollectionViewer::show_chosen() {
    const QTreeWidgetItem* item = collections_->currentItem();
    const tag_code subgroup = item ? tag_code(item->data(name_column, code_role).toUInt()) : tag_code(NONE);
    // The pages draw the collection they were given until they are given the next one.
    std::unique_ptr<ViewedCollection> replaced;
    if (stale_ || !collection_ || collection_->subgroup() != subgroup || !item) {
        replaced = std::move(collection_);
        collection_ = item ? std::make_unique<ViewedCollection>(subgroup) : nullptr;
        stale_ = false;
    }
    const bool shown = collection_ && collection_->problem().isEmpty();
    if (collection_ && !shown) {
        collections_->currentItem()->setText(problem_column, collection_->problem());
        problem_->setText(QStringLiteral("This collection cannot be shown: %1.").arg(collection_->problem()));
    }
    problem_->setVisible(collection_ && !shown);
    pages_->setVisible(shown);
    ViewedCollection* viewed = shown ? collection_.get() : nullptr;
    bitmaps_->show_collection(viewed);
    sequences_->show_collection(viewed);
    colours_->show_collection(viewed);
    fill_references();
    references_->setEnabled(shown);
    save_->setEnabled(shown && pages_->currentIndex() != colours_tab);
}

void CollectionViewer::fill_references() {
    {
        const QSignalBlocker quiet(references_);
        references_->clear();
        references_->addItem(QStringLiteral("Colours as stored"), QVariant::fromValue(quint32(NONE)));
        if (collection_ && collection_->problem().isEmpty()) {
            std::array<tag_handle, tag_group_list_limit> handles;
            const std::int32_t count = tag_list_of_group(toolkit::collection_reference_group, handles.data());
            QList<QPair<QString, tag_code>> naming;
            for (std::int32_t index = 0; index < count; ++index) {
                const tag_header* header = tag_visible_header(handles[std::size_t(index)]);
                if (!header ||
                    toolkit::collection_of_reference(header->subgroup_tag) != collection_->subgroup()) {
                    continue;
                }
                naming.append({text_from_windows_1252(header->name), header->subgroup_tag});
            }
            std::sort(naming.begin(), naming.end(), [](const auto& first, const auto& second) {
                return first.first.compare(second.first, Qt::CaseInsensitive) < 0;
            });
            for (const auto& [name, subgroup] : naming)
                references_->addItem(name, QVariant::fromValue(quint32(subgroup)));
        }
    }
    fill_permutations();
}

void CollectionViewer::fill_permutations() {
    {
        const QSignalBlocker quiet(permutations_);
        permutations_->clear();
        const tag_code chosen = tag_code(references_->currentData().toUInt());
        if (const std::optional<collection_reference> record =
                chosen == tag_code(NONE) ? std::nullopt : reference_record(chosen)) {
            for (int index = 0; index < permutation_count(*record); ++index) {
                permutations_->addItem(QStringLiteral("Permutation #%1").arg(index + 1));
            }
        }
        permutations_->setEnabled(permutations_->count() > 0);
    }
    recolor();
}

void CollectionViewer::choose_recoloring(tag_code collection_reference, int permutation) {
    const int found = references_->findData(QVariant::fromValue(quint32(collection_reference)));
    references_->setCurrentIndex(std::max(found, 0));
    if (permutation >= 0 && permutation < permutations_->count()) permutations_->setCurrentIndex(permutation);
}

void CollectionViewer::recolor() {
    if (!collection_ || !collection_->problem().isEmpty()) return;
    const tag_code chosen = tag_code(references_->currentData().toUInt());
    const int permutation = permutations_->currentIndex();
    const std::optional<collection_reference> record =
        chosen == tag_code(NONE) ? std::nullopt : reference_record(chosen);
    if (record && permutation >= 0 && permutation < permutation_count(*record)) {
        std::array<rgb_color, definitions::color_permutation_colors> colors{};
        std::memcpy(colors.data(), record->permutations[permutation].colors, sizeof colors);
        picture_tint tint;
        std::memcpy(&tint.color, &record->tint_color, sizeof tint.color);
        tint.amount = std::clamp<int>(record->tint_fraction, 0, full_tint_amount);
        collection_->recolor(std::span<const rgb_color>(colors), tint);
    } else {
        collection_->recolor(std::nullopt, {});
    }
    bitmaps_->redraw();
    sequences_->redraw();
    colours_->redraw();
}

void CollectionViewer::save_picture() {
    const rgba_picture& shown =
        pages_->currentIndex() == sequences_tab ? sequences_->shown() : bitmaps_->shown();
    const std::optional<std::vector<std::byte>> bytes = write_png(shown);
    if (!bytes) {
        platform::message_box(this, QStringLiteral("There is no picture to save."),
                              platform::application_name(), platform::Buttons::ok,
                              platform::Icon::exclamation);
        return;
    }
    const QString path = platform::save_file(this, QStringLiteral("Save Picture"),
                                             QStringLiteral("PNG images (*.png)"), QStringLiteral("png"));
    if (path.isEmpty()) return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes->data()), qint64(bytes->size())) !=
            qint64(bytes->size()) ||
        !file.commit()) {
        platform::message_box(this, QStringLiteral("The picture could not be written to '%1'.").arg(path),
                              platform::application_name(), platform::Buttons::ok,
                              platform::Icon::exclamation);
    }
}

CollectionViewer* show_collection_viewer(QWidget* owner, tag_code collection, int sequence) {
    auto* viewer = owner->findChild<CollectionViewer*>(QString(), Qt::FindDirectChildrenOnly);
    if (viewer) {
        viewer->refill();
    } else {
        viewer = new CollectionViewer(owner);
    }
    viewer->choose(collection, sequence);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

void create_collection_viewer_menu(CQuilletFrameWnd& frame) {
    QMenu* view = nullptr;
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->menu() && top->text() == QStringLiteral("&View")) view = top->menu();
    }
    if (!view) view = frame.menuBar()->addMenu(QStringLiteral("&View"));
    view->addSeparator();
    QAction* item = view->addAction(QStringLiteral("&Collections"));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QObject::connect(item, &QAction::triggered, &frame, [&frame] { show_collection_viewer(&frame); });
    // A collection or collection reference changed by the editor (or its undo) shows as it is now.
    QObject::connect(
        &frame.history(), &UndoHistory::tags_changed, &frame,
        [&frame](const std::vector<tag_history::TagKey>& keys) {
            auto* viewer = frame.findChild<CollectionViewer*>(QString(), Qt::FindDirectChildrenOnly);
            if (!viewer || !viewer->isVisible()) return;
            const bool shown = std::any_of(keys.begin(), keys.end(), [](const tag_history::TagKey& key) {
                return key.first == collection_group_tag || key.first == toolkit::collection_reference_group;
            });
            if (shown) viewer->refill();
        });
}
