#pragma once

// The reference index of the working folder as the editor changes it: built
// from the visible tags when first asked for, then brought up to date for each
// tag a step of the history (or its undo or redo) touched.

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "media/reference_index.h"
#include "tag_files/tag_history.h"

class LiveReferences : public QObject {
    Q_OBJECT

public:
    explicit LiveReferences(QObject* parent = nullptr);
    ~LiveReferences() override;

    const references::ReferenceIndex& index();
    std::optional<std::size_t> find(tag_code group, tag_code subgroup) { return index().find(group, subgroup); }
    bool built() const { return index_ != nullptr; }

    // "'Arrow' is used by 3 tags: monsters/Dwarf (ammunition_projectile), …",
    // or empty when no visible tag uses it.
    QString users_sentence(tag_code group, tag_code subgroup, const QString& shown_name);

    // The tags are read again (or forgotten when they are no more).
    void tags_changed(const std::vector<tag_history::TagKey>& keys);

signals:
    void changed();

private:
    std::unique_ptr<references::ReferenceIndex> index_;
};
