#include "AuditToolbar.h"

#include "ToolbarGlyphs.h"

#include <QWidget>

void SetWindowFont(TFont& font)
{
    font.SetName(Ansi(u8"宋体"));
    font.SetHeight(-12);
    font.SetCharset(GB2312_CHARSET);
}

void SetFormLook(QWidget* form, TColor background)
{
    form->setAutoFillBackground(true);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, ToQColor(background));
    form->setPalette(palette);
    TFont font;
    SetWindowFont(font);
    form->setFont(font.ToQFont());
}

TAuditToolbar CreateAuditToolbar(TComponent* owner, QWidget* form)
{
    TAuditToolbar bar;
    bar.Panel2 = new TPanel(owner, form);
    bar.Panel2->SetName("Panel2");
    bar.Panel2->SetHeight(29);
    bar.Panel2->SetAlign(alTop);
    bar.Panel2->SetColor(static_cast<TColor>(11048802));
    bar.Panel2->SetCursor(crHandPoint);

    struct Button {
        TSpeedButton* TAuditToolbar::*field;
        const char* name;
        const char8_t* caption;
        int left, width;
        TColor colour;
        bool enabled;
        ToolbarGlyph glyph;
    };
    const Button buttons[] = {
        {&TAuditToolbar::sb_edit, "sb_edit", u8"编辑", 0, 57, clWhite, true, ToolbarGlyph::Edit},
        {&TAuditToolbar::sb_save, "sb_save", u8"保存", 56, 57, clWhite, false, ToolbarGlyph::Save},
        {&TAuditToolbar::sb_cancel, "sb_cancel", u8"取消", 112, 57, clWindow, false, ToolbarGlyph::Cancel},
        {&TAuditToolbar::sb_Audit, "sb_Audit", u8"审核", 168, 57, clWindow, true, ToolbarGlyph::Audit},
        {&TAuditToolbar::sb_CancelAudi, "sb_CancelAudi", u8"弃审", 224, 57, clWindow, true,
         ToolbarGlyph::RevokeAudit},
        {&TAuditToolbar::sb_print, "sb_print", u8"打印", 280, 65, clWhite, true, ToolbarGlyph::Print},
        {&TAuditToolbar::Sb_Exit, "Sb_Exit", u8"退出", 344, 65, clWhite, true, ToolbarGlyph::Exit},
    };
    for (const Button& b : buttons) {
        auto* button = new TSpeedButton(owner, bar.Panel2);
        button->SetName(b.name);
        button->SetBounds(b.left, 1, b.width, 28);
        button->SetCaption(Ansi(b.caption));
        SetWindowFont(button->Font());
        button->Font().SetColor(b.colour);
        button->SetGlyph(MakeToolbarGlyph(b.glyph));
        button->SetNumGlyphs(2);
        button->SetEnabled(b.enabled);
        bar.*b.field = button;
    }
    return bar;
}

TFlatSkin* CreateFlatSkin1(TComponent* owner, QWidget* form)
{
    auto* skin = new TFlatSkin(owner, form);
    skin->SetName("FlatSkin1");
    skin->SetIconBackColor(clBackground);
    skin->SetSelectFontColor(clMenuText);
    skin->Font().SetName("Tahoma");
    skin->Font().SetHeight(-11);
    skin->Font().SetCharset(GB2312_CHARSET);
    skin->Font().SetColor(clMenuText);
    skin->SetUseDimColor(true);
    return skin;
}
