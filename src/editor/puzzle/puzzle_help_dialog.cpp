#include "editor/puzzle/puzzle_help_dialog.h"

#include "core/tag_code.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr const char* help_page = R"(
<h3>The little hidden puzzle</h3>
<p>Six kinds of things, six of each, stand in six columns: every column holds exactly one
thing of every row. Find out which stands where from the clues.</p>
<h4>The board</h4>
<p>Each cell shows the things that may still stand there. Drag a thing with the
<b>left</b> button onto a cell of its row to put it there; the other cells of the row
then lose it. Drag a thing with the <b>right</b> button and let it go on its own cell
to strike it out there.</p>
<h4>The clues</h4>
<p>On the right, the clues between columns, and beside them the clues within a column:</p>
<ul>
<li><i>A next to B</i>: their columns are neighbours.</li>
<li><i>A not next to B</i>: their columns are not neighbours (they may be the same).</li>
<li><i>A left of B</i>: A's column is somewhere left of B's.</li>
<li><i>B between A and C</i>: A and C are two columns apart and B stands in the column between them.</li>
<li><i>B not between A and C</i>: A and C are two columns apart, B is not in the column between.</li>
<li><i>A above B</i>: the same column, A's row above B's.</li>
<li><i>A not above B</i>: different columns.</li>
<li>A thing shown alone is named by no clue.</li>
</ul>
<p>Drag a clue onto another slot of its list to reorder the list. Let a clue go with
the right button on its own slot to put it on the other page; <b>Other Clues</b> shows
that page.</p>
<h4>Buttons</h4>
<p><b>Hint</b> makes a cell blink: a left click on the board carries the hint out, a
right click lets it be. Every hint costs 30 seconds. <b>Undo</b> takes back the last
change. <b>Game</b> plays, restarts or chooses a game by its number.</p>
<p>Solve the board without a wrong cell to see the things fly away; the next game
number is then ready to play.</p>
)";

}  // namespace

CPuzzleHelpDlg::CPuzzleHelpDlg(QWidget* parent) : CTagDialog(dialog_template, NONE, NONE, parent) {
    setWindowTitle(QStringLiteral("Little Hidden Puzzle Help"));
    auto* layout = new QVBoxLayout(this);
    auto* page = new QTextBrowser(this);
    page->setHtml(QString::fromLatin1(help_page));
    page->setMinimumSize(460, 360);
    register_control(page_control, page);
    layout->addWidget(page);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    register_control(control_id_ok, buttons->button(QDialogButtonBox::Ok));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

bool CPuzzleHelpDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("Little Hidden Puzzle Help"));
    return true;
}
