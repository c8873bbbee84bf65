#include "editor/undo_history.h"

#include <QSignalBlocker>
#include <QUndoCommand>

#include <algorithm>

#include "editor/character_translation.h"
#include "tag_files/tag_groups.h"

namespace {

// An entry of the stack: its step's tags and text. Undo and redo of the entry
// itself do nothing, since the history has already put the tags back.
class StepEntry final : public QUndoCommand {
public:
    StepEntry(std::shared_ptr<const tag_history::Step> step, const QString& text)
        : step_(std::move(step)) {
        setText(text);
    }
    void undo() override {}
    void redo() override {}
    const std::shared_ptr<const tag_history::Step>& step() const { return step_; }

private:
    std::shared_ptr<const tag_history::Step> step_;
};

const StepEntry& entry(const QUndoStack& stack, int index) {
    return static_cast<const StepEntry&>(*stack.command(index));
}

QString tag_path_text(const tag_history::TagChange& change) {
    const tag_history::TagState& shown =
        change.after.kind == tag_history::TagState::Kind::absent ? change.before : change.after;
    return text_from_windows_1252(tag_group_get_folder_name(change.key.first)) + QLatin1Char('/') +
           text_from_windows_1252(shown.name);
}

std::vector<tag_history::TagKey> keys_of(const tag_history::Step& step) {
    std::vector<tag_history::TagKey> keys;
    for (const tag_history::TagChange& change : step.changes) keys.push_back(change.key);
    return keys;
}

}  // namespace

UndoHistory::UndoHistory(QObject* parent, std::size_t budget) : QObject(parent), budget_(budget) {
    connect(&stack_, &QUndoStack::indexChanged, this, &UndoHistory::changed);
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::record(const QString& verb, const std::function<void()>& change) {
    auto recorder = std::make_unique<tag_history::Recorder>();
    change();
    const bool complete = recorder->complete();
    auto step = std::make_shared<tag_history::Step>(recorder->finish());
    recorder.reset();
    if (step->changes.empty()) return;
    emit tags_changed(keys_of(*step));
    if (!complete) {
        // A tag that could not be read before the change cannot be put back:
        // the steps before this one would put back a folder that is no more.
        stack_.clear();
        emit remark(QStringLiteral("%1 cannot be undone: a tag it changed could not be read first.").arg(verb));
        return;
    }
    not_undoable_.clear();
    const QString text = verb + QLatin1Char(' ') + tag_path_text(step->changes.front());
    push(std::move(step), text);
}

void UndoHistory::push(std::shared_ptr<const tag_history::Step> step, const QString& text) {
    stack_.push(new StepEntry(std::move(step), text));
    keep_within_budget();
    emit changed();
}

std::size_t UndoHistory::bytes() const {
    std::size_t total = 0;
    for (int index = 0; index < stack_.count(); ++index) total += entry(stack_, index).step()->bytes();
    return total;
}

void UndoHistory::keep_within_budget() {
    std::size_t total = bytes();
    if (total <= budget_) return;
    // The stack cannot drop its oldest entries, so it is filled again with the
    // newer ones, its place among them kept.
    std::vector<std::pair<std::shared_ptr<const tag_history::Step>, QString>> kept;
    int first = 0;
    for (; first < stack_.count() && total > budget_; ++first) total -= entry(stack_, first).step()->bytes();
    for (int index = first; index < stack_.count(); ++index)
        kept.emplace_back(entry(stack_, index).step(), stack_.command(index)->text());
    const int place = std::max(stack_.index() - first, 0);
    {
        const QSignalBlocker quiet(&stack_);
        stack_.clear();
        for (auto& [step, text] : kept) stack_.push(new StepEntry(std::move(step), text));
        stack_.setIndex(place);
    }
    if (!told_of_dropping_) {
        told_of_dropping_ = true;
        emit remark(QStringLiteral("The oldest undo steps were dropped to keep the history within %1 MB.")
                        .arg(budget_ >> 20));
    }
}

void UndoHistory::note_not_undoable(const QString& command) {
    not_undoable_ = QStringLiteral("Can't Undo %1").arg(command);
    emit changed();
}

bool UndoHistory::undo() { return apply(false); }

bool UndoHistory::redo() { return apply(true); }

bool UndoHistory::apply(bool forward) {
    if (forward ? !stack_.canRedo() : !stack_.canUndo()) return false;
    const StepEntry& step = entry(stack_, forward ? stack_.index() : stack_.index() - 1);
    std::string reason;
    if (!(forward ? step.step()->redo(reason) : step.step()->undo(reason))) {
        emit failed(QStringLiteral("Couldn't %1 %2: %3.")
                        .arg(forward ? QStringLiteral("redo") : QStringLiteral("undo"), step.text(),
                             QString::fromStdString(reason)));
        return false;
    }
    const std::vector<tag_history::TagKey> keys = keys_of(*step.step());
    not_undoable_.clear();
    if (forward) {
        stack_.redo();
    } else {
        stack_.undo();
    }
    emit tags_restored(keys);
    emit tags_changed(keys);
    emit changed();
    return true;
}
