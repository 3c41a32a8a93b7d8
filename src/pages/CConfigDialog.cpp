#include "pages/CConfigDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include "profiles/ProfileNameRules.h"
#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "controls/CLBEditorWnd.h"
#include "controls/CListBoxPro.h"
#include "controls/ControlAccessibility.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "lang/AccessTexts.h"
#include "lang/Language.h"
#include "pages/CGameDialog.h"
#include "pages/ProfileEditor.h"
#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "profiles/ProfileFileMoves.h"
#include "profiles/ProfileStore.h"
#include "profiles/ProfileSwitch.h"

namespace qv530 {
namespace {

constexpr int kListId = 1000;
constexpr int kFontHeight = 13;
constexpr int kItemHeight = 20;
constexpr const char* kFileFilter = "Gaming Mouse Profile (*.bin)";
const QRect kTitle(16, 8, 250, 22);

QRect ToQt(const skin::Rect& r) { return {r.x, r.y, r.width, r.height}; }
QString FromStd(const std::string& text) { return QString::fromStdString(text); }

} // namespace

CConfigDialog::CConfigDialog(ProfileEditor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), texts_(ProfileTextsFor(editor.language())),
      gameTexts_(GameDialogTextsFor(editor.language())) {
    setObjectName("configDialog");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    SetAccessibleRole(this, QAccessible::Dialog);
    setAccessibleName(FromStd(texts_.title));
    background_ = SkinLoader::Load("/Config/Config.png");
    if (background_.isNull()) DebugWrite("Config Dialog Load background image failed!!!");
    resize(skin::kConfigDialog.width, skin::kConfigDialog.height);
    font_ = QFont(QString::fromUtf8(FontFace(editor.language()).data()));
    font_.setPixelSize(kFontHeight);

    list_ = new CListBoxPro(this, kListId);
    list_->setObjectName("profileList");
    list_->setGeometry(ToQt(skin::kConfigList));
    list_->setFont(font_);
    list_->SetItemHeight(kItemHeight);
    list_->SetEditMode(ListEditMode::Name);
    list_->viewport()->installEventFilter(this);
    list_->setAccessibleName(FromStd(texts_.title));
    // The dialog's keyboard goes to its list first.
    setFocusProxy(list_);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { book_.Select(row); });
    connect(list_, &CListBoxPro::rightButtonReleased, this, [this](int index, int) {
        if (index >= 0) list_->setCurrentRow(index);
        OpenContextMenu(QCursor::pos());
    });
    connect(list_, &CListBoxPro::editEnded, this, [this](int, int index) { OnEditEnded(index); });

    const auto button = [this](const char* image, const skin::Rect& rect, const std::string& caption, const char* name) {
        auto* b = new CBitmapBtn(this);
        const QImage picture = SkinLoader::Load(image);
        b->SetImages(0, 0, rect.width, rect.height, picture, picture, picture, picture);
        b->setGeometry(ToQt(rect));
        b->fontFace = font_.family();
        b->fontHeight = kFontHeight;
        b->alignment = 0;
        b->SetCaption(FromStd(caption));
        b->setObjectName(name);
        b->enterPresses = true;
        return b;
    };
    new_ = button("/Config/New-Config.png", skin::kConfigNewButton, texts_.newEntry, "newProfile");
    delete_ = button("/Config/Del-Config.png", skin::kConfigDeleteButton, texts_.remove, "deleteProfile");
    close_ = button("/button-close-normal.png", skin::kConfigCloseButton, {}, "closeProfiles");
    connect(new_, &QAbstractButton::clicked, this, &CConfigDialog::NewProfile);
    connect(delete_, &QAbstractButton::clicked, this, &CConfigDialog::DeleteProfile);
    connect(close_, &QAbstractButton::clicked, this, &CConfigDialog::CloseDialog);
    close_->setAccessibleName(QString::fromStdString(AccessTextsFor(editor.language()).close));

    askOpenFile = [this](const QString& proposed) {
        return QFileDialog::getOpenFileName(this, FromStd(texts_.load), proposed, kFileFilter);
    };
    askSaveFile = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, FromStd(texts_.save), proposed, kFileFilter);
    };
    showMessage = [this](const QString& caption, const QString& text) {
        QMessageBox::warning(this, caption, text);
    };
    runMenu = [](CExMenu& menu, const QPoint& at) { return menu.Exec(at); };
    runGameDialog = [](CGameDialog& dialog) { dialog.exec(); };
    askDelete = [this, question = AccessTextsFor(editor.language()).deleteProfile](const QString& name) {
        return QMessageBox::question(this, FromStd(texts_.title), FromStd(question).arg(name),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };

    book_ = ProfileBook::Read(FolderPath() + "str.ini", texts_.baseName);
    ShowBook();
}

QList<QWidget*> CConfigDialog::FocusChain() const { return {list_, new_, delete_, close_}; }

std::string CConfigDialog::FolderPath() const { return editor_.files().dataFolder(); }

void CConfigDialog::ShowBook() {
    const QSignalBlocker block(list_);
    list_->clear();
    for (const ProfileEntry& entry : book_.entries()) list_->addItem(FromStd(entry.name));
    list_->setCurrentRow(book_.selected());
    if (book_.selected() < 0) list_->clearSelection();
}

void CConfigDialog::NewProfile() {
    if (book_.New(texts_.baseName) == ProfileBook::Outcome::Limit) {
        showMessage(FromStd(texts_.caption), FromStd(texts_.limitMessage));
        return;
    }
    ShowBook();
}

void CConfigDialog::DeleteProfile() {
    if (book_.Delete(book_.selected()) == ProfileBook::Outcome::Done) ShowBook();
}

void CConfigDialog::CopyProfile() {
    if (book_.Copy(book_.selected(), texts_.copy) == ProfileBook::Outcome::Done) ShowBook();
}

void CConfigDialog::RenameProfile() {
    const int row = book_.selected();
    if (row < 0) return;
    list_->SetEditMode(ListEditMode::Name);
    auto* editor = new CLBEditorWnd(list_);
    editor->setObjectName("profileNameEditor");
    editor->BeginEdit(row, false);
}

void CConfigDialog::OnEditEnded(int index) {
    // The list took the text by its own rule (non-empty, not another
    // entry's name); the book checks it again and keeps the old name otherwise.
    if (QListWidgetItem* item = list_->item(index)) {
        const std::string typed = item->text().toStdString();
        // A name the list cannot keep is refused with the reason.
        if (const std::string refusal = ProfileNameRefusal(typed); !refusal.empty())
            showMessage("QV530-10800rad", QString::fromStdString(refusal));
        else
            book_.Rename(index, typed);
    }
    ShowBook();
    list_->setFocus();
}

void CConfigDialog::LoadProfileFromFile() {
    const int row = book_.selected();
    if (row < 0) return;
    const QString path = askOpenFile(QDir::homePath());
    if (path.isEmpty()) return;
    switch (editor_.ImportProfile(row, path.toStdString())) {
    // The import follows its entry when entries before it are deleted.
    case ConfigFiles::ImportResult::Imported: importKey_ = book_.entries()[static_cast<std::size_t>(row)].key; break;
    case ConfigFiles::ImportResult::Unreadable:
        showMessage("QV530-10800rad", tr("%1. Nothing was loaded.").arg(FromStd(ConfigFileDamage(path.toStdString()))));
        break;
    case ConfigFiles::ImportResult::WrongSize:
        showMessage("QV530-10800rad", tr("%1 has %2 bytes; a profile file has %3. Nothing was loaded.")
                                          .arg(path)
                                          .arg(FileSize(path.toStdString()))
                                          .arg(config_file::kSize));
        break;
    default: break;
    }
}

void CConfigDialog::SaveProfileToFile() {
    const int row = book_.selected();
    if (row < 0) return;
    const ProfileEntry& entry = book_.entries()[static_cast<std::size_t>(row)];
    const QString path = askSaveFile(QDir::homePath() + "/" + FromStd(entry.name) + ".bin");
    if (path.isEmpty()) return;
    // The edited profile goes out as it stands, unapplied edits included;
    // any other entry as it is stored.
    const bool edited = entry.origin >= 0 && entry.origin == editor_.currentProfile();
    const auto result = edited ? editor_.ExportCurrentProfile(path.toStdString())
                               : editor_.ExportStoredProfile(entry.filesFrom, path.toStdString());
    if (!result.written)
        showMessage("QV530-10800rad", result.error.empty() ? tr("Cannot write %1").arg(FromStd(result.path))
                                                           : FromStd(result.error));
}

void CConfigDialog::OpenGameDialog() {
    const int row = book_.selected();
    if (row < 0) return;
    const ProfileEntry& entry = book_.entries()[static_cast<std::size_t>(row)];
    // Bindings belong to a saved profile; an entry added since the list was
    // read has none until closing the list saves it.
    if (entry.origin < 0) {
        showMessage("QV530-10800rad", FromStd(gameTexts_.unsaved).arg(FromStd(entry.name)));
        return;
    }
    CGameDialog dialog(editor_.language(), FolderPath(), entry.origin, book_.readNames(), FromStd(entry.name), this);
    // Another profile is named as this list shows it, renames not yet saved included.
    dialog.profileNameAt = [this](int savedPosition) {
        const int shown = book_.PositionOfOrigin(savedPosition);
        if (shown >= 0) return FromStd(book_.entries()[static_cast<std::size_t>(shown)].name);
        const std::vector<std::string>& saved = book_.readNames();
        return savedPosition >= 0 && savedPosition < static_cast<int>(saved.size())
                   ? FromStd(saved[static_cast<std::size_t>(savedPosition)])
                   : QString::number(savedPosition);
    };
    connect(&dialog, &CGameDialog::bindingsChanged, this, &CConfigDialog::gameBindingsChanged);
    runGameDialog(dialog);
    list_->setFocus();
}

void CConfigDialog::CloseDialog() {
    if (closing_) return;
    closing_ = true;
    const int selection = book_.CloseSelection();
    if (selection < 0) { // nothing listed: nothing to save or switch to
        emit closed(false);
        return;
    }
    // The list, the moved files and a new entry's files in one change, under the lock.
    const StoreSession session(FolderPath());
    const ConfigFiles files = editor_.files();
    const ProfileListSave saved = SaveProfileBook(session, book_, selection, [files](int position) {
        return MakeNewProfileFiles(files, position);
    });
    if (!saved.saved) {
        if (!saved.error.empty()) showMessage("QV530-10800rad", FromStd(saved.error));
        if (book_.readNames() != ProfileBook::Read(FolderPath() + "str.ini", texts_.baseName).readNames()) {
            // Another program changed the list: it is shown again as it is now.
            book_ = ProfileBook::Read(FolderPath() + "str.ini", texts_.baseName);
            importKey_ = -1;
            ShowBook();
            closing_ = false;
            return;
        }
        emit closed(false);
        return;
    }
    const int importPosition = importKey_ >= 0 ? book_.PositionOfKey(importKey_) : -1;
    const bool importLost = importKey_ >= 0 && importPosition < 0;
    editor_.ProfilesMoved(book_.PositionOfOrigin(editor_.currentProfile()), importPosition, saved.ids);
    bool changed = false;
    if (importLost) {
        // The entry the profile was loaded into was deleted: nothing to save it in.
        editor_.DropImport();
        showMessage("QV530-10800rad", tr("The profile the file was loaded into was deleted, so the loaded "
                                         "settings were dropped."));
        changed = true;
    } else if (importPosition >= 0) {
        changed = true;
    } else if (book_.entries()[static_cast<std::size_t>(selection)].isNew) {
        editor_.CreateProfile(selection);
        changed = true;
    } else {
        changed = editor_.SwitchProfile(selection);
    }
    importKey_ = -1;
    emit closed(changed);
}

void CConfigDialog::OpenContextMenu(const QPoint& globalPos) {
    CExMenu menu(&font_, this);
    menu.AppendItem(kMenuDelete, FromStd(texts_.remove));
    menu.AppendItem(kMenuEdit, FromStd(texts_.edit));
    menu.AppendItem(kMenuCopy, FromStd(texts_.copy));
    menu.AppendItem(kMenuLoad, FromStd(texts_.load));
    menu.AppendItem(kMenuSave, FromStd(texts_.save));
    menu.AppendItem(kMenuGame, FromStd(gameTexts_.menuItem));
    RunMenuCommand(runMenu(menu, globalPos));
}

void CConfigDialog::RunMenuCommand(int id) {
    switch (id) {
    case kMenuDelete: DeleteProfile(); break;
    case kMenuEdit: RenameProfile(); break;
    case kMenuCopy: CopyProfile(); break;
    case kMenuLoad: LoadProfileFromFile(); break;
    case kMenuSave: SaveProfileToFile(); break;
    case kMenuGame: OpenGameDialog(); break;
    default: break;
    }
}

void CConfigDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
    else painter.fillRect(rect(), QColor(skin::kThemeDark.r, skin::kThemeDark.g, skin::kThemeDark.b));
    painter.setFont(font_);
    painter.setPen(Qt::white);
    painter.drawText(kTitle, Qt::AlignLeft | Qt::AlignVCenter, FromStd(texts_.title));
}

void CConfigDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragOffset_ = event->position().toPoint();
    raise();
}

void CConfigDialog::mouseMoveEvent(QMouseEvent* event) {
    if (!dragOffset_ || !(event->buttons() & Qt::LeftButton) || parentWidget() == nullptr) return;
    QPoint to = mapToParent(event->position().toPoint()) - *dragOffset_;
    const QRect room = parentWidget()->rect();
    to.setX(std::clamp(to.x(), 0, std::max(0, room.width() - width())));
    to.setY(std::clamp(to.y(), 0, std::max(0, room.height() - height())));
    move(to);
}

void CConfigDialog::mouseReleaseEvent(QMouseEvent*) { dragOffset_.reset(); }

void CConfigDialog::keyPressEvent(QKeyEvent* event) {
    // Keys of its own; Escape closes it as its close button does, Enter,
    // Space and F1 close nothing. The Delete key asks first; Shift+F10 is the menu key.
    const bool menuKey = event->key() == Qt::Key_F10 && (event->modifiers() & Qt::ShiftModifier);
    switch (menuKey ? int(Qt::Key_Menu) : event->key()) {
    case Qt::Key_F2: RenameProfile(); break;
    case Qt::Key_Escape: CloseDialog(); break;
    case Qt::Key_Delete: {
        const int row = book_.selected();
        if (row >= 0 && askDelete(FromStd(book_.entries()[static_cast<std::size_t>(row)].name))) DeleteProfile();
        break;
    }
    case Qt::Key_Insert: NewProfile(); break;
    case Qt::Key_Menu: {
        const QListWidgetItem* item = list_->currentItem();
        const QRect at = item ? list_->visualItemRect(item) : QRect();
        OpenContextMenu(list_->viewport()->mapToGlobal(at.center()));
        break;
    }
    default: break;
    }
    event->accept();
}

bool CConfigDialog::eventFilter(QObject* watched, QEvent* event) {
    // A click on the entry that is already selected renames it in place.
    if (watched == list_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int row = list_->indexAt(mouse->position().toPoint()).row();
            pressedOnSelected_ = mouse->button() == Qt::LeftButton && row >= 0 && row == book_.selected();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int row = list_->indexAt(mouse->position().toPoint()).row();
            const bool rename = pressedOnSelected_ && mouse->button() == Qt::LeftButton && row == book_.selected();
            pressedOnSelected_ = false;
            if (rename) QMetaObject::invokeMethod(this, &CConfigDialog::RenameProfile, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qv530
