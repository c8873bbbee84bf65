#pragma once

#include "core/tag_code.h"
#include "editor/tag_dialog.h"
#include "tag_files/tag_directory.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

// "New Tag" (dialog 140): the name of a new tag, beside the names its group
// already uses. OK creates the tag, after asking before an existing tag of that
// name is replaced.
class CNewTagNameDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 140;
    static constexpr int existing_names_control = 1014;
    static constexpr int name_control = 1015;

    // `name` is the text the edit box starts with (Windows-1252); `version` is
    // stamped into the new tag's header.
    CNewTagNameDlg(const QString& caption, tag_code group, const std::string& name, int16_t version,
                   QWidget* parent);

    // The name as entered, once OK has read it back.
    const std::string& name() const { return name_; }
    // The created tag, or NONE when the directory created nothing.
    tag_handle result() const { return result_; }

public slots:
    void accept() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    class LengthLimit;

    QLineEdit* name_edit() const;
    bool name_in_use(const std::string& name) const;

    QString caption_;
    int16_t version_;
    std::string name_;
    std::vector<std::string> existing_names_;
    tag_handle result_ = NONE;
    LengthLimit* name_limit_ = nullptr;
};
