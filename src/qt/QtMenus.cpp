#include "qt/QtMenus.h"

#include <QMenu>

#include "platform/forms/Form.h"
#include "platform/forms/MenuItem.h"

namespace tav {

QtMenus::QtMenus(Form& form, const ViewHandle& handle, QMenuBar& bar) : form_(form), handle_(handle), bar_(bar) {
    for (MenuItem* top : form.Menus()) {
        if (top->Items().empty()) {
            bar_.addAction(ActionFor(*top, &bar_));
            continue;
        }
        QMenu* menu = bar_.addMenu(QString::fromStdString(top->Caption()));
        menu->setObjectName(QString::fromStdString(top->Name()));
        actions_[top] = menu->menuAction();
        QObject::connect(menu, &QMenu::aboutToShow, menu, [this, handle] {
            if (handle->view) SyncAll();
        });
        for (MenuItem* item : top->Items()) Add(*item, menu);
    }
    SyncAll();
}

void QtMenus::Add(MenuItem& item, QMenu* menu) {
    if (item.IsSeparator()) {
        actions_[&item] = menu->addSeparator();
        return;
    }
    if (item.Items().empty()) {
        menu->addAction(ActionFor(item, menu));
        return;
    }
    QMenu* sub = menu->addMenu(QString::fromStdString(item.Caption()));
    actions_[&item] = sub->menuAction();
    for (MenuItem* child : item.Items()) Add(*child, sub);
}

QAction* QtMenus::ActionFor(MenuItem& item, QWidget* owner) {
    auto* action = new QAction(owner);
    action->setObjectName(QString::fromStdString(item.Name()));
    const ViewHandle handle = handle_;
    QObject::connect(action, &QAction::triggered, action, [handle, &item] {
        if (handle->view) item.UserClick();
    });
    actions_[&item] = action;
    return action;
}

void QtMenus::Sync(MenuItem& item) {
    QAction* action = actions_[&item];
    if (!action) return;
    action->setVisible(item.Visible());
    action->setEnabled(item.Enabled());
    if (item.IsSeparator()) return;
    QString text = QString::fromStdString(item.Caption());
    const std::string shortcut = ShortcutText(item.ShortcutKey());
    if (!shortcut.empty()) text += "\t" + QString::fromStdString(shortcut);
    action->setText(text);
    if (!item.Items().empty()) return;
    // Only a checked item shows a mark (the toolkit draws no empty box).
    action->setCheckable(item.Checked());
    action->setChecked(item.Checked());
}

void QtMenus::SyncAll() {
    for (auto& [item, action] : actions_) Sync(*item);
}

}  // namespace tav
