#pragma once

// The collection viewer: a window beside the tree listing every visible
// collection (`.256`) with its bitmaps and sequences, a damaged one with the
// reader's reason, and for the chosen collection its bitmaps, its sequences
// played and its colours, all drawn recoloured through a permutation of a
// collection reference when one is chosen. It changes nothing.

#include <QWidget>
#include <memory>

#include "core/tag_code.h"

class BitmapsPage;
class ColoursPage;
class CQuilletFrameWnd;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class SequencesPage;
class ViewedCollection;

class CollectionViewer : public QWidget {
    Q_OBJECT

public:
    enum Tab : int { bitmaps_tab, sequences_tab, colours_tab };

    explicit CollectionViewer(QWidget* parent);
    ~CollectionViewer() override;

    // Lists the visible collections again, keeping the chosen one when it is still there.
    void refill();
    // Chooses the collection, and its sequence on the Sequences page unless NONE.
    void choose(tag_code collection, int sequence = NONE);
    // Recolours through permutation `permutation` (from 0) of the `core` tag;
    // NONE: the colours as stored.
    void choose_recoloring(tag_code collection_reference, int permutation);
    // Asks for a file and writes the bitmap or frame shown as PNG.
    void save_picture();

    const ViewedCollection* collection() const { return collection_.get(); }
    QTreeWidget* collections() const { return collections_; }
    QLabel* problem_label() const { return problem_; }
    QTabWidget* pages() const { return pages_; }
    BitmapsPage* bitmaps_page() const { return bitmaps_; }
    SequencesPage* sequences_page() const { return sequences_; }
    ColoursPage* colours_page() const { return colours_; }
    QComboBox* reference_box() const { return references_; }
    QComboBox* permutation_box() const { return permutations_; }
    QSpinBox* zoom_box() const { return zoom_; }
    QPushButton* save_button() const { return save_; }

private:
    void show_chosen();
    void fill_references();
    void fill_permutations();
    void recolor();

    std::unique_ptr<ViewedCollection> collection_;
    bool stale_ = false;  // read again when shown next
    QTreeWidget* collections_ = nullptr;
    QLabel* problem_ = nullptr;
    QTabWidget* pages_ = nullptr;
    BitmapsPage* bitmaps_ = nullptr;
    SequencesPage* sequences_ = nullptr;
    ColoursPage* colours_ = nullptr;
    QComboBox* references_ = nullptr;
    QComboBox* permutations_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QPushButton* save_ = nullptr;
};

// The viewer of `owner` (made on first use, a window of its own that closes
// with the owner), shown and raised on the collection and sequence; NONE
// keeps the collection chosen before.
CollectionViewer* show_collection_viewer(QWidget* owner, tag_code collection = NONE, int sequence = NONE);

// View > Collections (Ctrl+L).
void create_collection_viewer_menu(CQuilletFrameWnd& frame);
