#include "CLBEditorWnd.h"

#include "CListBoxPro.h"
#include "ListEditRules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace qv530 {

CLBEditorWnd::CLBEditorWnd(CListBoxPro* list) : QLineEdit(list ? list->viewport() : nullptr), list_(list) {
    hide();
}

CLBEditorWnd::~CLBEditorWnd() { qApp->removeEventFilter(this); }

bool CLBEditorWnd::BeginEdit(int index, bool digitsOnly) {
    if (!list_ || index < 0 || index >= list_->count()) {
        deleteLater();
        return false;
    }
    index_ = index;
    QListWidgetItem* item = list_->item(index);
    setGeometry(list_->visualItemRect(item).adjusted(-1, -1, 1, 1));
    setFrame(true);
    setFont(list_->font());
    if (digitsOnly) {
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    }
    setText(item->text());
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    selectAll();
    qApp->installEventFilter(this);
    return true;
}

void CLBEditorWnd::EndEdit(bool accepted) {
    if (ending_) return;
    ending_ = true;
    qApp->removeEventFilter(this);
    if (list_ && index_ >= 0 && index_ < list_->count()) {
        const auto replacement = EditedItemText(list_->EditMode(), accepted, text().toStdString(),
                                                list_->ItemTexts(), index_);
        if (replacement) {
            list_->item(index_)->setText(QString::fromStdString(*replacement));
            list_->setCurrentRow(index_);
        }
    }
    hide();
    if (list_) list_->NotifyEditEnded(kControlId, index_);
    deleteLater();
}

void CLBEditorWnd::AcceptAllIn(QWidget* root) {
    if (root == nullptr) return;
    for (CLBEditorWnd* editor : root->findChildren<CLBEditorWnd*>()) editor->EndEdit(true);
}

bool CLBEditorWnd::event(QEvent* event) {
    // Tab ends editing here, before the focus chain sees it.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            EndEdit(true);
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // every key belongs to the editor while it is open
        return true;
    }
    return QLineEdit::event(event);
}

void CLBEditorWnd::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndEdit(true);
        break;
    case Qt::Key_Escape:
        EndEdit(false);
        break;
    default:
        QLineEdit::keyPressEvent(event);
        break;
    }
    event->accept();
}

void CLBEditorWnd::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isVisible() && event->reason() != Qt::PopupFocusReason) EndEdit(true);
}

bool CLBEditorWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && !ending_) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w != this && !isAncestorOf(w)) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint local = mapFromGlobal(mouse->globalPosition().toPoint());
            if (!rect().contains(local)) EndEdit(true);
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

}  // namespace qv530
