#include "editor/tree_filter.h"

#include <QTreeWidget>

int filter_children(QTreeWidget* tree, QTreeWidgetItem* group_item, const QString& text) {
    // Rows are addressed by number under their parent's index: asking an item
    // whether it is hidden looks for it among its siblings, which over a group
    // of a thousand tags costs too much at every keystroke.
    const QModelIndex parent = tree->model()->index(tree->indexOfTopLevelItem(group_item), 0);
    int shown = 0;
    for (int row = 0; row < group_item->childCount(); ++row) {
        const bool match = text.isEmpty() || group_item->child(row)->text(0).contains(text, Qt::CaseInsensitive);
        if (tree->isRowHidden(row, parent) == match) tree->setRowHidden(row, parent, !match);
        if (match) ++shown;
    }
    return shown;
}
