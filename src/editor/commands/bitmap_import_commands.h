#pragma once

// The frame's "Import Bitmap" popup: "Overhead Map..." and "Netmap Preview...".
// They register themselves with the frame's command table from
// bitmap_import_commands.cpp; the plugin dialog runs the same command for its
// icon.

#include "media/bmp_import.h"

class CQuilletFrameWnd;

// Asks for a BMP file and writes it as a collection of the kind. Failures are
// reported in an error box; afterwards pickers and the tree (where it shows
// collections) list the new tag.
void import_bitmap_command(CQuilletFrameWnd& frame, bitmap_import_kind kind);
