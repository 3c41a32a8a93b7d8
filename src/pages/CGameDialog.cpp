#include "pages/CGameDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "controls/CFocusItem.h"
#include "controls/CListBoxPro.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "lang/AccessTexts.h"
#include "lang/Language.h"
#include "platform/ProcessTable.h"
#include "usecases/RunningProgramList.h"

namespace qv530 {
namespace {

constexpr int kListId = 1010;
constexpr int kFontHeight = 13;
constexpr int kItemHeight = 20;
// The running programs' menu items: ids below are the separator and the hidden item.
constexpr int kFirstProgramId = kMenuHiddenId + 1;
const char* const kPlainStyle = "QLabel { color: white; }";
const char* const kTroubleStyle = "QLabel { color: rgb(255,237,0); }";

QRect ToQt(const skin::Rect& r) { return {r.x, r.y, r.width, r.height}; }
QString Text(const std::string& text) { return QString::fromStdString(text); }

} // namespace

CGameDialog::CGameDialog(const std::string& language, const std::string& folder, int position,
                         std::vector<std::string> listAsRead, const QString& profileName, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), texts_(GameDialogTextsFor(language)),
      games_(folder, position, std::move(listAsRead)), profileName_(profileName) {
    setObjectName("gameDialog");
    setModal(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(Text(texts_.title).arg(profileName_));
    background_ = SkinLoader::Load("/Games/Games.png");
    setFixedSize(skin::kGameDialog.width, skin::kGameDialog.height);
    font_ = QFont(QString::fromUtf8(FontFace(language).data()));
    font_.setPixelSize(kFontHeight);
    setFont(font_);

    list_ = new CListBoxPro(this, kListId);
    list_->setObjectName("gameList");
    list_->setGeometry(ToQt(skin::kGameList));
    list_->setFont(font_);
    list_->SetItemHeight(kItemHeight);
    list_->setAccessibleName(Text(texts_.listName));
    list_->installEventFilter(this);

    nameField_ = new QLineEdit(this);
    nameField_->setObjectName("gameName");
    nameField_->setGeometry(ToQt(skin::kGameNameEdit));
    nameField_->setFont(font_);
    nameField_->setFrame(false);
    nameField_->setPlaceholderText(Text(texts_.nameField));
    nameField_->setAccessibleName(Text(texts_.nameField));
    // With the keyboard focus it wears the dotted yellow frame of the other controls.
    nameField_->setStyleSheet("QLineEdit { color: white; background: rgb(40,40,40); border: 1px solid rgb(40,40,40);"
                              " padding: 0px 2px; }"
                              "QLineEdit:focus { border: 1px dotted rgb(255,237,0); }");
    nameField_->installEventFilter(this);

    add_ = MakeButton(ToQt(skin::kGameAdd), "button", texts_.add, "addGame");
    running_ = MakeButton(ToQt(skin::kGameRunning), "wide", texts_.running, "runningPrograms");
    running_->hasPopup = true;
    remove_ = MakeButton(ToQt(skin::kGameRemove), "button", texts_.remove, "removeGame");
    close_ = new CBitmapBtn(this);
    const QImage closeNormal = SkinLoader::Load("/button-close-normal.png");
    const QImage closeOver = SkinLoader::Load("/button-close-over.png");
    close_->SetImages(0, 0, skin::kGameClose.width, skin::kGameClose.height, closeNormal, closeOver, closeOver,
                      closeNormal);
    close_->setGeometry(ToQt(skin::kGameClose));
    close_->setObjectName("closeGames");
    close_->enterPresses = true;
    close_->setAccessibleName(Text(AccessTextsFor(language).close));

    status_ = new QLabel(this);
    status_->setObjectName("gameStatus");
    status_->setGeometry(ToQt(skin::kGameStatus));
    status_->setFont(font_);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setTextInteractionFlags(Qt::NoTextInteraction);

    SetTabChain({list_, nameField_, add_, running_, remove_, close_});
    connect(add_, &QAbstractButton::clicked, this, &CGameDialog::AddTyped);
    connect(running_, &QAbstractButton::clicked, this, &CGameDialog::PickRunning);
    connect(remove_, &QAbstractButton::clicked, this, &CGameDialog::RemoveSelected);
    connect(close_, &QAbstractButton::clicked, this, &QDialog::reject);

    profileNameAt = [](int savedPosition) { return QString::number(savedPosition); };
    runningPrograms = [] {
        ProcProcessTable table;
        return RunningProgramNames(table);
    };
    runMenu = [](CExMenu& menu, const QPoint& at) { return menu.Exec(at); };

    const std::string error = games_.Reload();
    ShowPrograms();
    if (!error.empty()) Say(Text(texts_.unreadable).arg(Text(error)), true);
    nameField_->setFocus(Qt::OtherFocusReason);
    if (parent) {
        move(parent->window()->geometry().center() - QPoint(width() / 2, height() / 2));
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

CBitmapBtn* CGameDialog::MakeButton(const QRect& where, const char* look, const std::string& caption,
                                    const char* name) {
    auto* button = new CBitmapBtn(this);
    const QImage normal = SkinLoader::Load(QString("/Games/%1-normal.png").arg(look));
    const QImage over = SkinLoader::Load(QString("/Games/%1-over.png").arg(look));
    button->SetImages(0, 0, where.width(), where.height(), normal, over, over, normal);
    button->setGeometry(where);
    button->fontFace = font_.family();
    button->fontHeight = kFontHeight;
    button->alignment = 0;
    button->SetCaption(Text(caption));
    button->setObjectName(name);
    button->enterPresses = true;
    return button;
}

QString CGameDialog::status() const { return status_->text(); }

void CGameDialog::ShowPrograms(const std::string& select) {
    const QString keep = list_->currentItem() ? list_->currentItem()->text() : QString();
    list_->clear();
    for (const std::string& program : games_.programs()) list_->addItem(Text(program));
    const QString wanted = select.empty() ? keep : Text(select);
    const QList<QListWidgetItem*> found = wanted.isEmpty() ? QList<QListWidgetItem*>()
                                                           : list_->findItems(wanted, Qt::MatchExactly);
    if (!found.isEmpty()) list_->setCurrentItem(found.front());
    else if (list_->count() > 0) list_->setCurrentRow(0);
}

void CGameDialog::Say(const QString& text, bool trouble) {
    status_->setStyleSheet(trouble ? kTroubleStyle : kPlainStyle);
    status_->setText(text);
    status_->setToolTip(text);
}

void CGameDialog::AddTyped() {
    const std::string typed = nameField_->text().toStdString();
    if (const std::string refusal = ProgramNameRefusalText(texts_, typed); !refusal.empty()) {
        Say(Text(refusal), true);
        nameField_->setFocus(Qt::OtherFocusReason);
        return;
    }
    AddProgram(typed);
}

void CGameDialog::AddProgram(const std::string& program) {
    const ProfileGames::Change change = games_.Add(program);
    Show(change);
    using Outcome = ProfileGames::Outcome;
    if (change.outcome == Outcome::Added || change.outcome == Outcome::Moved ||
        change.outcome == Outcome::AlreadyBound)
        nameField_->clear();
}

void CGameDialog::PickRunning() {
    const std::vector<std::string> names = runningPrograms();
    if (names.empty()) {
        Say(Text(texts_.noneRunning), true);
        return;
    }
    CExMenu menu(&font_, this);
    menu.setObjectName("runningMenu");
    for (std::size_t i = 0; i < names.size(); ++i) menu.AppendItem(kFirstProgramId + static_cast<int>(i), Text(names[i]));
    const int chosen = runMenu(menu, running_->mapToGlobal(QPoint(0, running_->height()))) - kFirstProgramId;
    if (chosen >= 0 && chosen < static_cast<int>(names.size())) AddProgram(names[static_cast<std::size_t>(chosen)]);
}

void CGameDialog::RemoveSelected() {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr) {
        Say(Text(texts_.nothingSelected), true);
        return;
    }
    Show(games_.Remove(item->text().toStdString()));
}

void CGameDialog::Show(const ProfileGames::Change& change) {
    using Outcome = ProfileGames::Outcome;
    const QString program = Text(change.program);
    QString text;
    bool trouble = false;
    switch (change.outcome) {
    case Outcome::Added: text = Text(texts_.added).arg(program); break;
    case Outcome::Moved: text = Text(texts_.moved).arg(program, profileNameAt(change.previousPosition)); break;
    case Outcome::AlreadyBound: text = Text(texts_.already).arg(program); break;
    case Outcome::Removed: text = Text(texts_.removed).arg(program); break;
    case Outcome::NotBound: text = Text(texts_.notBound).arg(program), trouble = true; break;
    case Outcome::ListChanged: text = Text(texts_.listChanged), trouble = true; break;
    case Outcome::Refused:
        if (const std::string refusal = ProgramNameRefusalText(texts_, change.program); !refusal.empty()) {
            text = Text(refusal), trouble = true;
            break;
        }
        [[fallthrough]];
    case Outcome::Failed: text = Text(texts_.failed).arg(Text(change.detail)), trouble = true; break;
    }
    for (const std::string& note : change.notes) text += "\n" + Text(note);
    Say(text, trouble);
    ShowPrograms(change.outcome == Outcome::Removed ? std::string() : change.program);
    if (change.outcome == Outcome::Added || change.outcome == Outcome::Moved || change.outcome == Outcome::Removed)
        emit bindingsChanged();
}

void CGameDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
    else painter.fillRect(rect(), QColor(skin::kThemeDark.r, skin::kThemeDark.g, skin::kThemeDark.b));
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const QRect title = ToQt(skin::kGameTitle);
    // A long profile name is cut with an ellipsis; the dialog's name keeps it whole.
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(windowTitle(), Qt::ElideMiddle, title.width()));
}

void CGameDialog::mousePressEvent(QMouseEvent* event) { drag_.Press(*this, *event); }

void CGameDialog::mouseMoveEvent(QMouseEvent* event) { drag_.Move(*this, *event); }

void CGameDialog::mouseReleaseEvent(QMouseEvent*) { drag_.Release(); }

bool CGameDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the name field adds it, Delete in the list removes the
    // selected program, Escape anywhere closes.
    if (event->type() == QEvent::KeyPress && (watched == list_ || watched == nameField_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (watched == nameField_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            AddTyped();
            return true;
        }
        if (watched == list_ && key == Qt::Key_Delete) {
            RemoveSelected();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qv530
