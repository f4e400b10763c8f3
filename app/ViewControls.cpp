// Pan, zoom and the view presets (see ViewControls.h).
#include "ViewControls.h"

#include <QAction>
#include <QPushButton>
#include <QScrollBar>

#include "MainForm.h"

namespace tarvell {

ViewControls::ViewControls(TMainForm& form) : form_(form) {
    QObject::connect(form.SBPanVert, &QScrollBar::valueChanged, &form,
                     [this] { SBPanVertChange(); });
    QObject::connect(form.SBPanHorz, &QScrollBar::valueChanged, &form,
                     [this] { SBPanHorzChange(); });
    QObject::connect(form.SBZoom, &QScrollBar::valueChanged, &form, [this] { SBZoomChange(); });
    QObject::connect(form.NormVHZ, &QPushButton::clicked, &form, [this] { NormVHZClick(); });
    QObject::connect(form.Preset[0], &QPushButton::clicked, &form, [this] { Preset0Click(); });
    for (int n = 1; n <= 6; ++n)
        QObject::connect(form.Preset[static_cast<std::size_t>(n)], &QPushButton::clicked, &form,
                         [this, n] { PresetClick(n); });
    QObject::connect(form.SetPanZoom, &QAction::triggered, &form, [this] { SetPanZoomClick(); });
}

int ViewControls::stepFrom(QScrollBar* bar, StepBar& history) {
    const int p = bar->value();
    const int step = stepBarChange(history, p);
    form_.NormVHZ->setEnabled(true);
    // Back to rest; that change comes here once more with p = 0 and gives no step.
    if (p != 0) bar->setValue(0);
    return step;
}

void ViewControls::SBPanVertChange() {
    const int step = stepFrom(form_.SBPanVert, panVert_);
    if (step != 0) panVertical(form_.model().view, static_cast<float>(step) / 10.0f);
}

void ViewControls::SBPanHorzChange() {
    const int step = stepFrom(form_.SBPanHorz, panHorz_);
    if (step != 0) panHorizontal(form_.model().view, static_cast<float>(step) / 10.0f);
}

void ViewControls::SBZoomChange() {
    const int step = stepFrom(form_.SBZoom, zoom_);
    if (step != 0) zoomStep(form_.model().view, static_cast<float>(step) / 10.0f);
}

void ViewControls::NormVHZClick() {
    for (QScrollBar* bar : {form_.SBPanVert, form_.SBPanHorz, form_.SBZoom}) bar->setValue(0);
    returnToNormalView(form_.model().view);
    form_.NormVHZ->setEnabled(false);
    form_.Preset[0]->setEnabled(true);
}

void ViewControls::Preset0Click() {
    capturePreset(form_.model().view);
    form_.Preset[0]->setEnabled(false);  // store mode: the next number keeps this view
    form_.NormVHZ->setEnabled(true);
}

void ViewControls::PresetClick(int n) {
    const bool storeMode = !form_.Preset[0]->isEnabled();
    choosePreset(form_.model().view, n, storeMode);
    form_.NormVHZ->setEnabled(true);
    form_.Preset[0]->setEnabled(true);
}

void ViewControls::SetPanZoomClick() {
    QAction* item = form_.SetPanZoom;
    const bool show = item->text() != "SetP&anZoom Off";
    item->setText(show ? "SetP&anZoom Off" : "SetP&anZoom On");
    for (QScrollBar* bar : {form_.SBPanVert, form_.SBPanHorz, form_.SBZoom}) bar->setVisible(show);
}

void ViewControls::viewMoved() {
    form_.NormVHZ->setEnabled(true);
}

}  // namespace tarvell
