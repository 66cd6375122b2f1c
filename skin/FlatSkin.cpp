#include "FlatSkin.h"

#include "skin/SkinSubclass.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

intptr_t tagOf(const QObject* object)
{
    if (!object) return 0;
    if (auto* component = dynamic_cast<const TComponent*>(object)) return component->Tag();
    // Plain Qt widgets carry their tag as a property.
    return object->property("Tag").toLongLong();
}

int screenDepth(const QWidget* form)
{
    QScreen* screen = form ? form->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

}  // namespace

TFlatSkin::TFlatSkin(TComponent* owner, QWidget* form)
    : TComponent(owner), form_(form ? form : dynamic_cast<QWidget*>(owner)), listener_(std::make_unique<QObject>())
{
    font_.AssignQFont(QApplication::font("QMenu"));
    font_.SetColor(clMenuText);
    selectFontColor_ = font_.Color();
    // The working palette comes from the system colours now, once.
    const QPalette system = form_ ? form_->palette() : QApplication::palette();
    palette_ = MakeSkinPalette(system, screenDepth(form_), font_.Color());
    font_.OnChange = [this] { repaintMenuBars(); };
}

TFlatSkin::~TFlatSkin()
{
    font_.OnChange = nullptr;
    detach();
}

void TFlatSkin::SetActive(bool on)
{
    if (on == active_) return;
    active_ = on;
    if (on) attach();
    else detach();
}

void TFlatSkin::SetSkinControls(TSkinControls controls)
{
    if (controls == skinControls_) return;
    skinControls_ = controls;
    if (active_) {
        detach();
        attach();
    }
}

void TFlatSkin::SetSkinContainers(TSkinContainers containers)
{
    if (containers == skinContainers_) return;
    skinContainers_ = containers;
    if (active_) {
        detach();
        attach();
    }
}

bool TFlatSkin::mayTakeOver(QWidget* control, TSkinControl kind) const
{
    QWidget* parent = control->parentWidget();
    if (tagOf(control) == SkinTagExclude || tagOf(parent) == SkinTagExclude) return false;
    if (kind == xcMainMenu || kind == xcPopupMenu) {
        // A menu with a drawing of its own keeps it unless told otherwise.
        return overrideOwnerDraw_ || !control->testAttribute(Qt::WA_SetStyle);
    }
    // Only the form's own controls: not those of other windows it holds.
    if (control->window() != form_) return false;
    auto container = SkinContainerKind(parent, form_);
    if (!container) return false;
    return *container == xccForm || *container == xccFrame || skinContainers_.Contains(*container);
}

void TFlatSkin::takeOver(QWidget* control, TSkinControl kind)
{
    auto subclass = std::make_unique<TSkinSubclass>(*this, control, kind);
    TSkinSubclass* held = subclass.get();
    subclass->DestroyedConnection =
        QObject::connect(control, &QObject::destroyed, listener_.get(), [this, held] { forget(held); });
    subclasses_.push_back(std::move(subclass));
}

void TFlatSkin::attach()
{
    if (!form_) return;
    const QList<QWidget*> widgets = form_->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        auto kind = SkinControlKind(w);
        if (!kind || !skinControls_.Contains(*kind) || !mayTakeOver(w, *kind)) continue;
        takeOver(w, *kind);
        if (*kind == xcToolbar) {
            // The toolbar's buttons are drawn flat with it.
            for (QToolButton* button : w->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
                if (tagOf(button) != SkinTagExclude) takeOver(button, xcToolbar);
        }
    }
    repaintMenuBars();
}

void TFlatSkin::detach()
{
    // Last taken over, first given back.
    while (!subclasses_.empty()) {
        std::unique_ptr<TSkinSubclass> subclass = std::move(subclasses_.back());
        subclasses_.pop_back();
        subclass->Restore();
    }
    repaintMenuBars();
}

void TFlatSkin::forget(TSkinSubclass* subclass)
{
    auto it = std::find_if(subclasses_.begin(), subclasses_.end(),
                           [subclass](const std::unique_ptr<TSkinSubclass>& s) { return s.get() == subclass; });
    if (it != subclasses_.end()) subclasses_.erase(it);
}

void TFlatSkin::repaintMenuBars()
{
    if (!form_) return;
    for (QMenuBar* bar : form_->findChildren<QMenuBar*>()) bar->update();
}

std::vector<QWidget*> TFlatSkin::AttachedControls() const
{
    std::vector<QWidget*> controls;
    for (const auto& s : subclasses_)
        if (s->Control()) controls.push_back(s->Control());
    return controls;
}

bool TFlatSkin::IsAttached(const QWidget* control) const
{
    return std::any_of(subclasses_.begin(), subclasses_.end(),
                       [control](const std::unique_ptr<TSkinSubclass>& s) { return s->Control() == control; });
}
