#pragma once

// Narrowing a group's branch of the main tree to the tags whose names contain
// a text: rows are hidden, never removed, so the items, their data and the
// selection rules stay as they are.

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// Hides the children of the top-level `group_item` whose text does not contain
// `text` (ignoring case) and shows the others; an empty text shows them all.
// Returns how many are shown.
int filter_children(QTreeWidget* tree, QTreeWidgetItem* group_item, const QString& text);
