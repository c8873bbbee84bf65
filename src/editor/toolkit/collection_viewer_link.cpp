#include "editor/toolkit/collection_viewer_link.h"

#include <QComboBox>
#include <QEvent>
#include <QWidget>

#include "editor/collection_viewer/collection_viewer.h"
#include "editor/toolkit/reference_pickers.h"

namespace toolkit {

namespace {

class DoubleClickToShow : public QObject {
public:
    DoubleClickToShow(QWidget* label, QComboBox* picker, std::function<tag_code()> collection)
        : QObject(label), picker_(picker), collection_(std::move(collection)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick) return QObject::eventFilter(watched, event);
        const tag_code collection = collection_();
        if (collection != tag_code(NONE)) {
            show_collection_viewer(picker_->window(), collection, selected_reference(picker_));
        }
        return true;
    }

private:
    QComboBox* picker_;
    std::function<tag_code()> collection_;
};

}  // namespace

void link_to_collection_viewer(QWidget* label, QComboBox* picker, std::function<tag_code()> collection) {
    label->installEventFilter(new DoubleClickToShow(label, picker, std::move(collection)));
    label->setToolTip(QStringLiteral("Double-click to show the sequence in the collection viewer"));
}

}  // namespace toolkit
