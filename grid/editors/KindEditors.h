#pragma once
// The editor classes the grid's check, pick, MRU, button, hyperlink, time,
// memo, image, calc, blob and graphic columns name (EditorClassName). They add nothing to the
// kinds they derive from; each column kind has its own class, and so one
// editor per class and grid. EditorRegistry.cpp lists them.

#include "grid/editors/InplaceBlobEdit.h"
#include "grid/editors/InplaceButtonEdit.h"
#include "grid/editors/InplaceCalcEdit.h"
#include "grid/editors/InplaceCheckEdit.h"
#include "grid/editors/InplaceGraphicEdit.h"
#include "grid/editors/InplaceHyperLinkEdit.h"
#include "grid/editors/InplaceImageEdit.h"
#include "grid/editors/InplaceMRUEdit.h"
#include "grid/editors/InplaceMemoEdit.h"
#include "grid/editors/InplacePickEdit.h"
#include "grid/editors/InplaceTimeEdit.h"

#define QV_GRID_EDITOR_CLASS(Kind)                                                      \
    class TqvInplaceDBTreeList##Kind##Edit : public TqvInplace##Kind##Edit {            \
    public:                                                                             \
        using TqvInplace##Kind##Edit::TqvInplace##Kind##Edit;                           \
        const char* ClassName() const override { return "TqvInplaceDBTreeList" #Kind "Edit"; } \
    };

QV_GRID_EDITOR_CLASS(Check)
QV_GRID_EDITOR_CLASS(Pick)
QV_GRID_EDITOR_CLASS(MRU)
QV_GRID_EDITOR_CLASS(Button)
QV_GRID_EDITOR_CLASS(HyperLink)
QV_GRID_EDITOR_CLASS(Time)
QV_GRID_EDITOR_CLASS(Memo)
QV_GRID_EDITOR_CLASS(Image)
QV_GRID_EDITOR_CLASS(Calc)
QV_GRID_EDITOR_CLASS(Blob)
QV_GRID_EDITOR_CLASS(Graphic)

#undef QV_GRID_EDITOR_CLASS
