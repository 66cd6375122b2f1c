#pragma once
// The flat skin: a non-visual component on a form that gives the form's menus
// and standard controls a flat, light look by taking over their painting.
//
// Switching Active on attaches the skin to every control of a kind in
// SkinControls whose parent is a container of a kind in SkinContainers (forms
// and frames always), unless the control or its parent has Tag 999; menus
// become owner-drawn unless they already are (OverrideOwnerDraw takes them
// anyway). Controls created later are not taken over until the skin attaches
// again. Switching Active off detaches at once and gives every control back
// exactly what it had: its painting, its style, its frame.
//
// Each attached control has one event filter of the skin (TSkinSubclass),
// owned by the skin. It keeps the control's state — mouse over, focus, left
// button held, space key held — and repaints the control through the skin.
// A control destroyed while attached has its filter freed at once (the skin
// hears of it through the control's destroyed signal). A toolbar's buttons
// are taken over with the toolbar.
//
// The working palette is taken once, at creation, from the form's system
// colours and the screen depth; the colour properties are only stored.
//
// Ownership: the skin is a component of its form and is freed with it; it
// never frees the controls it paints.

#include "runtime/Component.h"
#include "runtime/Font.h"
#include "skin/SkinKinds.h"
#include "skin/SkinPalette.h"

#include <QPointer>

#include <memory>
#include <vector>

class QObject;
class QWidget;
class TSkinSubclass;

class TFlatSkin : public TComponent {
public:
    // `form` is the window whose controls are skinned; without one, the owner
    // when it is a widget.
    explicit TFlatSkin(TComponent* owner = nullptr, QWidget* form = nullptr);
    ~TFlatSkin() override;
    const char* ClassName() const override { return "TFlatSkin"; }

    QWidget* Form() const { return form_; }

    bool Active() const { return active_; }
    void SetActive(bool on);
    bool AutoDetect() const { return autoDetect_; }
    void SetAutoDetect(bool on) { autoDetect_ = on; }

    // Stored only: painting uses the working palette (Palette()).
    TColor Color() const { return color_; }
    void SetColor(TColor c) { color_ = c; }
    TColor IconBackColor() const { return iconBackColor_; }
    void SetIconBackColor(TColor c) { iconBackColor_ = c; }
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor c) { menuBarColor_ = c; }
    // Menus read it themselves when UseSystemColors is off.
    TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(TColor c) { selectColor_ = c; }
    TColor SelectBorderColor() const { return selectBorderColor_; }
    void SetSelectBorderColor(TColor c) { selectBorderColor_ = c; }
    TColor SelectFontColor() const { return selectFontColor_; }
    void SetSelectFontColor(TColor c) { selectFontColor_ = c; }
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor c) { disabledColor_ = c; }
    TColor SeparatorColor() const { return separatorColor_; }
    void SetSeparatorColor(TColor c) { separatorColor_ = c; }
    TColor CheckedColor() const { return checkedColor_; }
    void SetCheckedColor(TColor c) { checkedColor_ = c; }

    // Changing the font repaints the form's menu bar.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }

    int IconWidth() const { return iconWidth_; }
    void SetIconWidth(int width) { iconWidth_ = width; }
    uint8_t DimLevel() const { return dimLevel_; }
    void SetDimLevel(uint8_t level) { dimLevel_ = level; }
    uint8_t GrayLevel() const { return grayLevel_; }
    void SetGrayLevel(uint8_t level) { grayLevel_ = level; }
    bool DrawSelect() const { return drawSelect_; }
    void SetDrawSelect(bool on) { drawSelect_ = on; }
    bool DrawMenuBar() const { return drawMenuBar_; }
    void SetDrawMenuBar(bool on) { drawMenuBar_ = on; }
    bool UseSystemColors() const { return useSystemColors_; }
    void SetUseSystemColors(bool on) { useSystemColors_ = on; }
    bool UseDimColor() const { return useDimColor_; }
    void SetUseDimColor(bool on) { useDimColor_ = on; }
    bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
    void SetOverrideOwnerDraw(bool on) { overrideOwnerDraw_ = on; }
    bool Gradient() const { return gradient_; }
    void SetGradient(bool on) { gradient_ = on; }
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool on) { flatMenu_ = on; }
    bool DisableSubclassing() const { return disableSubclassing_; }
    void SetDisableSubclassing(bool on) { disableSubclassing_ = on; }

    // Changing either set while active detaches and attaches again.
    TSkinControls SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControls controls);
    TSkinContainers SkinContainers() const { return skinContainers_; }
    void SetSkinContainers(TSkinContainers containers);

    const TSkinPalette& Palette() const { return palette_; }

    // The controls the skin paints now, in the order it took them over.
    std::vector<QWidget*> AttachedControls() const;
    bool IsAttached(const QWidget* control) const;

private:
    void attach();
    void detach();
    void takeOver(QWidget* control, TSkinControl kind);
    void forget(TSkinSubclass* subclass);
    bool mayTakeOver(QWidget* control, TSkinControl kind) const;
    void repaintMenuBars();

    QPointer<QWidget> form_;
    bool active_ = false;
    bool autoDetect_ = false;
    TColor color_ = clBtnFace;
    TColor iconBackColor_ = clBtnFace;
    TColor menuBarColor_ = clBtnFace;
    TColor selectColor_ = clHighlight;
    TColor selectBorderColor_ = clHighlight;
    TColor selectFontColor_;
    TColor disabledColor_ = clInactiveCaption;
    TColor separatorColor_ = clBtnFace;
    TColor checkedColor_ = clHighlight;
    TFont font_;
    int iconWidth_ = 24;
    uint8_t dimLevel_ = 30;
    uint8_t grayLevel_ = 10;
    bool drawSelect_ = true;
    bool drawMenuBar_ = false;
    bool useSystemColors_ = true;
    bool useDimColor_ = false;
    bool overrideOwnerDraw_ = false;
    bool gradient_ = false;
    bool flatMenu_ = false;
    bool disableSubclassing_ = false;
    TSkinControls skinControls_ = TSkinControls::All();
    TSkinContainers skinContainers_ = TSkinContainers::All();
    TSkinPalette palette_;
    std::vector<std::unique_ptr<TSkinSubclass>> subclasses_;
    // The receiver of the attached controls' destroyed signals.
    std::unique_ptr<QObject> listener_;
};
