#include "SkinKinds.h"

#include "runtime/controls/Panel.h"
#include "runtime/controls/SpeedButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

#include <typeinfo>

std::optional<TSkinControl> SkinControlKind(const QWidget* w)
{
    if (!w) return std::nullopt;
    if (dynamic_cast<const TSpeedButton*>(w)) return xcSpeedButton;
    if (dynamic_cast<const TPanel*>(w)) return xcPanel;
    if (dynamic_cast<const QMenuBar*>(w)) return xcMainMenu;
    if (dynamic_cast<const QMenu*>(w)) return xcPopupMenu;
    if (dynamic_cast<const QToolBar*>(w)) return xcToolbar;
    if (dynamic_cast<const QComboBox*>(w)) return xcCombo;
    if (auto* edit = dynamic_cast<const QLineEdit*>(w)) return edit->inputMask().isEmpty() ? xcEdit : xcMaskEdit;
    if (dynamic_cast<const QPlainTextEdit*>(w)) return xcMemo;
    if (dynamic_cast<const QTextEdit*>(w)) return xcRichEdit;
    if (dynamic_cast<const QListView*>(w)) return xcListBox;
    if (dynamic_cast<const QCheckBox*>(w)) return xcCheckBox;
    if (dynamic_cast<const QRadioButton*>(w)) return xcRadioButton;
    if (auto* button = dynamic_cast<const QPushButton*>(w)) return button->icon().isNull() ? xcButton : xcBitBtn;
    if (dynamic_cast<const QGroupBox*>(w)) return xcGroupBox;
    return std::nullopt;
}

std::optional<TSkinContainer> SkinContainerKind(const QWidget* w, const QWidget* form)
{
    if (!w) return std::nullopt;
    if (w == form) return xccForm;
    if (dynamic_cast<const TPanel*>(w)) return xccPanel;
    if (dynamic_cast<const QGroupBox*>(w)) return xccGroupBox;
    if (dynamic_cast<const QToolBar*>(w)) return xccToolbar;
    const QWidget* parent = w->parentWidget();
    // The page of a tab widget sits in the tab widget's stack.
    if (parent && dynamic_cast<const QStackedWidget*>(parent) &&
        dynamic_cast<const QTabWidget*>(parent->parentWidget()))
        return xccTabSheet;
    // The contents of a scroll area sit in its viewport.
    if (parent && dynamic_cast<const QScrollArea*>(parent->parentWidget()) &&
        static_cast<const QScrollArea*>(parent->parentWidget())->widget() == w)
        return xccScrollBox;
    // A plain widget grouping controls is a frame: part of the form.
    // (Only the plain classes: custom controls built on QWidget are no frames.)
    if (typeid(*w) == typeid(QWidget) || typeid(*w) == typeid(QFrame)) return xccFrame;
    return std::nullopt;
}
