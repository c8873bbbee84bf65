#pragma once

// The two docks beside the tree. References: for the chosen tag, the tags it
// uses (field, group, name, or "missing <code>") and the tags that use it
// (group, name, field). Problems: what the last Check Tags found, kept up to
// date as tags change. Activating a row (double-click or Enter) asks for that
// tag's form.

#include <QByteArray>
#include <QDockWidget>

#include <cstdint>

#include "editor/references/live_references.h"

class QTreeWidget;
class QTreeWidgetItem;

class TagListDock : public QDockWidget {
    Q_OBJECT

public:
    using QDockWidget::QDockWidget;

signals:
    // name: the tag's name as stored.
    void open_tag(uint32_t group, const QByteArray& name);

protected:
    QTreeWidget* new_list(const QStringList& columns);
    // A row naming the tag; a row without one (a missing tag) opens nothing.
    static void set_target(QTreeWidgetItem& row, tag_code group, const std::string& name);
};

class ReferencesPanel final : public TagListDock {
    Q_OBJECT

public:
    explicit ReferencesPanel(QWidget* parent);

    // The tag's uses and users; nothing for a group or no choice.
    void show_tag(LiveReferences& references, tag_code group, tag_code subgroup);
    void clear();

    QTreeWidget* uses() const { return uses_; }
    QTreeWidget* users() const { return users_; }

private:
    QTreeWidget* uses_ = nullptr;
    QTreeWidget* users_ = nullptr;
};

class ProblemsPanel final : public TagListDock {
    Q_OBJECT

public:
    explicit ProblemsPanel(QWidget* parent);

    // Every problem of the index; their number.
    int show_problems(const references::ReferenceIndex& index);
    QTreeWidget* list() const { return list_; }

private:
    QTreeWidget* list_ = nullptr;
};
