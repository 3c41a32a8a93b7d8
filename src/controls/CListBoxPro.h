#pragma once
// The owner-drawn list of the skinned dialogs: flat grey items, yellow for the
// selected item and the item under the pointer, hover and right-click
// notifications; Up and Down move the selection.
#include "ListEditRules.h"

#include <QListWidget>

namespace qv530 {

class CListBoxPro : public QListWidget {
    Q_OBJECT
public:
    explicit CListBoxPro(QWidget* parent = nullptr, int controlId = 0);

    int ControlId() const { return controlId_; }
    // Index of the item under the pointer, -1 for none.
    int HoverItem() const { return hoverItem_; }
    void SetItemHeight(int pixels);
    int ItemHeight() const { return itemHeight_; }

    // How the in-place editor's text is written back (set before editing).
    void SetEditMode(ListEditMode mode) { editMode_ = mode; }
    ListEditMode EditMode() const { return editMode_; }

    // A disabled item is drawn in grey text.
    void SetItemDisabled(int index, bool disabled);
    bool ItemDisabled(int index) const;

    // The texts of all items, in order.
    std::vector<std::string> ItemTexts() const;

    // Called by the editor when it ends (message 0x464 of the list).
    void NotifyEditEnded(int editorId, int index) { emit editEnded(editorId, index); }

signals:
    // Message 0x52D: the item under the pointer changed (wParam, lParam).
    void hoverItemChanged(int index, int controlId);
    // Message 0x52D on right-button release with the item under the pointer.
    void rightButtonReleased(int index, int controlId);
    // Message 0x464: the in-place editor ended on item `index`.
    void editEnded(int editorId, int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void SetHoverItem(int index, bool notify);

    int controlId_;
    int hoverItem_ = -1;
    int itemHeight_ = 16;
    ListEditMode editMode_ = ListEditMode::None;
};

}  // namespace qv530
