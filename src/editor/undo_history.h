#pragma once

// Undo and Redo of the editor's changes to tags. A command that may write tags
// runs inside a recording; what it changed becomes one step on Qt's undo stack,
// named after the command and its tag. The stack's entries only name the steps:
// Undo and Redo here put the tags back first and move the stack only when that
// worked, so a failed one leaves the history where it was. The steps keep the
// tags' bytes, up to a budget; beyond it the oldest steps go.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "tag_files/tag_history.h"

class QAction;

class UndoHistory : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t default_budget = std::size_t{256} << 20;

    explicit UndoHistory(QObject* parent = nullptr, std::size_t budget = default_budget);
    ~UndoHistory() override;

    // Runs the change while recording; a change of tags becomes the step
    // `verb` and the first tag it changed ("Save monsters/Dwarf").
    void record(const QString& verb, const std::function<void()>& change);
    // A command whose effects cannot be taken back ran: the Edit menu says so
    // until the next step, undo or redo. The history stays.
    void note_not_undoable(const QString& command);

    bool undo();
    bool redo();

    const QUndoStack& stack() const { return stack_; }
    std::size_t bytes() const;
    // "Can't Undo <command>" after a command that cannot be taken back, else empty.
    QString not_undoable_text() const { return not_undoable_; }

signals:
    // The tags an undo or redo changed, for the views to show them again.
    void tags_restored(const std::vector<tag_history::TagKey>& keys);
    // The tags any step, undo or redo changed.
    void tags_changed(const std::vector<tag_history::TagKey>& keys);
    void changed();
    // A line for the status bar.
    void remark(const QString& text);
    // Why an undo or redo could not be done.
    void failed(const QString& text);

private:
    void push(std::shared_ptr<const tag_history::Step> step, const QString& text);
    void keep_within_budget();
    bool apply(bool forward);

    QUndoStack stack_;
    std::size_t budget_;
    QString not_undoable_;
    bool told_of_dropping_ = false;
};
