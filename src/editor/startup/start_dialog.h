#pragma once

// Shown when the editor starts without a working folder: the folders opened
// lately (a missing one marked, and removable), a folder chooser and the making
// of a new working folder. Nothing is created until the user asks for it.

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

class CStartDialog : public QDialog {
    Q_OBJECT

public:
    explicit CStartDialog(QWidget* parent = nullptr);

    // The working folder to open once the dialog was accepted.
    const QString& chosen_folder() const { return chosen_; }

    QListWidget* recent_list() const { return recent_; }
    QPushButton* open_button() const { return open_; }
    QPushButton* remove_button() const { return remove_; }
    QPushButton* open_other_button() const { return open_other_; }
    QPushButton* new_button() const { return new_; }

private:
    void refill();
    void selection_changed();
    void open_selected();
    void remove_selected();
    void take(const QString& folder);

    QListWidget* recent_;
    QPushButton* open_;
    QPushButton* remove_;
    QPushButton* open_other_;
    QPushButton* new_;
    QString chosen_;
};
