#pragma once

// The frame's pictures, drawn here rather than loaded: the six 16 by 16 tree
// images in image-list order and the window's small icon.

#include <QIcon>

#include <array>

enum tree_image : int {
    tree_image_local_tag = 0,
    tree_image_packaged_tag = 1,  // a tag of a patch or a foundation file
    tree_image_group_collapsed = 2,
    tree_image_group_expanded = 3,
    tree_image_plain_group_collapsed = 4,  // a group without an editor
    tree_image_plain_group_expanded = 5,
};
inline constexpr int tree_image_count = 6;

std::array<QIcon, tree_image_count> create_tree_images();
QIcon create_application_icon();
// The icon with the small red mark of a tag that has a problem.
QIcon with_problem_mark(const QIcon& icon);
