#pragma once
// The windows of the program: each window class has at most one loaded instance, made and loaded
// on first reference.
//
//     app.forms.Get<RatioForm>().Show();     // creates and loads it if needed
//     if (auto* f = app.forms.Find<RatioForm>()) ...   // only when loaded
//     app.forms.Unload<RatioForm>();         // nothing when not loaded
//
// Unloaded windows are freed when the outermost call from the front end returns (see
// EventScope in App.h), so a handler may unload its own window and go on.

#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/forms/Form.h"

namespace tav {

class App;
class Control;
class MdiForm;

class Forms {
public:
    explicit Forms(App& app) : app_(app) {}
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    template <class T>
    T& Get() {
        if (T* form = Find<T>()) return *form;
        auto made = std::make_unique<T>(app_);
        T& form = *made;
        live_.emplace_back(std::type_index(typeid(T)), std::move(made));
        form.Load();
        return form;
    }

    template <class T>
    T* Find() const {
        for (const auto& [type, form] : live_) {
            if (type == std::type_index(typeid(T))) return static_cast<T*>(form.get());
        }
        return nullptr;
    }

    template <class T>
    void Unload() {
        if (T* form = Find<T>()) form->Unload();
    }

    // Loaded windows in the order they were loaded.
    std::vector<Form*> Loaded() const;
    // The loaded main window, if any.
    MdiForm* Mdi() const { return mdi_; }
    // The window the operator works in (a child window, not the frame, when the main window
    // is active).
    Form* ActiveForm() const { return active_; }
    Form* FocusForm() const { return focusForm_; }
    Control* FocusControl() const { return focusControl_; }

    // Frees unloaded windows unless a call from the front end is still running.
    void Collect();
    // The Resize handlers of the windows that the operator resized while a flow ran (App's flow
    // guard calls this when the flow is done).
    void ReleaseHeldResizes();

private:
    friend class Form;
    friend class MdiForm;
    friend class EventScope;
    friend class Control;

    void SetMdi(MdiForm* mdi) { mdi_ = mdi; }
    void Retire(Form& form);
    void Activate(Form* form);
    void MoveFocus(Form* form, Control* control);

    App& app_;
    std::vector<std::pair<std::type_index, std::unique_ptr<Form>>> live_;
    std::vector<std::unique_ptr<Form>> retired_;
    MdiForm* mdi_ = nullptr;
    Form* active_ = nullptr;
    Form* focusForm_ = nullptr;
    Control* focusControl_ = nullptr;
    int calls_ = 0;
};

}  // namespace tav
