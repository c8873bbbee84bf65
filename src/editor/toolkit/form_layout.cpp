// Where rows go: columns, group boxes, lines, grids, tab pages, around a frame.

#include "editor/toolkit/form.h"

#include "editor/toolkit/form_parts.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTabWidget>

namespace toolkit {

void Form::column() {
    Box& box = *boxes_.back();
    if (!box.columns) return;
    box.column = new QFormLayout;
    box.columns->addLayout(box.column);
}

void Form::group(const QString& title, const std::function<void()>& body) {
    auto* group_box = new QGroupBox(title);
    place(QString(), {group_box});
    push_box(group_box);
    body();
    pop_box();
}

void Form::line(const QString& label, const std::function<void()>& body) {
    Box& outer = *boxes_.back();
    QGridLayout* grid = outer.grid;
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!grid) place(label, {holder});
    boxes_.push_back(std::make_unique<Box>(Box{holder, nullptr, nullptr, layout, nullptr, 0}));
    if (grid && !label.isEmpty()) place(label, {});
    body();
    pop_box();
    if (!grid) {
        layout->addStretch();
        return;
    }
    // The line was built whole (rows may put a check box before their controls);
    // now each of its widgets moves into a column of the grid's next row.
    const int row = outer.grid_rows++;
    for (int column = 0; QLayoutItem* item = layout->takeAt(0); ++column) {
        if (QWidget* widget = item->widget()) grid->addWidget(widget, row, column);
        delete item;
    }
    delete holder;
}

void Form::grid(const std::function<void()>& body) {
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    place(QString(), {holder});
    boxes_.push_back(std::make_unique<Box>(Box{holder, nullptr, nullptr, nullptr, grid, 0}));
    body();
    pop_box();
    grid->setColumnStretch(grid->columnCount(), 1);
}

void Form::pages(int tab_id, const std::function<void()>& body) {
    auto* tabs = new QTabWidget;
    // Every page's title stays in sight: the dialog widens to the whole tab bar.
    tabs->setUsesScrollButtons(false);
    dialog_.register_control(tab_id, tabs);
    place(QString(), {tabs});
    QTabWidget* outer = tabs_;
    tabs_ = tabs;
    body();
    tabs_ = outer;
}

void Form::page(const QString& title, const std::function<void()>& body) {
    if (!tabs_) qFatal("page \"%s\" outside of pages", qPrintable(title));
    auto* container = new QWidget;
    tabs_->addTab(container, title);
    push_box(container);
    body();
    boxes_.back()->column->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    pop_box();
}

void Form::around_frame(const std::function<void()>& above, const std::function<void()>& left,
                        const std::function<void()>& right, const std::function<void()>& below) {
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Box);
    frame->setMinimumSize(80, 48);
    grid->addWidget(frame, 1, 1);
    place(QString(), {holder});
    const auto cell = [this, grid](int row, int column, const std::function<void()>& body) {
        auto* container = new QWidget;
        auto* layout = new QHBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
        grid->addWidget(container, row, column, Qt::AlignCenter);
        boxes_.push_back(std::make_unique<Box>(Box{container, nullptr, nullptr, layout, nullptr, 0}));
        body();
        pop_box();
    };
    cell(0, 1, above);
    cell(1, 0, left);
    cell(1, 2, right);
    cell(2, 1, below);
}

}  // namespace toolkit
