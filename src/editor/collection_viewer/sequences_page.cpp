#include "editor/collection_viewer/sequences_page.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/character_translation.h"
#include "editor/collection_viewer/picture_view.h"
#include "editor/collection_viewer/viewed_collection.h"

namespace {

constexpr int fastest_rate = 60;

}  // namespace

SequencesPage::SequencesPage(QWidget* parent)
    : QWidget(parent),
      list_(new QTreeWidget),
      view_(new QSpinBox),
      rate_(new QSpinBox),
      play_(new QPushButton(QStringLiteral("Play"))),
      step_(new QPushButton(QStringLiteral("Step"))),
      frame_label_(new QLabel),
      picture_(new PictureView),
      timer_(new QTimer(this)) {
    list_->setHeaderLabels({QStringLiteral("Sequence"), QStringLiteral("Frames"), QStringLiteral("Views")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    rate_->setRange(1, fastest_rate);
    rate_->setValue(default_rate);
    rate_->setSuffix(QStringLiteral(" frames/s"));
    auto* controls = new QFormLayout;
    controls->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    controls->addRow(QStringLiteral("View:"), view_);
    controls->addRow(QStringLiteral("Rate:"), rate_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(step_);
    buttons->addWidget(frame_label_, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(list_, 1);
    left->addLayout(controls);
    left->addLayout(buttons);
    auto* scroller = new QScrollArea;
    scroller->setWidget(picture_);
    scroller->setWidgetResizable(true);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addWidget(scroller, 2);

    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        const int row = list_->indexOfTopLevelItem(list_->currentItem());
        const int views =
            collection_ && row >= 0 ? collection_->contents().sequences[std::size_t(row)].head.views : 0;
        {
            const QSignalBlocker quiet(view_);
            view_->setRange(0, std::max(0, views - 1));
            view_->setValue(0);
        }
        lay_out();
    });
    connect(view_, &QSpinBox::valueChanged, this, [this] { lay_out(); });
    connect(rate_, &QSpinBox::valueChanged, this, [this](int rate) { timer_->setInterval(1000 / rate); });
    timer_->setInterval(1000 / default_rate);
    connect(timer_, &QTimer::timeout, this, &SequencesPage::step);
    connect(play_, &QPushButton::clicked, this, [this] { playing() ? pause() : play(); });
    connect(step_, &QPushButton::clicked, this, [this] {
        pause();
        step();
    });
}

void SequencesPage::show_collection(ViewedCollection* collection) {
    pause();
    collection_ = collection;
    list_->clear();
    if (collection_) {
        for (const sequence_contents& sequence : collection_->contents().sequences) {
            auto* row = new QTreeWidgetItem(
                list_, {text_from_windows_1252(sequence.name), QString::number(sequence.frames.size()),
                        QString::number(sequence.head.views)});
            row->setTextAlignment(1, Qt::AlignRight);
            row->setTextAlignment(2, Qt::AlignRight);
        }
    }
    choose_sequence(list_->topLevelItemCount() > 0 ? 0 : NONE);
}

void SequencesPage::choose_sequence(int index) {
    if (index >= 0 && index < list_->topLevelItemCount()) {
        list_->setCurrentItem(list_->topLevelItem(index));
    } else {
        list_->setCurrentItem(nullptr);
        lay_out();
    }
}

void SequencesPage::redraw() { draw_frame(); }

void SequencesPage::set_zoom(int zoom) { picture_->set_zoom(zoom); }

void SequencesPage::play() {
    if (layout_ && !layout_->frames.empty()) timer_->start();
    play_->setText(timer_->isActive() ? QStringLiteral("Pause") : QStringLiteral("Play"));
}

void SequencesPage::pause() {
    timer_->stop();
    play_->setText(QStringLiteral("Play"));
}

bool SequencesPage::playing() const { return timer_->isActive(); }

void SequencesPage::step() {
    if (!layout_ || layout_->frames.empty()) return;
    frame_ = (frame_ + 1) % layout_->frames.size();
    draw_frame();
}

void SequencesPage::lay_out() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    layout_.reset();
    frame_ = 0;
    if (collection_ && row >= 0) {
        layout_ = lay_out_view(collection_->contents(), collection_->contents().sequences[std::size_t(row)],
                               view_->value());
    }
    const bool frames = layout_ && !layout_->frames.empty();
    play_->setEnabled(frames);
    step_->setEnabled(frames);
    view_->setEnabled(row >= 0);
    if (!frames) pause();
    draw_frame();
}

void SequencesPage::draw_frame() {
    if (!collection_ || !layout_ || layout_->frames.empty()) {
        shown_ = {};
        frame_label_->setText(layout_ ? QStringLiteral("No frames") : QString());
    } else {
        shown_ = collection_->frame(*layout_, frame_);
        frame_label_->setText(QStringLiteral("Frame %1/%2").arg(frame_ + 1).arg(layout_->frames.size()));
    }
    picture_->set_image(image_of(shown_));
}
