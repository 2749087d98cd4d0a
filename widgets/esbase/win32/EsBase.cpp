#include "EsBase.h"

namespace kolvo {

TEsAttachedLabel::TEsAttachedLabel(TComponent* owner) : TComponent(owner) {
    SetAutoSize(true);
    // The text scheme first, then no effects: each preset leaves the other one as it is.
    SetColorScheme(TEsColorScheme::csText);
    SetAppearance(TEsAppearance::apNone);
    parentFont_ = true;
    SetTransparent(false);
}

TEsAttachedLabel::TEsAttachedLabel(TComponent* owner, TWinComponent* control)
    : TEsAttachedLabel(owner) {
    esControl_ = control;
}

TEsAttachedLabel::~TEsAttachedLabel() {
    MarkDestroying();
}

void TEsAttachedLabel::ParentFontChanged(const FontDesc& font) {
    if (parentFont_) {
        SetFont(font);
    }
}

void TEsAttachedLabel::BeginLoading() {
    TComponent::BeginLoading();
    SetLoading(true);
}

void TEsAttachedLabel::Loaded() {
    SetLoading(false);
    TComponent::Loaded();
    NotifyControl();
}

void TEsAttachedLabel::SetBounds(int left, int top, int width, int height) {
    WindowlessControl::SetBounds(left, top, width, height);
    NotifyControl();
}

void TEsAttachedLabel::NotifyControl() {
    if (Loading() || Destroying() || esControl_ == nullptr) {
        return;
    }
    const TFormComponent* form = FormOfWindow(Parent());
    if (form == nullptr) {
        return;
    }
    for (const TComponent* component : form->Components()) {
        if (component == esControl_) {
            const HWND control = esControl_->Handle();
            if (control != nullptr) {
                SendMessageA(control, AttachedLabelChangedMessage, 0,
                             reinterpret_cast<LPARAM>(this));
                PostMessageA(control, AttachedLabelPostedMessage, 0, 0);
            }
            return;
        }
    }
}

void TEsAttachedLabel::ComponentRemoved(TComponent* component) {
    if (component == esControl_) {
        esControl_ = nullptr;
    }
}

} // namespace kolvo
