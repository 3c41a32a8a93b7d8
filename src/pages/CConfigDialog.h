#pragma once
// The profile dialog: the named profiles in a skinned list, New and Delete
// buttons, a context menu (Delete, Edit, Copy, Load, Save, Game…), renaming in
// place, and on close the list saved and the selected profile made current.
// Modeless, over the main window's left column; the list rules and file
// moves are the core's ProfileBook and SaveProfileBook.
#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

#include "lang/GameDialogTexts.h"
#include "lang/ProfileTexts.h"
#include "profiles/ProfileBook.h"

namespace qv530 {

class CBitmapBtn;
class CExMenu;
class CGameDialog;
class CListBoxPro;
class ProfileEditor;

class CConfigDialog : public QWidget {
    Q_OBJECT
public:
    // Command ids of the "ProfileList" menu.
    static constexpr int kMenuDelete = 32781;
    static constexpr int kMenuEdit = 32782;
    static constexpr int kMenuCopy = 32783;
    static constexpr int kMenuLoad = 32784;
    static constexpr int kMenuSave = 32785;
    static constexpr int kMenuGame = 32787;

    CConfigDialog(ProfileEditor& editor, QWidget* parent);

    void NewProfile();
    void DeleteProfile();
    void RenameProfile();
    void CopyProfile();
    void LoadProfileFromFile();
    void SaveProfileToFile();
    // The programs that bring the selected profile (a saved one) while they run.
    void OpenGameDialog();
    // Saves the list (moving the profiles' files), switches to or creates the
    // selected profile, and reports closed.
    void CloseDialog();
    void OpenContextMenu(const QPoint& globalPos);
    void RunMenuCommand(int id);

    const ProfileBook& book() const { return book_; }
    CListBoxPro* list() const { return list_; }
    bool importPending() const { return importKey_ >= 0; }
    const ProfileTexts& texts() const { return texts_; }

    // The file dialogs, the message boxes and the menu; tests answer them.
    std::function<QString(const QString& proposed)> askOpenFile;
    std::function<QString(const QString& proposed)> askSaveFile;
    std::function<void(const QString& caption, const QString& text)> showMessage;
    std::function<int(CExMenu& menu, const QPoint& globalPos)> runMenu;
    // Asked before the Delete key removes a profile (yes: delete); tests answer it.
    std::function<bool(const QString& name)> askDelete;
    // Runs the game dialog (modal); tests drive it instead.
    std::function<void(CGameDialog& dialog)> runGameDialog;

    // The dialog's controls in Tab order: the list, New, Delete, close.
    QList<QWidget*> FocusChain() const;

signals:
    // The dialog is done; profileChanged when another profile was loaded.
    void closed(bool profileChanged);
    // The game dialog added, moved or removed a binding.
    void gameBindingsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowBook();
    void OnEditEnded(int index);
    std::string FolderPath() const;

    ProfileEditor& editor_;
    ProfileTexts texts_;
    GameDialogTexts gameTexts_;
    ProfileBook book_;
    QImage background_;
    QFont font_;
    CListBoxPro* list_ = nullptr;
    CBitmapBtn* new_ = nullptr;
    CBitmapBtn* delete_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    // The entry a pending import belongs to (its key), or -1.
    int importKey_ = -1;
    bool pressedOnSelected_ = false;
    bool closing_ = false;
    std::optional<QPoint> dragOffset_;
};

} // namespace qv530
