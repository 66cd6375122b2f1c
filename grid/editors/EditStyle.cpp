#include "grid/editors/EditStyle.h"

#include "grid/editors/InplaceEdit.h"

#include <algorithm>

// ---- Controllers

TqvStyleController::~TqvStyleController()
{
    // The editors fall back to their own style's fallback.
    std::vector<TqvInplaceEdit*> editors = std::move(editors_);
    for (TqvInplaceEdit* editor : editors) editor->controllerGone(this);
}

void TqvStyleController::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0 && pending_) {
        pending_ = false;
        Changed();
    }
}

void TqvStyleController::Changed()
{
    if (updateCount_ > 0 || loading_) {
        pending_ = true;
        return;
    }
    std::vector<TqvInplaceEdit*> editors = editors_;
    for (TqvInplaceEdit* editor : editors) {
        editor->StyleChanged();
        if (OnStyleChanged) OnStyleChanged(this, editor);
    }
}

void TqvStyleController::addEditor(TqvInplaceEdit* editor)
{
    if (std::find(editors_.begin(), editors_.end(), editor) == editors_.end()) editors_.push_back(editor);
}

void TqvStyleController::removeEditor(TqvInplaceEdit* editor)
{
    editors_.erase(std::remove(editors_.begin(), editors_.end(), editor), editors_.end());
}

TqvEditStyleController& TqvEditStyleController::Default()
{
    static TqvEditStyleController controller;
    return controller;
}

// ---- Styles

TqvEditStyleData TqvEditStyle::FallbackValues() const { return TqvEditStyleController::Default().Values(); }

TqvEditStyleData TqvEditStyle::Values() const
{
    TqvEditStyleData v = FallbackValues();
    if (editor_)
        if (auto* controller = dynamic_cast<TqvEditStyleController*>(editor_->StyleController()))
            v = controller->Values();
    if (assigned_.Contains(svBorderColor)) v.BorderColor = own_.BorderColor;
    if (assigned_.Contains(svBorderStyle)) v.BorderStyle = own_.BorderStyle;
    if (assigned_.Contains(svButtonStyle)) v.ButtonStyle = own_.ButtonStyle;
    if (assigned_.Contains(svButtonTransparence)) v.ButtonTransparence = own_.ButtonTransparence;
    if (assigned_.Contains(svEdges)) v.Edges = own_.Edges;
    if (assigned_.Contains(svHotTrack)) v.HotTrack = own_.HotTrack;
    if (assigned_.Contains(svShadow)) v.Shadow = own_.Shadow;
    return v;
}

void TqvEditStyle::SetAssignedValues(TqvEditStyleValues values)
{
    if (values == assigned_) return;
    assigned_ = values;
    Changed();
}

void TqvEditStyle::Changed()
{
    if (editor_) editor_->StyleChanged();
}
