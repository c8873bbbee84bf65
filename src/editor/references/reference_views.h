#pragma once

// The References and Problems docks of the main window, View > References and
// View > Problems to show and hide them, and Tools > Check Tags.

class CQuilletFrameWnd;

void create_reference_views(CQuilletFrameWnd& frame);
