#pragma once
// The visual style of the in-place editors: seven values (border colour and
// style, button style and transparence, edges, hot tracking, shadow) that an
// editor reads through its TqvEditStyle.
//
// Reading a value goes, in this order, to: the style's own value (one that was
// set on it, flagged in AssignedValues); the editor's style controller, when
// it has one; the style's fallback. A plain style falls back to one
// module-wide default controller; the grid's style (TqvTreeListEditStyle)
// falls back to what the grid says (its grid lines and look).
//
// Rules that are easy to break:
// - Only assigned values belong to the style; clearing AssignedValues forgets
//   them all.
// - Every change of a style, of a controller value or of an editor's
//   controller makes the linked editors recompute their shape and repaint. A
//   controller says nothing while its updates are locked or it is loading,
//   and tells all its editors once at the end of the update.
// - A controller that goes away unlinks its editors first; they fall back.

#include "grid/treelist/TreeListTypes.h"
#include "runtime/Color.h"
#include "runtime/Component.h"

#include <functional>
#include <memory>
#include <vector>

class TqvInplaceEdit;

enum TqvEditBorderStyle : uint8_t { xbsNone, xbsSingle, xbsThick, xbsFlat, xbs3D };
enum TqvEditButtonViewStyle : uint8_t { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat };
enum TqvEditButtonTransparence : uint8_t { ebtNone, ebtInactive, ebtAlways, ebtHideInactive };
enum TqvEditEdge : uint8_t { edgLeft, edgTop, edgRight, edgBottom };
using TqvEditEdges = TqvOptionSet<TqvEditEdge>;
enum TqvEditStyleValue : uint8_t {
    svBorderColor,
    svBorderStyle,
    svButtonStyle,
    svButtonTransparence,
    svEdges,
    svHotTrack,
    svShadow
};
using TqvEditStyleValues = TqvOptionSet<TqvEditStyleValue>;

inline constexpr TqvEditEdges AllEdges{edgLeft, edgTop, edgRight, edgBottom};

// The seven values, as one record.
struct TqvEditStyleData {
    TColor BorderColor = clWindowFrame;
    TqvEditBorderStyle BorderStyle = xbs3D;
    TqvEditButtonViewStyle ButtonStyle = btsDefault;
    TqvEditButtonTransparence ButtonTransparence = ebtNone;
    TqvEditEdges Edges = AllEdges;
    bool HotTrack = false;
    bool Shadow = false;
    bool operator==(const TqvEditStyleData&) const = default;
};

// Keeps a list of linked editors and tells them when a style changes.
class TqvStyleController : public TComponent {
public:
    explicit TqvStyleController(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TqvStyleController() override;
    const char* ClassName() const override { return "TqvStyleController"; }

    void BeginUpdate() { ++updateCount_; }
    // At the outermost end the editors hear of the changes made meanwhile.
    void EndUpdate();
    bool IsLoading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }
    const std::vector<TqvInplaceEdit*>& LinkedEditors() const { return editors_; }

    // Raised per linked editor after a change; Sender is the controller.
    std::function<void(TComponent* Sender, TqvInplaceEdit* AEdit)> OnStyleChanged;

protected:
    // A value changed: the editors are told (unless locked or loading).
    void Changed();

private:
    friend class TqvInplaceEdit;
    void addEditor(TqvInplaceEdit* editor);
    void removeEditor(TqvInplaceEdit* editor);

    std::vector<TqvInplaceEdit*> editors_;
    int updateCount_ = 0;
    bool pending_ = false;
    bool loading_ = false;
};

// A shared set of edit style values.
class TqvEditStyleController : public TqvStyleController {
public:
    using TqvStyleController::TqvStyleController;
    const char* ClassName() const override { return "TqvEditStyleController"; }

    const TqvEditStyleData& Values() const { return values_; }
    TColor BorderColor() const { return values_.BorderColor; }
    void SetBorderColor(TColor v) { set(values_.BorderColor, v); }
    TqvEditBorderStyle BorderStyle() const { return values_.BorderStyle; }
    void SetBorderStyle(TqvEditBorderStyle v) { set(values_.BorderStyle, v); }
    TqvEditButtonViewStyle ButtonStyle() const { return values_.ButtonStyle; }
    void SetButtonStyle(TqvEditButtonViewStyle v) { set(values_.ButtonStyle, v); }
    TqvEditButtonTransparence ButtonTransparence() const { return values_.ButtonTransparence; }
    void SetButtonTransparence(TqvEditButtonTransparence v) { set(values_.ButtonTransparence, v); }
    TqvEditEdges Edges() const { return values_.Edges; }
    void SetEdges(TqvEditEdges v) { set(values_.Edges, v); }
    bool HotTrack() const { return values_.HotTrack; }
    void SetHotTrack(bool v) { set(values_.HotTrack, v); }
    bool Shadow() const { return values_.Shadow; }
    void SetShadow(bool v) { set(values_.Shadow, v); }

    // The module-wide controller with the built-in defaults: the fallback of
    // every plain style. It lives as long as the library.
    static TqvEditStyleController& Default();

private:
    template <class T>
    void set(T& slot, const T& value)
    {
        if (slot == value) return;
        slot = value;
        Changed();
    }
    TqvEditStyleData values_;
};

// The check-box variant (same values; the check editor reads it).
class TqvCheckEditStyleController : public TqvEditStyleController {
public:
    using TqvEditStyleController::TqvEditStyleController;
    const char* ClassName() const override { return "TqvCheckEditStyleController"; }
};

// The style of one editor.
class TqvEditStyle {
public:
    explicit TqvEditStyle(TqvInplaceEdit* editor) : editor_(editor) {}
    virtual ~TqvEditStyle() = default;
    TqvEditStyle(const TqvEditStyle&) = delete;
    TqvEditStyle& operator=(const TqvEditStyle&) = delete;

    TqvInplaceEdit* Editor() const { return editor_; }
    // The values in force (own, else controller, else fallback).
    TqvEditStyleData Values() const;
    TColor BorderColor() const { return Values().BorderColor; }
    void SetBorderColor(TColor v) { set(svBorderColor, own_.BorderColor, v); }
    TqvEditBorderStyle BorderStyle() const { return Values().BorderStyle; }
    void SetBorderStyle(TqvEditBorderStyle v) { set(svBorderStyle, own_.BorderStyle, v); }
    TqvEditButtonViewStyle ButtonStyle() const { return Values().ButtonStyle; }
    void SetButtonStyle(TqvEditButtonViewStyle v) { set(svButtonStyle, own_.ButtonStyle, v); }
    TqvEditButtonTransparence ButtonTransparence() const { return Values().ButtonTransparence; }
    void SetButtonTransparence(TqvEditButtonTransparence v) { set(svButtonTransparence, own_.ButtonTransparence, v); }
    TqvEditEdges Edges() const { return Values().Edges; }
    void SetEdges(TqvEditEdges v) { set(svEdges, own_.Edges, v); }
    bool HotTrack() const { return Values().HotTrack; }
    void SetHotTrack(bool v) { set(svHotTrack, own_.HotTrack, v); }
    bool Shadow() const { return Values().Shadow; }
    void SetShadow(bool v) { set(svShadow, own_.Shadow, v); }

    TqvEditStyleValues AssignedValues() const { return assigned_; }
    // Values whose flag goes are forgotten (they read through again).
    void SetAssignedValues(TqvEditStyleValues values);

protected:
    // Where values come from when neither the style nor a controller has them.
    virtual TqvEditStyleData FallbackValues() const;
    // Tells the editor that its look changed.
    void Changed();

private:
    template <class T>
    void set(TqvEditStyleValue flag, T& slot, const T& value)
    {
        if (assigned_.Contains(flag) && slot == value) return;
        slot = value;
        assigned_ = assigned_.With(flag);
        Changed();
    }
    TqvInplaceEdit* editor_;
    TqvEditStyleData own_;
    TqvEditStyleValues assigned_;
};

// The grid's style: its fallback is the grid (border by its grid lines,
// button style by its look).
class TqvTreeListEditStyle : public TqvEditStyle {
public:
    TqvTreeListEditStyle(TqvInplaceEdit* editor, std::function<TqvEditStyleData()> gridValues)
        : TqvEditStyle(editor), gridValues_(std::move(gridValues))
    {
    }

protected:
    TqvEditStyleData FallbackValues() const override { return gridValues_(); }

private:
    std::function<TqvEditStyleData()> gridValues_;
};

// A container whose editors take a style of its own (the grid's) instead of
// a plain one. The editor asks its container once, when it is made.
class TqvEditStyleSource {
public:
    virtual ~TqvEditStyleSource() = default;
    // The style object of a new editor; null leaves the editor a plain style.
    virtual std::unique_ptr<TqvEditStyle> CreateEditStyle(TqvInplaceEdit* editor) = 0;
};

// The check box's style (same values).
class TqvCheckEditStyle : public TqvEditStyle {
public:
    using TqvEditStyle::TqvEditStyle;
};
