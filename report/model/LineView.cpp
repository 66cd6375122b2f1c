#include "report/model/LineView.h"

TrqLineView::TrqLineView()
{
    BaseName = "Line";
    ObjectKind = okLine;
    FrameTyp = rqftLeft;
    FillColor = 0xFFFFFF;
}
