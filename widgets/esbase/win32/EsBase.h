// The attached label: an effect label linked to a windowed control on the same form, which it
// tells about itself whenever it has been loaded or moved, so that the control can place itself
// beside it.
#pragma once

#include "EsLabel.h"
#include "WinComponents.h"

#include <windows.h>

namespace kolvo {

// Sent (and waited for) to the attached control after every load and bounds change; the
// parameter (lParam) is the label.
inline constexpr UINT AttachedLabelChangedMessage = 1126;
// Posted to the attached control right after that, without parameters.
inline constexpr UINT AttachedLabelPostedMessage = 1125;

inline constexpr char AttachedLabelClassName[] = "TEsAttachedLabel";

class TEsAttachedLabel : public TEsCustomLabel, public TComponent {
public:
    explicit TEsAttachedLabel(TComponent* owner);
    TEsAttachedLabel(TComponent* owner, TWinComponent* control);
    ~TEsAttachedLabel() override;

    TWinComponent* EsControl() const { return esControl_; }
    void SetEsControl(TWinComponent* control) { esControl_ = control; }

    // The control layer has no font inheritance; a parent that changes its font tells its
    // labels, and a label with ParentFont on takes it.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont) { parentFont_ = parentFont; }
    void ParentFontChanged(const FontDesc& font);

    void BeginLoading() override;
    void Loaded() override;
    // The layer's SetBounds, then the control hears of it. (The layer's SetBounds is not
    // virtual: move an attached label through this class.)
    void SetBounds(int left, int top, int width, int height);

    // Tells EsControl about the label: only when the label is neither loading nor being
    // destroyed, sits on a form and EsControl is one of that form's components.
    void NotifyControl();

protected:
    void ComponentRemoved(TComponent* component) override;

private:
    TWinComponent* esControl_ = nullptr;
    bool parentFont_ = true;
};

} // namespace kolvo
