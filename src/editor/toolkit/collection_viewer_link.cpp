#include "editor/toolkit/collection_viewer_link.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QToolButton>

#include "editor/collection_viewer/collection_viewer.h"
#include "editor/toolkit/reference_pickers.h"

namespace toolkit {

QToolButton* new_show_button(QComboBox* picker, std::function<tag_code()> collection) {
    auto* button = new QToolButton;
    button->setText(QStringLiteral("Show"));
    button->setToolTip(QStringLiteral("Show the sequence in the collection viewer"));
    QObject::connect(button, &QToolButton::clicked, picker, [picker, collection = std::move(collection)] {
        const tag_code shown = collection();
        if (shown != tag_code(NONE))
            show_collection_viewer(picker->window(), shown, selected_reference(picker));
    });
    // Item 0 is "No Sequence": a picker holding only it has nothing to show.
    const auto follow = [picker, button] { button->setEnabled(picker->count() > 1); };
    QObject::connect(picker->model(), &QAbstractItemModel::rowsInserted, button, follow);
    QObject::connect(picker->model(), &QAbstractItemModel::rowsRemoved, button, follow);
    QObject::connect(picker->model(), &QAbstractItemModel::modelReset, button, follow);
    follow();
    return button;
}

}  // namespace toolkit
