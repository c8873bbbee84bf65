#pragma once

// The New command for `font`: a font of the system chosen in "Import Font",
// named in "New Font", drawn into the new tag with the progress shown, then
// opened in the font form. Registered as the font import step of tag creation.

class CQuilletFrameWnd;

void import_font(CQuilletFrameWnd& frame);
