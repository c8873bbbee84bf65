#pragma once

#include <QRect>

class QPainter;

// The pictures of the hidden game's items, drawn in code: a shape for the
// item's category, a colour for its index, as its name says.
void draw_item(QPainter& painter, int item, const QRect& area);
