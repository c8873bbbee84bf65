#include "editor/references/reference_views.h"

#include "editor/frame_commands.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/references/live_references.h"
#include "editor/references/reference_panels.h"
#include "editor/undo_history.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidget>

#include <set>
#include <utility>

namespace {

class ReferenceViews : public QObject {
public:
    explicit ReferenceViews(CQuilletFrameWnd& frame)
        : QObject(&frame), frame_(frame), references_(new ReferencesPanel(&frame)), problems_(new ProblemsPanel(&frame)) {
        frame.addDockWidget(Qt::RightDockWidgetArea, references_);
        frame.addDockWidget(Qt::BottomDockWidgetArea, problems_);
        references_->hide();
        problems_->hide();

        QMenu* view = frame.menuBar()->addMenu(QStringLiteral("&View"));
        QAction* references_item = references_->toggleViewAction();
        references_item->setText(QStringLiteral("&References"));
        view->addAction(references_item);
        QAction* problems_item = problems_->toggleViewAction();
        problems_item->setText(QStringLiteral("&Problems"));
        view->addAction(problems_item);
        QMenu* tools = frame.menuBar()->addMenu(QStringLiteral("&Tools"));
        QAction* check = tools->addAction(QStringLiteral("&Check Tags"));
        check->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
        connect(check, &QAction::triggered, this, &ReferenceViews::check_tags);

        connect(frame.tree(), &QTreeWidget::itemSelectionChanged, this, &ReferenceViews::show_chosen);
        connect(references_, &QDockWidget::visibilityChanged, this, [this](bool shown) {
            if (shown) show_chosen();
        });
        connect(&frame.history(), &UndoHistory::tags_changed, &frame.references(), &LiveReferences::tags_changed);
        connect(&frame.references(), &LiveReferences::changed, this, [this] {
            show_chosen();
            if (checked_) show_problems();
        });
        for (TagListDock* dock : {static_cast<TagListDock*>(references_), static_cast<TagListDock*>(problems_)}) {
            connect(dock, &TagListDock::open_tag, this, [this](uint32_t group, const QByteArray& name) {
                frame_.select_and_open(group, std::string_view(name.constData(), std::size_t(name.size())));
            });
        }
    }

private:
    void show_chosen() {
        if (!references_->isVisible()) return;
        const QTreeWidgetItem* item = frame_.selected_item();
        if (!item || CQuilletFrameWnd::is_group_item(item)) {
            references_->clear();
            return;
        }
        references_->show_tag(frame_.references(), CQuilletFrameWnd::item_group(item),
                              CQuilletFrameWnd::item_subgroup(item));
    }

    void check_tags() {
        checked_ = true;
        problems_->show();
        show_problems();
    }

    void show_problems() {
        const references::ReferenceIndex& index = frame_.references().index();
        const int count = problems_->show_problems(index);
        std::set<std::pair<uint32_t, uint32_t>> marked;
        for (const references::Problem& problem : index.problems())
            marked.emplace(index.tags()[problem.tag].group, index.tags()[problem.tag].subgroup);
        frame_.set_marked_tags(std::move(marked));
        frame_.statusBar()->showMessage(count == 1 ? QStringLiteral("1 problem") : QStringLiteral("%1 problems").arg(count));
    }

    CQuilletFrameWnd& frame_;
    ReferencesPanel* references_;
    ProblemsPanel* problems_;
    bool checked_ = false;
};

}  // namespace

void create_reference_views(CQuilletFrameWnd& frame) { new ReferenceViews(frame); }
