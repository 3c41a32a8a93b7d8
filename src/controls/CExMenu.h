#pragma once
// Owner-drawn popup menus in the dark-red theme. CMenuStyle, installed once
// for the whole application (InstallMenuStyle), draws every QMenu the program
// opens: 20-pixel items, 5-pixel separators, 8 pixels of width per character
// and a three-pixel red frame. CExMenu adds the item records (command id,
// red text mark, trademark mark) that the style reads.
#include "MenuMetrics.h"

#include <QMenu>
#include <QProxyStyle>

class QApplication;

namespace qv530 {

class CExMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kSeparatorAppendId = 0x800;

    explicit CExMenu(const QFont* font = nullptr, QWidget* parent = nullptr);

    // Appends an item: a separator for id 0, a submenu entry when `submenu` is
    // given, else a command with that id. colourMark draws the text in red;
    // trademarkMark draws a small "TM" after it.
    QAction* AppendItem(int id, const QString& text, QMenu* submenu = nullptr, bool colourMark = false,
                        bool trademarkMark = false);

    // Runs the menu at a global position; returns the chosen command id, 0 for none.
    int Exec(const QPoint& globalPos);

    const MenuMeasure& Measure() const { return measure_; }
    int Count() const { return measure_.count; }

    // The command id of an item (0 for a separator).
    static int CommandId(const QAction* action);

private:
    MenuMeasure measure_;
};

// Draws every menu of the application in the theme.
class CMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit CMenuStyle(QStyle* base = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

// Installs CMenuStyle over the application's current style, once.
void InstallMenuStyle(QApplication& app);

// The text of a menu item as it is measured and drawn: without mnemonic
// ampersands and without the shortcut part after a tab.
QString MenuItemText(const QString& text);

}  // namespace qv530
