#pragma once
// Enumerations, flag bits and kind codes of report templates. The numeric
// values are stored in template files and are also the values of the script
// constants of the same names, so they never change.

#include <cstdint>

enum TrqReportType : uint8_t { rtSimple = 0, rtMultiple = 1 };
enum TrqPreviewZoom : uint8_t { pzDefault = 0, pzPageWidth = 1, pzOnePage = 2, pzTwoPages = 3 };
enum TrqPreviewButton : uint8_t {
    pbZoom = 0,
    pbLoad = 1,
    pbSave = 2,
    pbPrint = 3,
    pbFind = 4,
    pbHelp = 5,
    pbExit = 6,
    pbPageSetup = 7,
};
// A set of preview buttons: bit n is button n.
using TrqPreviewButtons = uint8_t;
inline constexpr TrqPreviewButtons PreviewButtonBit(TrqPreviewButton b) { return static_cast<TrqPreviewButtons>(1u << b); }

// Frame sides (FrameTyp bits of every view but bands).
enum : uint16_t { rqftNone = 0, rqftRight = 1, rqftBottom = 2, rqftLeft = 4, rqftTop = 8 };

// Frame pen styles.
enum : uint16_t { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psDouble = 5 };

// Placement of a view inside its band.
enum : uint8_t { baNone = 0, baLeft = 1, baRight = 2, baCenter = 3, baWidth = 4, baBottom = 5, baTop = 6, baRest = 7 };

// Memo alignment: bits 0-1 horizontal, bit 2 turned text, bits 3-4 vertical.
enum : int32_t {
    rqtaLeft = 0,
    rqtaRight = 1,
    rqtaCenter = 2,
    rqtaJustify = 3,
    rqtaVertical = 4,
    rqtaMiddle = 8,
    rqtaDown = 16,
};

// Font style codes as templates and scripts store them (italic first).
enum : int32_t { rqfsItalic = 1, rqfsBold = 2, rqfsUnderline = 4, rqfsStrikeOut = 8 };

enum : uint8_t { btBMP = 0, btJPG = 1, btICO = 2, btWMF = 3 };
enum : uint8_t { ptReport = 0, ptDialog = 1 };
enum : uint8_t { poPortrait = 0, poLandscape = 1 };

// Object kinds: the kind byte of an object record.
enum : uint8_t { okMemo = 0, okPicture = 1, okBand = 2, okSubReport = 3, okLine = 4, okAddIn = 10 };

// Flags bits. Bit 0 and bit 15 mean the same on every kind.
enum : uint16_t {
    flStretched = 0x0001,
    flWantHook = 0x8000,
    // memo
    flWordWrap = 0x0002,
    flWordBreak = 0x0004,
    flAutoWidth = 0x0008,
    flTextOnly = 0x0010,
    flSuppress = 0x0020,
    flHideZeros = 0x0040,
    flUnderlines = 0x0080,
    flRTLReading = 0x0100,
    // band
    flBandNewPageAfter = 0x0002,  // FormNewPage
    flBandPrintIfSubsetEmpty = 0x0004,
    flBandPageBreak = 0x0008,  // Breaked
    flBandOnFirstPage = 0x0010,
    flBandOnLastPage = 0x0020,
    flBandRepeatHeader = 0x0040,
    flBandPrintChildIfInvisible = 0x0080,
    flBandAutoAppendBlank = 0x0100,
    // picture
    flPictCenter = 0x0002,
    flPictRatio = 0x0004,  // KeepAspect
};

// Band kinds: the FrameTyp of a band view.
enum TrqBandType : int {
    btReportTitle = 0,
    btReportSummary = 1,
    btPageHeader = 2,
    btPageFooter = 3,
    btMasterHeader = 4,
    btMasterData = 5,
    btMasterFooter = 6,
    btDetailHeader = 7,
    btDetailData = 8,
    btDetailFooter = 9,
    btSubDetailHeader = 10,
    btSubDetailData = 11,
    btSubDetailFooter = 12,
    btOverlay = 13,
    btColumnHeader = 14,
    btColumnFooter = 15,
    btGroupHeader = 16,
    btGroupFooter = 17,
    btCrossHeader = 18,
    btCrossData = 19,
    btCrossFooter = 20,
    btChild = 21,
    btNone = 22,
};
inline constexpr int BandTypeCount = 23;

// No colour: a transparent fill.
inline constexpr int32_t rqclNone = 0x1FFFFFFF;
// The button face system colour (the default colour of dialog pages and controls).
inline constexpr int32_t rqclBtnFace = static_cast<int32_t>(0x8000000Fu);
