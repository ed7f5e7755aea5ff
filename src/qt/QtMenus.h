#pragma once
// A form's menu tree as a Qt menu bar. A top-level menu with items opens a menu; one without
// items is a command on the bar. Shortcuts are shown beside the captions but handled by the
// model (before the window's keys), so that a kinetic window can keep F1 to F9. Check marks,
// captions and availability are read from the model whenever a menu opens, so the menus always
// show the program state the marks are bound to.

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <map>

#include "qt/Routed.h"

namespace tav {

class Form;
class MenuItem;

class QtMenus {
public:
    QtMenus(Form& form, const ViewHandle& handle, QMenuBar& bar);
    void Sync(MenuItem& item);
    void SyncAll();

private:
    void Add(MenuItem& item, QMenu* menu);
    QAction* ActionFor(MenuItem& item, QWidget* owner);

    Form& form_;
    ViewHandle handle_;
    QMenuBar& bar_;
    std::map<MenuItem*, QPointer<QAction>> actions_;
};

}  // namespace tav
