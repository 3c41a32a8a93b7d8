#include "pages/CDlgadvance.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/CBitmapBtn.h"
#include "controls/CSkinScrollBar.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "lang/Language.h"
#include "pages/CDlgAngleSnap.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgDoubleClick.h"
#include "pages/CDlgMouseSpeed.h"
#include "pages/CDlgMouseWheelSpeed.h"
#include "pages/CDlgPage.h"
#include "pages/CDlgUSBReportRate.h"

namespace qv530 {
namespace {

constexpr int kFirstTitleSlot = 19;
constexpr int kTitleFontHeight = 13;
constexpr int kFirstTitleId = 140;

// The caption is centred on the title bar and must stay clear of the
// chevron drawn at its right end: long captions get a smaller font.
int TitleFontHeight(QFont font, const QString& caption) {
    constexpr int kChevronSpace = 22;
    constexpr int kSmallest = 9;
    constexpr int kCaptionWeight = 550;
    const int room = skin::kPanelTitle.width - 2 * kChevronSpace;
    font.setWeight(static_cast<QFont::Weight>(kCaptionWeight));
    int height = kTitleFontHeight;
    for (; height > kSmallest; --height) {
        font.setPixelSize(height);
        if (QFontMetrics(font).horizontalAdvance(caption) <= room) break;
    }
    return height;
}

// The content: the panel's background picture over the whole content height.
class PanelContent : public QWidget {
public:
    explicit PanelContent(QWidget* parent) : QWidget(parent), background_(SkinLoader::Load("/skins/BK_MainRight.png")) {
        setObjectName("panelContent");
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        if (background_.isNull()) {
            painter.fillRect(event->rect(), QColor(skin::kThemeDark.r, skin::kThemeDark.g, skin::kThemeDark.b));
            return;
        }
        for (int y = 0; y < height(); y += background_.height()) painter.drawImage(QPoint(0, y), background_);
    }

private:
    QImage background_;
};

} // namespace

CDlgadvance::CDlgadvance(ProfileEditor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("settingsPanel");
    setFocusPolicy(Qt::ClickFocus);
    wheelLines = [] { return QApplication::wheelScrollLines(); };
    resize(skin::kSettingsPanel.width, skin::kSettingsPanelVisible.height);

    viewport_ = new QWidget(this);
    viewport_->setObjectName("panelViewport");
    viewport_->setGeometry(0, 0, skin::kSettingsPanelVisible.width, skin::kSettingsPanelVisible.height);
    content_ = new PanelContent(viewport_);
    content_->installEventFilter(this);

    vbar_ = new CSkinScrollBar(Qt::Vertical, this, kVerticalBarId);
    vbar_->setObjectName("panelScrollBar");
    vbar_->SetSkin(SkinLoader::LoadResource(skin::kScrollBarResource));
    const int barWidth = vbar_->CellWidth() > 0 ? vbar_->CellWidth() : skin::kScrollCell;
    vbar_->setGeometry(skin::kSettingsPanelVisible.width, 0, barWidth, skin::kSettingsPanelVisible.height);
    vbar_->hide();
    connect(vbar_, &CSkinScrollBar::scrolled, this, &CDlgadvance::Scroll);

    QFont font(QString::fromUtf8(FontFace(editor.language()).data()));
    font.setPixelSize(kTitleFontHeight);
    const QImage title = SkinLoader::Load("\\skins\\ItemBK.png");
    for (int s = 0; s < kPanelSections; ++s) {
        auto* bar = new CBitmapBtn(content_, kFirstTitleId + s);
        bar->SetImages(0, 0, skin::kPanelTitle.width, skin::kPanelTitle.height, title, title, title, title);
        bar->resize(skin::kPanelTitle.width, skin::kPanelTitle.height);
        bar->fontFace = font.family();
        bar->fontHeight = TitleFontHeight(font, editor.Text(kFirstTitleSlot + s));
        bar->alignment = 0;
        bar->SetCaption(editor.Text(kFirstTitleSlot + s));
        bar->setObjectName(QString("panelTitle%1").arg(s + 1));
        bar->SetExpanded(false);
        connect(bar, &QAbstractButton::clicked, this, [this, s] { ToggleSection(s); });
        titles_[Index(s)] = bar;
        collapsed_[Index(s)] = true;
    }

    dpi_ = new CDlgDPISetting(editor, content_);
    pages_[Index(kSectionDpi)] = dpi_;
    // The lighting sections show an empty page of their size until their pages are given.
    auto placeholder = [this](skin::Size size, const char* name) {
        auto* page = new QWidget(content_);
        page->setObjectName(name);
        page->setFixedSize(size.width, size.height);
        return page;
    };
    pages_[Index(kSectionLighting)] = placeholder(skin::kLightingPage, "lightingPlaceholder");
    pages_[Index(kSectionPadLighting)] = placeholder(skin::kPadLightingPage, "padLightingPlaceholder");
    pages_[Index(kSectionReportRate)] = new CDlgUSBReportRate(editor, content_);
    pages_[Index(kSectionMouseSpeed)] = new CDlgMouseSpeed(editor, content_);
    pages_[Index(kSectionDoubleClick)] = new CDlgDoubleClick(editor, content_);
    pages_[Index(kSectionWheel)] = new CDlgMouseWheelSpeed(editor, content_);
    pages_[Index(kSectionAngleSnap)] = new CDlgAngleSnap(editor, content_);
    for (QWidget* page : pages_) page->hide();

    padPresent_ = editor.padPresent();
    Relayout();
    // A control reached by Tab is scrolled into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && content_->isAncestorOf(now)) ScrollToShow(now);
    });
}

QList<QWidget*> CDlgadvance::FocusChain() const {
    QList<QWidget*> chain;
    for (int s = 0; s < kPanelSections; ++s) {
        chain << titles_[Index(s)];
        QWidget* page = pages_[Index(s)];
        // The page's controls as its own Tab order has them.
        QList<QWidget*> inPage;
        for (QWidget* w = page->nextInFocusChain(); w != page && !inPage.contains(w); w = w->nextInFocusChain())
            if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) != 0) inPage << w;
        chain << inPage;
    }
    return chain;
}

void CDlgadvance::ScrollToShow(QWidget* widget) {
    const QRect area(widget->mapTo(content_, QPoint(0, 0)), widget->size());
    constexpr int kMargin = 4;
    if (area.top() - kMargin < position_) ScrollTo(area.top() - kMargin);
    else if (area.bottom() + kMargin >= position_ + clientHeight())
        ScrollTo(area.bottom() + kMargin - clientHeight() + 1);
}

void CDlgadvance::SetSectionPage(int section, QWidget* page) {
    if (section < 0 || section >= kPanelSections || page == nullptr) return;
    QWidget*& slot = pages_[Index(section)];
    if (slot == page) return;
    if (slot == dpi_) dpi_ = nullptr;
    delete slot;
    slot = page;
    page->setParent(content_);
    page->hide();
    Relayout();
}

int CDlgadvance::clientHeight() const { return viewport_->height(); }

void CDlgadvance::SetPadPresent(bool present) { padPresent_ = present; }

void CDlgadvance::Relayout() {
    setUpdatesEnabled(false);
    std::array<int, kPanelSections> heights{};
    for (int s = 0; s < kPanelSections; ++s) heights[Index(s)] = pages_[Index(s)]->height();
    stack_ = StackSections(collapsed_, heights, padPresent_);
    for (int s = 0; s < kPanelSections; ++s) {
        const std::size_t i = Index(s);
        titles_[i]->move(skin::kPanelTitleLeft, stack_.titleTop[i]);
        titles_[i]->setVisible(stack_.shown[i]);
        pages_[i]->move(skin::kPanelTitleLeft, stack_.pageTop[i]);
        pages_[i]->setVisible(stack_.shown[i] && !collapsed_[i]);
    }
    content_->resize(kPanelContentWidth, stack_.contentHeight);
    UpdateScrollBar();
    setUpdatesEnabled(true);
    update();
}

void CDlgadvance::ToggleSection(int section) {
    if (section < 0 || section >= kPanelSections) return;
    emit clearSelection();
    // A closing section keeps what was typed into its page.
    if (!collapsed_[Index(section)])
        if (auto* own = qobject_cast<CDlgPage*>(pages_[Index(section)])) own->CommitTypedValues();
    collapsed_[Index(section)] = !collapsed_[Index(section)];
    titles_[Index(section)]->SetExpanded(!collapsed_[Index(section)]);
    Relayout();
}

void CDlgadvance::CollapseAll() {
    for (const int section : kCollapseOrder)
        if (!collapsed_[Index(section)]) ToggleSection(section);
}

void CDlgadvance::RefreshAllPages() {
    for (QWidget* page : pages_) {
        if (auto* own = qobject_cast<CDlgPage*>(page)) own->RefreshFromSettings();
        else if (page->metaObject()->indexOfMethod("RefreshFromSettings()") >= 0)
            QMetaObject::invokeMethod(page, "RefreshFromSettings", Qt::DirectConnection);
        else page->update();
    }
}

void CDlgadvance::CommitTypedValues() {
    for (QWidget* page : pages_)
        if (auto* own = qobject_cast<CDlgPage*>(page)) own->CommitTypedValues();
}

bool CDlgadvance::HasTypedValues() const {
    for (QWidget* page : pages_)
        if (auto* own = qobject_cast<CDlgPage*>(page); own && own->HasTypedValues()) return true;
    return false;
}

// The range is the content height with a page of the client height; when
// the content fits, the bar goes and the position is 0.
void CDlgadvance::UpdateScrollBar() {
    const int client = clientHeight();
    if (stack_.contentHeight <= client) {
        vbar_->SetScrollInfo(ScrollState{});
        vbar_->hide();
        ScrollTo(0);
        return;
    }
    ScrollState state;
    state.rangeMin = 0;
    state.rangeMax = stack_.contentHeight - 1;
    state.page = client;
    state.pos = ClampPanelScroll(position_, stack_.contentHeight, client);
    vbar_->SetScrollInfo(state);
    vbar_->show();
    ScrollTo(state.pos);
}

void CDlgadvance::ScrollTo(int position) {
    position_ = ClampPanelScroll(position, stack_.contentHeight, clientHeight());
    content_->move(0, -position_);
    if (vbar_->isVisible() || stack_.contentHeight > clientHeight()) {
        ScrollState state = vbar_->ScrollInfo();
        if (state.pos != position_) {
            state.pos = position_;
            vbar_->SetScrollInfo(state);
        }
    }
}

void CDlgadvance::Scroll(int code, int thumbPosition) {
    ScrollTo(PanelScrollTarget(code, position_, thumbPosition, stack_.contentHeight, clientHeight()));
}

void CDlgadvance::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) emit clearSelection();
}

bool CDlgadvance::eventFilter(QObject* watched, QEvent* event) {
    // A click on the content's background is a click on the panel's background.
    if (watched == content_ && event->type() == QEvent::MouseButtonPress) {
        setFocus(Qt::MouseFocusReason);
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) emit clearSelection();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CDlgadvance::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    event->accept();
    if (delta == 0) return;
    ScrollTo(PanelWheelTarget(wheelLines(), delta, position_, stack_.contentHeight, clientHeight()));
}

void CDlgadvance::keyPressEvent(QKeyEvent* event) {
    // The arrows and the page keys scroll like the scroll bar's parts.
    switch (event->key()) {
    case Qt::Key_Up: Scroll(kScrollLineUp, 0); break;
    case Qt::Key_Down: Scroll(kScrollLineDown, 0); break;
    case Qt::Key_PageUp: Scroll(kScrollPageUp, 0); break;
    case Qt::Key_PageDown: Scroll(kScrollPageDown, 0); break;
    default:
        if (IsPageSwallowedKey(event->key())) event->accept();
        else QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CDlgadvance::keyReleaseEvent(QKeyEvent* event) {
    if (IsPageSwallowedKey(event->key())) event->accept();
    else QWidget::keyReleaseEvent(event);
}

} // namespace qv530
