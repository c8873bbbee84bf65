#pragma once

// The main window's Edit menu: Undo and Redo of the steps of its history, named
// after them, and the line that says a command could not be undone. The frame's
// commands run through run_in_history, which makes a step of what they change.

#include <functional>

class CQuilletFrameWnd;
class QMenu;
class UndoHistory;

void create_edit_menu(CQuilletFrameWnd& frame, QMenu& menu, UndoHistory& history);

// Runs the frame's command `id`: a command that changes tags as one step of
// the history, one that writes outside the tag folders noted as not undoable.
void run_in_history(UndoHistory& history, int id, const std::function<void()>& run);
