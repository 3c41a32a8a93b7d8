#include "CExMenu.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace qv530 {

namespace {

constexpr char kIdProperty[] = "qv530MenuId";
constexpr char kColourMarkProperty[] = "qv530ColourMark";
constexpr char kTrademarkProperty[] = "qv530TrademarkMark";

QColor ToQColor(MenuColour c) { return QColor(c.r, c.g, c.b); }

}  // namespace

QString MenuItemText(const QString& text) {
    QString shown = text.section(QLatin1Char('\t'), 0, 0);
    QString out;
    out.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == QLatin1Char('&')) {
            if (i + 1 < shown.size() && shown[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += shown[i];
    }
    return out;
}

CExMenu::CExMenu(const QFont* font, QWidget* parent) : QMenu(parent) {
    if (font != nullptr) setFont(*font);
    setSeparatorsCollapsible(false);
}

QAction* CExMenu::AppendItem(int id, const QString& text, QMenu* submenu, bool colourMark, bool trademarkMark) {
    QAction* action = nullptr;
    if (submenu != nullptr) {
        action = addMenu(submenu);
        action->setText(text);
    } else if (id == kMenuSeparatorId) {
        action = addSeparator();
        action->setText(text);
    } else {
        action = addAction(text);
    }
    action->setProperty(kIdProperty, submenu != nullptr ? -1 : id);
    action->setProperty(kColourMarkProperty, colourMark);
    action->setProperty(kTrademarkProperty, trademarkMark);
    if (id == kMenuHiddenId) action->setVisible(false);
    measure_.Append(static_cast<std::size_t>(MenuItemText(text).size()));
    return action;
}

int CExMenu::CommandId(const QAction* action) {
    if (action == nullptr) return 0;
    const QVariant id = action->property(kIdProperty);
    return id.isValid() ? id.toInt() : (action->isSeparator() ? 0 : -1);
}

int CExMenu::Exec(const QPoint& globalPos) {
    QAction* chosen = exec(globalPos);
    const int id = CommandId(chosen);
    return id > 0 ? id : 0;
}

CMenuStyle::CMenuStyle(QStyle* base) : QProxyStyle(base) {}

int CMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth: return kMenuFrameWidth;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuDesktopFrameWidth:
    case PM_SubMenuOverlap: return 0;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize CMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                   const QWidget* widget) const {
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            if (item->menuItemType == QStyleOptionMenuItem::Separator) {
                return QSize(1, MenuItemHeight(kMenuSeparatorId));  // an empty size would drop the item
            }
            const QString text = MenuItemText(item->text);
            int width = MenuItemWidth(static_cast<std::size_t>(text.size()));
            // Menus built without item records (plain QMenu) must not clip their text.
            if (qobject_cast<const CExMenu*>(widget) == nullptr) {
                width = std::max(width, QFontMetrics(item->font).horizontalAdvance(text) + 2 * kMenuTextLeft + 12);
            } else {
                // Wide glyphs (Chinese) need more than 8 pixels a character.
                width = std::max(width, QFontMetrics(item->font).horizontalAdvance(text) + 2 * kMenuTextLeft);
            }
            // A submenu entry keeps room for its arrow beside the text.
            if (item->menuItemType == QStyleOptionMenuItem::SubMenu) width += kMenuArrowWidth;
            return QSize(width, MenuItemHeight(-1));
        }
    }
    if (type == CT_Menu) return size;
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int CMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const {
    if (hint == SH_Menu_FlashTriggeredItem) return 0;
    if (hint == SH_Menu_Scrollable) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void CMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (element == PE_PanelMenu) {
        painter->fillRect(option->rect, ToQColor(kMenuBack));
        return;
    }
    if (element == PE_FrameMenu) {
        QRect ring = option->rect;
        painter->save();
        painter->setBrush(Qt::NoBrush);
        for (const MenuColour& colour : kMenuFrame) {
            painter->setPen(ToQColor(colour));
            painter->drawRect(ring.adjusted(0, 0, -1, -1));
            ring.adjust(1, 1, -1, -1);
        }
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, ToQColor(kMenuBack));
        return;
    }
    if (element != CE_MenuItem) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item == nullptr) return;
    const QRect r = item->rect;
    painter->save();
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(r, ToQColor(kMenuBack));
        painter->setPen(ToQColor(kMenuLine));
        const int y = r.top() + r.height() / 2;
        painter->drawLine(r.left(), y, r.right(), y);
        painter->restore();
        return;
    }
    const bool selected = (item->state & State_Selected) != 0 && (item->state & State_Enabled) != 0;
    painter->fillRect(r, ToQColor(selected ? kMenuSelectedBack : kMenuBack));

    bool colourMark = false;
    bool trademark = false;
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) {
        if (const QAction* action = menu->actionAt(r.center())) {
            colourMark = action->property(kColourMarkProperty).toBool();
            trademark = action->property(kTrademarkProperty).toBool();
        }
    }
    QColor text = ToQColor(kMenuText);
    if (colourMark) text = ToQColor(kMenuMarkedText);
    if ((item->state & State_Enabled) == 0) text = QColor(170, 130, 130);
    painter->setPen(text);
    painter->setFont(item->font);
    const QString shown = MenuItemText(item->text);
    const QRect textRect = r.adjusted(kMenuTextLeft, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);

    if (trademark) {
        const int textWidth = QFontMetrics(item->font).horizontalAdvance(shown);
        QFont small = item->font;
        small.setPixelSize(kMenuTrademarkFontPixels);
        small.setWeight(QFont::Normal);
        painter->setFont(small);
        const QRect tm(textRect.left() + textWidth, r.top(), QFontMetrics(small).horizontalAdvance(QStringLiteral("TM")) + 2,
                       r.height());
        painter->drawText(tm, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TM"));
    }
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        const int cx = r.right() - 6;
        const int cy = r.center().y();
        QPolygon arrow;
        arrow << QPoint(cx - 3, cy - 4) << QPoint(cx + 1, cy) << QPoint(cx - 3, cy + 4);
        painter->setBrush(text);
        painter->setPen(Qt::NoPen);
        painter->drawPolygon(arrow);
    }
    painter->restore();
}

void InstallMenuStyle(QApplication& app) {
    if (qobject_cast<CMenuStyle*>(app.style()) != nullptr) return;
    QStyle* base = QStyleFactory::create(app.style()->name());
    app.setStyle(new CMenuStyle(base));
}

}  // namespace qv530
