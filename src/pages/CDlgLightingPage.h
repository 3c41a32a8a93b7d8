#pragma once
// The lighting page of the settings panel, for the mouse (CDlgLighting) or
// the pad (CDlgLightingPad): one row per offered effect with its radio icon,
// caption and level slider, then the colour row with five swatches and the
// colour-cycle picture. It paints and turns clicks into the Qt-free rules
// of settings/LightingRules; every change goes through the ProfileEditor.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "settings/LightingRules.h"

namespace qv530 {

class CDMarker;
class ProfileEditor;

class CDlgLightingPage : public QWidget {
    Q_OBJECT
public:
    CDlgLightingPage(LightDevice device, ProfileEditor& editor, QWidget* parent);

    // Makes `mode` the stored effect (any number; standard turns a colour
    // cycle into entry 0) and shows the record.
    void SelectMode(int mode);

public slots:
    // Shows the record as it stands, keeping a stored effect the page cannot offer.
    void RefreshFromSettings();

public:

    LightDevice device() const { return device_; }
    int RowCount() const { return static_cast<int>(sliders_.size()); }
    CDMarker* Slider(int row) const { return sliders_[static_cast<std::size_t>(row)]; }
    // Page coordinates of the hot areas.
    QRect RadioRect(int row) const;
    QRect SwatchRect(int swatch) const;

    // Asks for a new colour; nothing when the user cancels. The default opens
    // the desktop's colour chooser starting at black; tests replace it.
    std::function<std::optional<QColor>(QWidget* parent)> chooseColour;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int RowAt(QPoint point) const;
    int SwatchAt(QPoint point) const;
    void PickRow(int row);
    void ChooseSwatch(int swatch);
    void OpenChooser(int swatch);
    void ShowRecord();
    void CreateFocusItems();

    LightDevice device_;
    ProfileEditor& editor_;
    std::vector<LightEffect> effects_;
    std::vector<CDMarker*> sliders_;
    QImage background_;
    QImage radioOn_;
    QImage radioOff_;
    QImage colourCycle_;
    QFont font_;
};

} // namespace qv530
