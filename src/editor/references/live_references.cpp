#include "editor/references/live_references.h"

#include "editor/character_translation.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_groups.h"

#include <QStringList>

#include <map>
#include <tuple>

namespace {

// The using tags named in the sentence; the rest are counted.
constexpr int users_named = 5;

}  // namespace

LiveReferences::LiveReferences(QObject* parent) : QObject(parent) {}

LiveReferences::~LiveReferences() = default;

const references::ReferenceIndex& LiveReferences::index() {
    if (!index_) index_ = std::make_unique<references::ReferenceIndex>(references::visible_tags());
    return *index_;
}

void LiveReferences::tags_changed(const std::vector<tag_history::TagKey>& keys) {
    if (!index_) return;
    for (const auto& [group, subgroup] : keys) {
        const tag_handle handle = tag_find(group, subgroup);
        if (handle == NONE) {
            index_->remove(group, subgroup);
            continue;
        }
        index_->update(references::visible_tag(handle));
    }
    emit changed();
}

QString LiveReferences::users_sentence(tag_code group, tag_code subgroup, const QString& shown_name) {
    const std::optional<std::size_t> tag = find(group, subgroup);
    if (!tag) return {};
    // Each using tag once, with its fields, by group and then name.
    std::map<std::tuple<QString, QString>, QStringList> users;
    for (const references::Reference* user : index().used_by(*tag)) {
        const references::TagEntry& from = index().tags()[user->from];
        const QString path = text_from_windows_1252(tag_group_get_folder_name(from.group)) + QLatin1Char('/') +
                             text_from_windows_1252(from.name);
        users[{path.toCaseFolded(), path}].append(QString::fromStdString(user->field));
    }
    if (users.empty()) return {};
    QStringList named;
    for (const auto& [key, fields] : users) {
        if (named.size() == users_named) break;
        named.append(QStringLiteral("%1 (%2)").arg(std::get<1>(key), fields.join(QStringLiteral(", "))));
    }
    if (users.size() > users_named) named.append(QStringLiteral("and %1 more").arg(users.size() - users_named));
    return QStringLiteral("'%1' is used by %2: %3.")
        .arg(shown_name, users.size() == 1 ? QStringLiteral("1 tag") : QStringLiteral("%1 tags").arg(users.size()),
             named.join(QStringLiteral(", ")));
}
