#pragma once

// The frame's commands that change which tags exist or what their headers say:
// New Tag, New, Duplicate, Delete and Get Info. They register themselves with
// the frame's command table from tag_commands.cpp; these are what they run, on
// the tree's current selection.

class CQuilletFrameWnd;

// Chooses a group ("New Tag"), preselecting the selected item's, then creates a tag of it.
void new_tag_of_chosen_group(CQuilletFrameWnd& frame);
// Creates a tag of the selected item's group.
void new_tag_of_selected_group(CQuilletFrameWnd& frame);
void duplicate_selected_tag(CQuilletFrameWnd& frame);
// Deletes the selected tag once the user confirms.
void delete_selected_tag(CQuilletFrameWnd& frame);
// Shows the selected tag's header and applies a new name or destination.
void show_selected_tag_info(CQuilletFrameWnd& frame);
