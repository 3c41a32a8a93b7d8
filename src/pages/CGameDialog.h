#pragma once
// The game dialog of the profile list: the programs that bring one saved
// profile while they run, with Add (a typed name, or one picked from the
// programs running now) and Remove. Modal and skinned; every change is in
// QV530.games at once (ProfileGames), and a line under the buttons says
// what happened or why nothing did.
#include <QDialog>
#include <QFont>
#include <QImage>

#include <functional>
#include <string>
#include <vector>

#include "controls/BackgroundDrag.h"
#include "lang/GameDialogTexts.h"
#include "usecases/ProfileGames.h"

class QLabel;
class QLineEdit;

namespace qv530 {

class CBitmapBtn;
class CExMenu;
class CListBoxPro;

class CGameDialog : public QDialog {
    Q_OBJECT
public:
    // position: the profile's place in the saved list; listAsRead: that
    // list's names as the caller read them; profileName: as the caller shows it.
    CGameDialog(const std::string& language, const std::string& folder, int position,
                std::vector<std::string> listAsRead, const QString& profileName, QWidget* parent = nullptr);

    // The user's commands, as the buttons and the keys run them.
    void AddTyped();
    void AddProgram(const std::string& program);
    void PickRunning();
    void RemoveSelected();

    CListBoxPro* list() const { return list_; }
    QLineEdit* nameField() const { return nameField_; }
    QString status() const;
    const GameDialogTexts& texts() const { return texts_; }

    // The name of a saved place as the caller shows it (its own renames).
    std::function<QString(int savedPosition)> profileNameAt;
    // The programs running now; tests give their own.
    std::function<std::vector<std::string>()> runningPrograms;
    // Runs the menu of running programs: the chosen item's id, 0 for none.
    std::function<int(CExMenu& menu, const QPoint& globalPos)> runMenu;

signals:
    // A binding was added, moved or removed.
    void bindingsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CBitmapBtn* MakeButton(const QRect& where, const char* look, const std::string& caption, const char* name);
    void Show(const ProfileGames::Change& change);
    void ShowPrograms(const std::string& select = {});
    void Say(const QString& text, bool trouble);

    GameDialogTexts texts_;
    ProfileGames games_;
    QString profileName_;
    QImage background_;
    QFont font_;
    CListBoxPro* list_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    CBitmapBtn* add_ = nullptr;
    CBitmapBtn* running_ = nullptr;
    CBitmapBtn* remove_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    QLabel* status_ = nullptr;
    BackgroundDrag drag_;
};

} // namespace qv530
