#include "editor/commands/create_plugin_dialog.h"

#include "core/file_layer.h"
#include "editor/character_translation.h"
#include "editor/commands/bitmap_import_commands.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/references/live_references.h"
#include "media/bmp_import.h"
#include "media/collection_format.h"
#include "media/package_closure.h"
#include "tag_files/mesh_entry_point.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>

#include <cctype>
#include <cstring>

namespace {

constexpr int handle_role = Qt::UserRole;
constexpr int text_limit = 255;
constexpr int16_t no_option = -1;  // 0xFFFF

tag_handle entry_handle(const QListWidgetItem* entry) { return entry->data(handle_role).toInt(); }

std::string upper_group_text(tag_code group) {
    std::string text = tag_code_to_text(group);
    for (char& character : text) character = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    return text;
}

bool is_listed_group(tag_code group) {
    const std::string text = upper_group_text(group);
    return text != "SAVE" && text != "PREF" && text != "RECO";
}

QLineEdit* text_box(QWidget* owner, const QString& text) {
    auto* box = new QLineEdit(text, owner);
    box->setMaxLength(text_limit);
    return box;
}

bool plugin_file_exists(const std::string& file_name) {
    file_reference file;
    file_reference_initialize(file, working_folder_root);
    file_reference_append_folder(file, plugins_folder_name);
    file_reference_set_name(file, file_name);
    return file_exists(file);
}

}  // namespace

int16_t plugin_flags_for(bool has_mesh_tags, bool reverse_order, bool compatible, bool reliant, bool meshes_last) {
    if (!has_mesh_tags) return reverse_order ? 1 : no_option;
    int16_t flags = no_option;
    if (compatible) flags = 2;
    if (reliant) flags = flags == no_option ? 4 : static_cast<int16_t>(flags | 4);
    if (meshes_last) flags = flags == no_option ? 8 : static_cast<int16_t>(flags | 8);
    return flags;
}

CCreatePluginDlg::CCreatePluginDlg(CQuilletFrameWnd& frame)
    : CTagDialog(dialog_template, NONE, NONE, &frame), frame_(frame) {
    setWindowTitle(QStringLiteral("Create a plugin"));
    auto* layout = new QVBoxLayout(this);

    auto* fields = new QFormLayout;
    auto* name = text_box(this, QStringLiteral("Plugin"));
    auto* url = text_box(this, QString());
    register_control(name_control, name);
    register_control(url_control, url);
    fields->addRow(QStringLiteral("Plugin name:"), name);
    fields->addRow(QStringLiteral("Plugin URL:"), url);
    auto* icon_row = new QHBoxLayout;
    auto* icon_text = new QLabel(this);
    auto* change = new QPushButton(QStringLiteral("Change..."), this);
    auto* remove = new QPushButton(QStringLiteral("Remove"), this);
    register_control(icon_text_control, icon_text);
    register_control(change_icon_control, change);
    register_control(remove_icon_control, remove);
    icon_row->addWidget(icon_text, 1);
    icon_row->addWidget(change);
    icon_row->addWidget(remove);
    fields->addRow(QStringLiteral("Plugin icon:"), icon_row);
    layout->addLayout(fields);

    layout->addWidget(new QLabel(QStringLiteral("Tags to include:"), this));
    auto* list = new QListWidget(this);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setMinimumSize(360, 240);
    register_control(tag_list_control, list);
    layout->addWidget(list, 1);
    auto* check_row = new QHBoxLayout;
    const struct {
        int id;
        const char* text;
    } check_buttons[] = {{all_control, "All"}, {none_control, "None"}, {invert_control, "Invert"}};
    for (const auto& button : check_buttons) {
        auto* push = new QPushButton(QString::fromLatin1(button.text), this);
        register_control(button.id, push);
        check_row->addWidget(push);
    }
    check_row->addStretch(1);
    layout->addLayout(check_row);
    auto* used_tags = new QCheckBox(QStringLiteral("Add the tags they use"), this);
    register_control(used_tags_control, used_tags);
    layout->addWidget(used_tags);
    auto* dependencies = new QLabel(this);
    dependencies->setWordWrap(true);
    dependencies->hide();
    register_control(dependencies_control, dependencies);
    layout->addWidget(dependencies);

    const struct {
        int id;
        const char* text;
    } options[] = {
        {reverse_order_control, "Loads in reverse order (mesh plugins then tagsets)"},
        {compatible_control, "Compatible with vArdun"},
        {reliant_control, "Reliant on plugin named in URL field above"},
        {meshes_last_control, "Force meshes in this plugin to load last"},
    };
    for (const auto& option : options) {
        auto* box = new QCheckBox(QString::fromLatin1(option.text), this);
        register_control(option.id, box);
        layout->addWidget(box);
    }
    layout->addWidget(create_ok_cancel_buttons());

    connect(change, &QPushButton::clicked, this, [this] { change_icon(); });
    connect(remove, &QPushButton::clicked, this, [this] { remove_icon(); });
    connect(control_as<QPushButton>(all_control), &QPushButton::clicked, this,
            [this] { set_every_check(Qt::Checked); });
    connect(control_as<QPushButton>(none_control), &QPushButton::clicked, this,
            [this] { set_every_check(Qt::Unchecked); });
    connect(control_as<QPushButton>(invert_control), &QPushButton::clicked, this, [this] { invert_checks(); });
    connect(used_tags, &QCheckBox::toggled, this, [this] { add_used_tags(); });
    connect(list, &QListWidget::itemChanged, this, [this] { add_used_tags(); });
}

void CCreatePluginDlg::add_used_tags() {
    auto* dependencies = control_as<QLabel>(dependencies_control);
    if (!control_as<QCheckBox>(used_tags_control)->isChecked()) {
        dependencies->hide();
        return;
    }
    std::vector<tag_handle> chosen;
    for (int row = 0; row < tag_list()->count(); ++row) {
        if (tag_list()->item(row)->checkState() == Qt::Checked) chosen.push_back(entry_handle(tag_list()->item(row)));
    }
    const references::PackageClosure closure = references::package_closure(frame_.references().index(), chosen);
    {
        const QSignalBlocker quiet(tag_list());
        for (const references::NeededTag& needed : closure.added) {
            for (int row = 0; row < tag_list()->count(); ++row) {
                if (entry_handle(tag_list()->item(row)) == needed.handle) tag_list()->item(row)->setCheckState(Qt::Checked);
            }
        }
    }
    tag_list()->viewport()->update();
    QStringList needed;
    for (const references::NeededTag& tag : closure.dependencies) {
        needed.append(text_from_windows_1252(tag_group_get_folder_name(tag_get_group(tag.handle))) + QLatin1Char('/') +
                      text_from_windows_1252(tag_get_name(tag.handle)));
    }
    needed.removeDuplicates();
    dependencies->setText(QStringLiteral("Depends on %1 (tags of other plug-ins).").arg(needed.join(QStringLiteral(", "))));
    dependencies->setVisible(!needed.isEmpty());
}

QListWidget* CCreatePluginDlg::tag_list() const { return control_as<QListWidget>(tag_list_control); }

bool CCreatePluginDlg::OnInitDialog() {
    show_icon();
    std::vector<tag_handle> handles(tag_header_capacity);
    tag_info query;
    tag_query_initialize(&query);
    query.file_type = tag_file_type_local;
    const int32_t count = tag_query(&query, handles.data(), static_cast<int32_t>(handles.size()));
    for (int32_t index = 0; index < count; ++index) {
        const tag_code group = tag_get_group(handles[index]);
        if (!is_listed_group(group)) continue;
        auto* entry = new QListWidgetItem(QString::fromLatin1(upper_group_text(group)) + QLatin1Char('.') +
                                          text_from_windows_1252(tag_get_name(handles[index])));
        entry->setData(handle_role, handles[index]);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        tag_list()->addItem(entry);
    }
    return true;
}

void CCreatePluginDlg::show_icon() {
    const tag_handle icon = tag_find(collection_group_tag, plugin_icon_subgroup);
    control_as<QLabel>(icon_text_control)
        ->setText(icon == NONE ? QStringLiteral("<none>") : text_from_windows_1252(tag_get_name(icon)));
    control(remove_icon_control)->setEnabled(icon != NONE);
}

void CCreatePluginDlg::change_icon() {
    import_bitmap_command(frame_, bitmap_import_kind::plugin_icon);
    show_icon();
}

void CCreatePluginDlg::remove_icon() {
    const tag_handle icon = tag_find(collection_group_tag, plugin_icon_subgroup);
    if (icon != NONE) tag_file_delete(icon);
    show_icon();
}

void CCreatePluginDlg::set_every_check(Qt::CheckState state) {
    for (int row = 0; row < tag_list()->count(); ++row) tag_list()->item(row)->setCheckState(state);
}

void CCreatePluginDlg::invert_checks() {
    for (int row = 0; row < tag_list()->count(); ++row) {
        QListWidgetItem* entry = tag_list()->item(row);
        entry->setCheckState(entry->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

// The file the writer will replace is the one asked about: the name is cut and
// made valid first, and a plugin built earlier in this run is a file too.
bool CCreatePluginDlg::overwrite_confirmed(const std::string& name) {
    const std::string file_name = plugin_file_name(name);
    bool exists = !file_name.empty() && plugin_file_exists(file_name);
    const int32_t known = get_plugin_list(nullptr);
    std::vector<plugin_info> infos(static_cast<size_t>(known));
    get_plugin_list(infos.data());
    for (const plugin_info& info : infos) exists = exists || name == info.name;
    if (!exists) return true;
    const QString shown = text_from_windows_1252(file_name.empty() ? name : file_name);
    return platform::message_box(this, QStringLiteral("A plugin named %1 already exists. Do you want to overwrite it?").arg(shown),
                                 QStringLiteral("Warning"), platform::Buttons::yes_no,
                                 platform::Icon::exclamation) == platform::Answer::yes;
}

void CCreatePluginDlg::accept() {
    const std::string name = text_to_windows_1252(control_as<QLineEdit>(name_control)->text());
    if (!overwrite_confirmed(name)) return;

    const tag_handle icon = tag_find(collection_group_tag, plugin_icon_subgroup);
    std::vector<tag_handle> chosen;
    bool icon_chosen = false;
    bool has_mesh_tags = false;
    for (int row = 0; row < tag_list()->count(); ++row) {
        const QListWidgetItem* entry = tag_list()->item(row);
        if (entry->checkState() != Qt::Checked) continue;
        const tag_handle handle = entry_handle(entry);
        chosen.push_back(handle);
        icon_chosen = icon_chosen || (icon != NONE && handle == icon);
        has_mesh_tags = has_mesh_tags || tag_get_group(handle) == mesh_group_tag;
    }
    if (chosen.empty()) {
        platform::message_box(this, QStringLiteral("No tags selected for plugin!"), QStringLiteral("Error"),
                              platform::Buttons::ok, platform::Icon::stop);
        return;
    }
    const auto checked = [this](int id) { return control_as<QCheckBox>(id)->isChecked(); };
    flags_ = plugin_flags_for(has_mesh_tags, checked(reverse_order_control), checked(compatible_control),
                              checked(reliant_control), checked(meshes_last_control));
    if (icon != NONE && !icon_chosen) chosen.push_back(icon);
    chosen.push_back(0);
    chosen_ = std::move(chosen);
    name_ = name;
    url_ = text_to_windows_1252(control_as<QLineEdit>(url_control)->text());
    QDialog::accept();
}
