#pragma once
// The main window's menu tree as data: every item with its name, caption and whether it is
// created hidden or disabled. The window builds its menus from this list, and tests read
// the built menus against it.
#include <QString>
#include <QVector>

namespace app {

struct MenuItem {
    const char* parent;  // name of the menu it belongs to; nullptr for the menu bar
    const char* name;    // "-" for a separator
    const char* caption;
    bool hidden = false;
    bool disabled = false;
};

const QVector<MenuItem>& menuTree();

} // namespace app
