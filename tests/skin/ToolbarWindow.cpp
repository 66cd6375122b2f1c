#include "ToolbarWindow.h"

#include "ToolbarGlyphs.h"

namespace {

void windowFont(TFont& font)
{
    font.SetName(Ansi(u8"宋体"));
    font.SetHeight(-12);
    font.SetCharset(GB2312_CHARSET);
}

}  // namespace

TToolbarWindow::TToolbarWindow(bool skinActive) : QWidget(nullptr), TComponent(nullptr)
{
    setAutoFillBackground(true);
    QPalette window = palette();
    window.setColor(QPalette::Window, ToQColor(clBtnHighlight));
    setPalette(window);
    TFont font;
    windowFont(font);
    setFont(font.ToQFont());
    resize(800, 466);

    Panel2 = new TPanel(this, this);
    Panel2->SetName("Panel2");
    Panel2->SetHeight(29);
    Panel2->SetAlign(alTop);
    Panel2->SetColor(static_cast<TColor>(11048802));
    Panel2->SetCursor(crHandPoint);

    struct Button {
        TSpeedButton*& field;
        const char* name;
        const char8_t* caption;
        int left, width;
        TColor colour;
        bool enabled;
        ToolbarGlyph glyph;
    };
    const Button buttons[] = {
        {sb_edit, "sb_edit", u8"编辑", 0, 57, clWhite, true, ToolbarGlyph::Edit},
        {sb_save, "sb_save", u8"保存", 56, 57, clWhite, false, ToolbarGlyph::Save},
        {sb_cancel, "sb_cancel", u8"取消", 112, 57, clWindow, false, ToolbarGlyph::Cancel},
        {sb_Audit, "sb_Audit", u8"审核", 168, 57, clWindow, true, ToolbarGlyph::Audit},
        {sb_CancelAudi, "sb_CancelAudi", u8"弃审", 224, 57, clWindow, true, ToolbarGlyph::RevokeAudit},
        {sb_print, "sb_print", u8"打印", 280, 65, clWhite, true, ToolbarGlyph::Print},
        {Sb_Exit, "Sb_Exit", u8"退出", 344, 65, clWhite, true, ToolbarGlyph::Exit},
    };
    for (const Button& b : buttons) {
        auto* button = new TSpeedButton(this, Panel2);
        button->SetName(b.name);
        button->SetBounds(b.left, 1, b.width, 28);
        button->SetCaption(Ansi(b.caption));
        windowFont(button->Font());
        button->Font().SetColor(b.colour);
        button->SetGlyph(MakeToolbarGlyph(b.glyph));
        button->SetNumGlyphs(2);
        button->SetEnabled(b.enabled);
        b.field = button;
    }

    StatusBar1 = new TStatusBar(this, this);
    StatusBar1->SetName("StatusBar1");

    FlatSkin1 = new TFlatSkin(this);
    FlatSkin1->SetName("FlatSkin1");
    FlatSkin1->SetIconBackColor(clBackground);
    FlatSkin1->SetSelectFontColor(clMenuText);
    FlatSkin1->Font().SetName("Tahoma");
    FlatSkin1->Font().SetHeight(-11);
    FlatSkin1->Font().SetCharset(GB2312_CHARSET);
    FlatSkin1->Font().SetColor(clMenuText);
    FlatSkin1->SetUseDimColor(true);
    FlatSkin1->SetActive(skinActive);
}

TToolbarWindow::~TToolbarWindow()
{
    // The controls go as components, before the widget part.
    DestroyComponents();
}

std::vector<TSpeedButton*> TToolbarWindow::Buttons() const
{
    return {sb_edit, sb_save, sb_cancel, sb_Audit, sb_CancelAudi, sb_print, Sb_Exit};
}
