#pragma once
// One-line editor laid over an item of a CListBoxPro. Enter, Tab, a click
// outside or losing the focus accept the text; Esc drops it. At the end the
// list's EditMode decides what is written back, the list reports editEnded
// with the item index, and the editor deletes itself.
#include <QLineEdit>
#include <QPointer>

namespace qv530 {

class CListBoxPro;

class CLBEditorWnd : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kControlId = 1;

    explicit CLBEditorWnd(CListBoxPro* list);
    ~CLBEditorWnd() override;

    // Opens the editor on item `index`. Fails, and the editor deletes itself,
    // when the index is outside the list.
    bool BeginEdit(int index, bool digitsOnly);

    // Ends editing once; later calls do nothing.
    void EndEdit(bool accepted);
    // Accepts the text of every editor still open under `root` (before
    // Apply or OK takes what the lists hold).
    static void AcceptAllIn(QWidget* root);

    int ItemIndex() const { return index_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<CListBoxPro> list_;
    int index_ = -1;
    bool ending_ = false;
};

}  // namespace qv530
