#pragma once

// What a control showed right after the record was loaded into it. A control the
// user did not change writes nothing back on save, so every stored value survives an
// open and OK bit for bit however coarse its display is, and a value that is not in
// a list (a reference, an enumeration, a sequence) is not replaced by the list's
// first entry.

class QWidget;

namespace toolkit {

// Remembers the control's present state as its loaded state. For combo boxes it also
// starts watching for the user picking an entry, which counts as a change even when
// the entry picked is the one loaded (choosing "No Tag" over an unlisted reference).
void remember_loaded_state(QWidget* control);

// True when the control shows something else than it was loaded with, or the user
// picked an entry of it; also true for a control never loaded.
bool changed_since_load(const QWidget* control);

}  // namespace toolkit
