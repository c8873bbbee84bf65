#pragma once

#include "editor/tag_dialog.h"
#include "tag_files/tag_directory.h"
#include "media/font_import.h"

#include <string>
#include <vector>

class QListWidget;
class QLineEdit;

// "Import Font" (dialog 199): the family, the size and the options of a font
// import, with a sample of the choice. Its result is the options.
class CImportFontDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 199;
    static constexpr int family_list_control = 1266;
    static constexpr int size_slider_control = 1274;
    static constexpr int size_text_control = 1275;
    static constexpr int bold_control = 1276;
    static constexpr int italic_control = 1277;
    static constexpr int underline_control = 1278;
    static constexpr int strikeout_control = 1279;
    static constexpr int sample_control = 1280;
    static constexpr int antialiased_control = 1281;
    static constexpr int all_caps_control = 1282;

    static constexpr const char* sample_text = "Pack my box with five dozen liquor jugs";

    // `families` as the system lists them; the one `initial_family` names is selected.
    CImportFontDlg(const std::vector<std::string>& families, const std::string& initial_family, QWidget* parent);

    // The choice, once OK has read it back.
    const font_import_options& options() const { return options_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    // The sample in the chosen font, as the import will draw it (but smooth).
    void update_sample();

    std::string initial_family_;
    font_import_options options_;
};
