#pragma once
// Which kinds of control the skin can take over and which kinds of container
// it looks into, and how a widget is told apart as one of them.
//
// Forms and frames are always looked into. Kinds that have no widget here
// (control bars, cool bars, page scrollers) are accepted in the sets and
// simply never met. A menu counts as owner-drawn already when it has a style
// of its own.

#include <cstdint>
#include <initializer_list>
#include <optional>

class QWidget;

enum TSkinControl {
    xcMainMenu,
    xcPopupMenu,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcListBox,
    xcEdit,
    xcMaskEdit,
    xcMemo,
    xcRichEdit,
    xcCheckBox,
    xcRadioButton,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcPanel,
    xcGroupBox,
};

enum TSkinContainer {
    xccForm,
    xccFrame,
    xccToolbar,
    xccCoolbar,
    xccControlbar,
    xccPanel,
    xccScrollBox,
    xccGroupBox,
    xccTabSheet,
    xccPageScroller,
};

// A set of kinds (bit i = kind i).
template <class Kind, int Count>
class TKindSet {
public:
    constexpr TKindSet() = default;
    constexpr TKindSet(std::initializer_list<Kind> kinds)
    {
        for (Kind k : kinds) bits_ |= bit(k);
    }
    static constexpr TKindSet All()
    {
        TKindSet s;
        s.bits_ = (uint32_t(1) << Count) - 1;
        return s;
    }
    constexpr bool Contains(Kind k) const { return bits_ & bit(k); }
    constexpr TKindSet With(Kind k) const { return fromBits(bits_ | bit(k)); }
    constexpr TKindSet Without(Kind k) const { return fromBits(bits_ & ~bit(k)); }
    constexpr bool operator==(const TKindSet&) const = default;

private:
    static constexpr uint32_t bit(Kind k) { return uint32_t(1) << static_cast<int>(k); }
    static constexpr TKindSet fromBits(uint32_t bits)
    {
        TKindSet s;
        s.bits_ = bits;
        return s;
    }
    uint32_t bits_ = 0;
};

using TSkinControls = TKindSet<TSkinControl, 17>;
using TSkinContainers = TKindSet<TSkinContainer, 10>;

// The control kind of a widget, if the skin knows it.
std::optional<TSkinControl> SkinControlKind(const QWidget* widget);
// The container kind of a widget, if it is one. `form` is the skin's form.
std::optional<TSkinContainer> SkinContainerKind(const QWidget* widget, const QWidget* form);
