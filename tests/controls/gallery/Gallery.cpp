// Review sheet: every skinned control in its states and every skin picture,
// labelled, on one PNG.
//   control_gallery <skin folder> <sheet.png>
#include "CBitmapBtn.h"
#include "CDMarker.h"
#include "CExMenu.h"
#include "CLBEditorWnd.h"
#include "CListBoxPro.h"
#include "CSkinScrollBar.h"
#include "CSkinScrollWnd.h"
#include "SkinGeometry.h"
#include "SkinLoader.h"

#include <QApplication>
#include <QDirIterator>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QTextEdit>
#include <cstdio>
#include <vector>

using namespace qv530;
namespace skin = qv530::skin;

namespace {

struct Tile {
    QString label;
    QImage image;
};

struct Section {
    QString title;
    std::vector<Tile> tiles;
};

QImage Grab(QWidget& w) { return w.grab().toImage(); }

void Move(QWidget* w, QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void Press(QWidget* w, QPoint p, QEvent::Type type = QEvent::MouseButtonPress) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A host window with a dark background so transparent parts read correctly.
QWidget* Host(QSize size) {
    auto* host = new QWidget;
    host->setAutoFillBackground(true);
    QPalette pal = host->palette();
    pal.setColor(QPalette::Window, QColor(24, 10, 12));
    host->setPalette(pal);
    host->resize(size);
    return host;
}

Section Buttons() {
    Section s{QStringLiteral("CBitmapBtn"), {}};
    const QImage n = SkinLoader::Load("\\skins\\button-cancel-normal.png");
    const QImage o = SkinLoader::Load("\\skins\\button-cancel-over.png");
    const QImage l = SkinLoader::Load("\\skins\\button-cancel-leave.png");
    const QImage d = SkinLoader::Load("\\skins\\button-save-leave.png");
    auto make = [&](const QString& label, auto setup) {
        std::unique_ptr<QWidget> host(Host(QSize(57, 30)));
        auto* b = new CBitmapBtn(host.get(), 1);
        b->SetImages(0, 0, 57, 30, n, o, l, d);
        b->SetCaption(QStringLiteral("Apply"));
        b->alignment = 0;
        host->show();
        setup(*b);
        s.tiles.push_back({label, Grab(*host)});
    };
    make(QStringLiteral("normal"), [](CBitmapBtn&) {});
    make(QStringLiteral("hover"), [](CBitmapBtn& b) { Move(&b, QPoint(20, 10)); });
    make(QStringLiteral("pressed"), [](CBitmapBtn& b) { b.setDown(true); });
    make(QStringLiteral("checked"), [](CBitmapBtn& b) { b.SetChecked(true); });
    make(QStringLiteral("disabled"), [](CBitmapBtn& b) { b.setEnabled(false); });
    make(QStringLiteral("checkbox off dis."), [](CBitmapBtn& b) { b.SetCheckBox(true); b.setEnabled(false); });
    make(QStringLiteral("checkbox on dis."), [](CBitmapBtn& b) {
        b.SetCheckBox(true);
        b.SetChecked(true);
        b.setEnabled(false);
    });
    make(QStringLiteral("left, elided"), [](CBitmapBtn& b) {
        b.alignment = 1;
        b.SetCaption(QStringLiteral("A very long caption"));
    });
    make(QStringLiteral("right"), [](CBitmapBtn& b) { b.alignment = 2; });

    // Header with indicator bars.
    const QImage item = SkinLoader::Load("\\skins\\ItemBK.png");
    for (int mask : {5, 7, 8, 0}) {
        std::unique_ptr<QWidget> host(Host(QSize(skin::kSectionHeader.width, skin::kSectionHeader.height)));
        auto* b = new CBitmapBtn(host.get(), 2);
        b->SetImages(0, 0, skin::kSectionHeader.width, skin::kSectionHeader.height, item, item, item, item);
        b->SetCaption(QStringLiteral("DPI Setting"));
        b->fontHeight = 13;
        b->textIndent = 6;
        b->indicatorMask = mask;
        host->show();
        s.tiles.push_back({QStringLiteral("indicator %1").arg(mask), Grab(*host)});
    }
    // Drop-down selector and view buttons.
    const QImage dn = SkinLoader::Load("\\skins\\ButtonAssignment\\DropdownBox-normal.png");
    const QImage dov = SkinLoader::Load("\\skins\\ButtonAssignment\\DropdownBox-over.png");
    for (bool selected : {false, true}) {
        std::unique_ptr<QWidget> host(Host(QSize(skin::kDropdownBox.width, skin::kDropdownBox.height)));
        auto* b = new CBitmapBtn(host.get(), 3);
        b->SetImages(0, 0, skin::kDropdownBox.width, skin::kDropdownBox.height, dn, dov, dov, dn);
        b->SetCaption(QStringLiteral("Click"));
        b->fontHeight = 12;
        b->SetChecked(selected);
        host->show();
        s.tiles.push_back({selected ? QStringLiteral("selector open") : QStringLiteral("selector"), Grab(*host)});
    }
    return s;
}

Section Markers() {
    Section s{QStringLiteral("CDMarker / CDMarkerV"), {}};
    const QImage track = SkinLoader::Load("\\skins\\StageSlider\\1.png");
    const QImage fill = SkinLoader::Load("\\skins\\StageSlider\\10.png");
    for (int v : {1, 2, 3, 5, 6}) {
        std::unique_ptr<QWidget> host(Host(QSize(127, 11)));
        auto* m = new CDMarker(QRect(0, 0, 127, 11), host.get(), 2037);
        m->SetImages(1, 0, 128, 11, track, fill);
        m->SetRange(1, 6);
        m->SetPos(v);
        host->show();
        s.tiles.push_back({QStringLiteral("1..6 at %1").arg(v), Grab(*host)});
    }
    {
        std::unique_ptr<QWidget> host(Host(QSize(208, 9)));
        auto* m = new CDMarker(QRect(0, 0, 208, 9), host.get(), 2025);
        m->SetImages(0, 0, 208, 9, SkinLoader::Load("\\skins\\XYSensitivity\\1.png"),
                     SkinLoader::Load("\\skins\\XYSensitivity\\2.png"));
        m->SetRange(1, 11);
        m->SetPos(6);
        host->show();
        s.tiles.push_back({QStringLiteral("X/Y 1..11 at 6"), Grab(*host)});
    }
    const QImage vt = SkinLoader::Load("\\skins\\DPISetting\\DPIStage\\0.png");
    const QImage vf = SkinLoader::Load("\\skins\\DPISetting\\DPIStage\\82.png");
    for (int v : {1, 60, 120, 179, 180}) {
        std::unique_ptr<QWidget> host(Host(QSize(7, 169)));
        auto* m = new CDMarkerV(QRect(0, 0, 7, 169), host.get(), 2027);
        m->SetImages(0, 0, 7, 169, vt, vf);
        m->SetRange(1, 180);
        m->SetPosClamped(v);
        host->show();
        s.tiles.push_back({QStringLiteral("V %1").arg(v), Grab(*host)});
    }
    return s;
}

Section Lists() {
    Section s{QStringLiteral("CListBoxPro / CLBEditorWnd"), {}};
    auto make = [&](const QString& label, auto setup) {
        std::unique_ptr<QWidget> host(Host(QSize(180, 110)));
        auto* list = new CListBoxPro(host.get(), 1006);
        list->setGeometry(0, 0, 180, 110);
        for (const char* t : {"A   Dn", "50 ms", "A   Up", "100 ms", "Left button  Dn", "Left button  Up"})
            list->addItem(QString::fromLatin1(t));
        host->show();
        setup(*list);
        QApplication::processEvents();
        s.tiles.push_back({label, Grab(*host)});
    };
    make(QStringLiteral("plain"), [](CListBoxPro&) {});
    make(QStringLiteral("selected 1"), [](CListBoxPro& l) { l.setCurrentRow(1); });
    make(QStringLiteral("hover 3, sel 1"), [](CListBoxPro& l) {
        l.setCurrentRow(1);
        Move(l.viewport(), l.visualItemRect(l.item(3)).center());
    });
    make(QStringLiteral("disabled item 2"), [](CListBoxPro& l) { l.SetItemDisabled(2, true); });
    make(QStringLiteral("editing item 3"), [](CListBoxPro& l) {
        l.SetEditMode(ListEditMode::Delay);
        auto* editor = new CLBEditorWnd(&l);
        editor->BeginEdit(3, true);
        editor->setText(QStringLiteral("250"));
    });
    return s;
}

Section ScrollBars() {
    Section s{QStringLiteral("CSkinScrollBar / CSkinScrollWnd"), {}};
    const QImage skinPicture = SkinLoader::LoadResource(skin::kScrollBarResource);
    auto make = [&](const QString& label, int length, ScrollState state, auto setup) {
        std::unique_ptr<QWidget> host(Host(QSize(skin::kScrollCell, length)));
        auto* bar = new CSkinScrollBar(Qt::Vertical, host.get(), 101);
        bar->SetSkin(skinPicture);
        bar->setGeometry(0, 0, skin::kScrollCell, length);
        bar->SetScrollInfo(state);
        host->show();
        setup(*bar);
        s.tiles.push_back({label, Grab(*host)});
        Press(bar, QPoint(1, 1), QEvent::MouseButtonRelease);
    };
    make(QStringLiteral("top"), 160, {0, 999, 230, 0}, [](CSkinScrollBar&) {});
    make(QStringLiteral("middle"), 160, {0, 999, 230, 385}, [](CSkinScrollBar&) {});
    make(QStringLiteral("end"), 160, {0, 999, 230, 770}, [](CSkinScrollBar&) {});
    make(QStringLiteral("no thumb"), 160, {0, 99, 230, 0}, [](CSkinScrollBar&) {});
    make(QStringLiteral("short: no thumb"), 20, {0, 999, 230, 0}, [](CSkinScrollBar&) {});
    make(QStringLiteral("hover arrow"), 160, {0, 999, 230, 385}, [](CSkinScrollBar& b) { Move(&b, QPoint(5, 154)); });
    make(QStringLiteral("pressed arrow"), 160, {0, 999, 230, 385}, [](CSkinScrollBar& b) { Press(&b, QPoint(5, 5)); });
    make(QStringLiteral("hover thumb"), 160, {0, 999, 230, 385}, [](CSkinScrollBar& b) {
        Move(&b, QPoint(5, b.Geometry().thumbStart() + 4));
    });
    {
        std::unique_ptr<QWidget> host(Host(QSize(160, skin::kScrollCell)));
        auto* bar = new CSkinScrollBar(Qt::Horizontal, host.get(), 100);
        bar->SetSkin(skinPicture);
        bar->setGeometry(0, 0, 160, skin::kScrollCell);
        bar->SetScrollInfo({0, 499, 160, 120});
        host->show();
        s.tiles.push_back({QStringLiteral("horizontal"), Grab(*host)});
    }
    {
        std::unique_ptr<QWidget> host(Host(QSize(200, 130)));
        auto* text = new QTextEdit(host.get());
        text->setGeometry(0, 0, 200, 130);
        text->setLineWrapMode(QTextEdit::NoWrap);
        QString body;
        for (int i = 1; i <= 40; ++i) body += QStringLiteral("Line %1 of a long text that needs both bars\n").arg(i);
        text->setPlainText(body);
        CSkinScrollWnd::SkinWindow(text, skinPicture);
        host->show();
        QApplication::processEvents();
        s.tiles.push_back({QStringLiteral("wrapped area + corner"), Grab(*host)});
    }
    return s;
}

Section Menus() {
    Section s{QStringLiteral("CExMenu and plain menus"), {}};
    auto grabMenu = [&](QMenu& menu, QAction* active, const QString& label) {
        menu.popup(QPoint(0, 0));
        if (active != nullptr) menu.setActiveAction(active);
        QApplication::processEvents();
        s.tiles.push_back({label, menu.grab().toImage()});
        menu.hide();
    };
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    CExMenu sub(&font);
    sub.AppendItem(2020, QStringLiteral("DPI +"));
    sub.AppendItem(2021, QStringLiteral("DPI -"));
    CExMenu menu(&font);
    menu.AppendItem(2001, QStringLiteral("Click"));
    QAction* second = menu.AppendItem(2002, QStringLiteral("Menu"));
    menu.AppendItem(2003, QStringLiteral("Scroll"));
    menu.AppendItem(0, QString());
    menu.AppendItem(2010, QStringLiteral("Snipe"), nullptr, true);
    menu.AppendItem(2012, QStringLiteral("Macro"), nullptr, false, true);
    menu.AppendItem(-1, QStringLiteral("DPI Setting +"), &sub);
    grabMenu(menu, second, QStringLiteral("selected item 2"));
    QMenu plain;
    plain.setFont(font);
    plain.addAction(QStringLiteral("&Open"));
    plain.addAction(QStringLiteral("Exit"));
    grabMenu(plain, nullptr, QStringLiteral("plain QMenu"));
    return s;
}

Section Views() {
    Section s{QStringLiteral("Mouse views with overlays (button 1/4 selected)"), {}};
    struct View {
        const char* picture;
        const char* folder;
        const char* letter;
        const std::array<skin::Point, 7>* overlays;
        int selected;
    };
    const View views[] = {{"Skins\\Mouse\\Front\\MouseFront.png", "/Mouse/Front/", "F", &skin::kFrontOverlays, 1},
                          {"Skins\\Mouse\\Side\\MouseSide.png", "/Mouse/Side/", "S", &skin::kSideOverlays, 1},
                          {"Skins\\Mouse\\Back\\MouseBack.png", "/Mouse/Back/", "B", &skin::kBackOverlays, 4}};
    const QImage mid = SkinLoader::Load("Skins\\BK_MainMid.png");
    for (const View& v : views) {
        QImage sheet(mid.size(), QImage::Format_ARGB32_Premultiplied);
        sheet.fill(Qt::black);
        QPainter p(&sheet);
        p.drawImage(0, 0, mid);
        p.drawImage(0, 0, SkinLoader::Load(v.picture));
        for (int n = 1; n <= 7; ++n) {
            const skin::Point at = (*v.overlays)[static_cast<std::size_t>(n - 1)];
            if (at.x < 0) continue;
            const QString name = QStringLiteral("%1%2-%3-%4.png")
                                     .arg(QLatin1String(v.folder), QLatin1String(v.letter))
                                     .arg(n)
                                     .arg(n == v.selected ? QStringLiteral("over") : QStringLiteral("normal"));
            p.drawImage(at.x - skin::kMousePictureOrigin.x, at.y - skin::kMousePictureOrigin.y,
                        SkinLoader::Load(name));
        }
        p.end();
        s.tiles.push_back({QLatin1String(v.letter), sheet});
    }
    return s;
}

Section Pictures(const QString& folder) {
    Section s{QStringLiteral("Skin pictures"), {}};
    QStringList names;
    const QString root = QDir(folder).absolutePath();
    QDirIterator it(root, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) names << QDir(root).relativeFilePath(it.next());
    names.sort();
    for (const QString& name : names) {
        QImage image(root + QLatin1Char('/') + name);
        const QString label = QStringLiteral("%1 %2x%3").arg(name).arg(image.width()).arg(image.height());
        if (image.width() > 520) image = image.scaledToWidth(520, Qt::SmoothTransformation);
        s.tiles.push_back({label, image});
    }
    return s;
}

QImage Compose(const std::vector<Section>& sections) {
    constexpr int kWidth = 1600;
    constexpr int kGap = 12;
    constexpr int kLabel = 14;
    // First pass: measure.
    auto layout = [&](QPainter* p) {
        int y = 10;
        for (const Section& s : sections) {
            if (p) {
                p->setPen(QColor(255, 237, 0));
                p->setFont(QFont(QStringLiteral("DejaVu Sans"), 13, QFont::Bold));
                p->drawText(10, y + 16, s.title);
            }
            y += 26;
            int x = 10;
            int rowHeight = 0;
            for (const Tile& t : s.tiles) {
                const int w = std::max(t.image.width(), 170);
                if (x + w > kWidth - 10 && x > 10) {
                    x = 10;
                    y += rowHeight + kGap;
                    rowHeight = 0;
                }
                if (p) {
                    p->setPen(QColor(220, 200, 200));
                    p->setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
                    p->drawText(QRect(x, y, w + 60, kLabel), Qt::AlignLeft | Qt::AlignVCenter, t.label);
                    p->fillRect(QRect(x, y + kLabel, t.image.width(), t.image.height()), QColor(60, 60, 64));
                    p->drawImage(x, y + kLabel, t.image);
                }
                x += w + kGap;
                rowHeight = std::max(rowHeight, t.image.height() + kLabel);
            }
            y += rowHeight + 2 * kGap;
        }
        return y;
    };
    const int height = layout(nullptr);
    QImage sheet(kWidth, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(36, 36, 40));
    QPainter p(&sheet);
    layout(&p);
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: control_gallery <skin folder> <sheet.png>\n");
        return 2;
    }
    InstallMenuStyle(app);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    SkinLoader::SetSkinFolder(folder.toStdString());
    std::vector<Section> sections{Buttons(), Markers(), Lists(), ScrollBars(), Menus(), Views(), Pictures(folder)};
    const QImage sheet = Compose(sections);
    if (!sheet.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
