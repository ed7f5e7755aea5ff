#pragma once
// List boxes and drop-down lists (combo boxes). Entries are numbered from 0; ListIndex -1 means
// no entry is selected. Setting ListIndex to another entry fires Click, as the operator's
// selection does.

#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace tav {

// What the list controls share; also the base of the drive, folder and file lists.
class ListControl : public Control {
public:
    int ListCount() const { return static_cast<int>(items_.size()); }
    // The entry's text; "" for an index without an entry.
    virtual std::string List(int index) const;
    int ListIndex() const { return listIndex_; }
    // Values without an entry (below the lowest index or from ListCount on) are ignored.
    void SetListIndex(int index);
    // The row shown at the top of the visible part of the list (0: the list is not scrolled).
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int index);
    bool CanFocus() const override { return true; }

    Handler Click;
    Handler DblClick;

    // For the front end: the rows it shows, top to bottom, and the index of the first row
    // (0 for plain lists; a folder list numbers the open folder and its parents below 0).
    virtual std::vector<std::string> Rows() const { return items_; }
    virtual int FirstRowIndex() const { return 0; }
    // How far a row is indented (the folder list shows the path as a tree).
    virtual int RowDepth(int /*row*/) const { return 0; }
    void UserSelect(int index);
    void UserDblClick();
    void UserTopIndex(int index);

protected:
    ListControl(Form& form, std::string name, ControlKind kind);
    // New entries: the selection goes to -1 (without Click) and the view to the top.
    void ReplaceItems(std::vector<std::string> items);
    // Adds at the end, or before the entry at index; removing the selected entry leaves none.
    void InsertItem(std::string text, int index);
    void EraseItem(int index);
    virtual int LowestIndex() const { return -1; }
    // What the selection does beyond Click (a drive list changes its drive), and a double
    // click beyond DblClick (a folder list opens the entry).
    virtual void Selected() {}
    virtual void DoubleClicked() {}
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int topIndex_ = 0;
};

class ListBox : public ListControl {
public:
    ListBox(Form& form, std::string name);
    // Adds at the end, or before the entry at index.
    void AddItem(std::string text, int index = -1);
    // Removes an entry; removing the selected one leaves nothing selected.
    void RemoveItem(int index);
    void Clear();
    void SetList(int index, std::string text);
    // The selected entry's text, "" when none is selected.
    std::string Text() const { return List(listIndex_); }
};

namespace combo {
constexpr int16_t DropDownCombo = 0;  // an editable text with a list
constexpr int16_t DropDownList = 2;   // the list only
}  // namespace combo

// A drop-down list. Its Text is the selected entry's text, or, in the editable style, what is
// typed or set; setting or editing Text fires Change, selecting an entry fires Click.
class ComboBox : public ListControl {
public:
    ComboBox(Form& form, std::string name, int16_t style = combo::DropDownCombo);
    int16_t Style() const { return style_; }
    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    void AddItem(std::string text, int index = -1);
    void RemoveItem(int index);
    void Clear();

    Handler Change;
    void UserEdit(std::string text);

protected:
    void Selected() override;

private:
    int16_t style_;
    std::string text_;
};

}  // namespace tav
