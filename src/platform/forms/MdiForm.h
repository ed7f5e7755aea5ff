#pragma once
// The main window: a frame whose client area holds the child windows (forms with MDIChild set).
// It carries the program's menu bar, may carry a tool strip (a PictureBox aligned to the top)
// and ends the program when it is unloaded: its child windows and every other window are
// unloaded first, then MDIForm_Unload runs and the front end quits.
//
// The child windows keep a front-to-back order; the active one is ActiveForm(). Arrange(1)
// tiles the visible, not minimized child windows horizontally: full-width windows stacked from
// the top of the client area, front window first.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/Form.h"

namespace tav {

namespace arrange {
constexpr int16_t TileHorizontal = 1;
}  // namespace arrange

class MdiForm : public Form {
public:
    MdiForm(App& app, std::string name);

    // The active child window; nullptr when no child window is shown.
    Form* ActiveForm() const { return activeChild_; }
    // Loaded child windows, front first.
    const std::vector<Form*>& Children() const { return children_; }
    void Arrange(int16_t arrangement);

    // The client area that holds the child windows, in twips.
    float ClientWidth() const { return clientAreaWidth_; }
    float ClientHeight() const { return clientAreaHeight_; }

    void Unload() override;

    // ---- Front end -----------------------------------------------------------------------------
    void UserClientArea(float width, float height);
    void UserActivated() override;

protected:
    virtual void MDIForm_Load() {}
    virtual void MDIForm_Unload(int16_t& /*Cancel*/) {}
    // A click on the empty client area.
    virtual void MDIForm_Click() {}

private:
    friend class Form;
    void Form_Load() final { MDIForm_Load(); }
    void Form_Unload(int16_t& Cancel) final { MDIForm_Unload(Cancel); }
    void Form_Click() final { MDIForm_Click(); }

    // Called by the child windows.
    void ChildLoaded(Form& child);
    void ChildToFront(Form& child);
    void ChildHidden(Form& child);
    void ChildGone(Form& child);
    void PickActiveChild();

    std::vector<Form*> children_;
    Form* activeChild_ = nullptr;
    float clientAreaWidth_ = 0, clientAreaHeight_ = 0;
};

}  // namespace tav
