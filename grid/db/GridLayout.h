#pragma once
// A grid's layout as the user leaves it — bands and columns in their order
// with their widths and visibility, the header row of each column, the sort
// columns and directions, the filter — and its form in the per-user settings
// (QSettings, an INI file or the native store), under a group the
// integrator names:
//
//   Version=1
//   HeaderPanelRowCount=1
//   Bands\size=N        Bands\i\Id, Caption, Width, Visible      (i from 1,
//                       in the bands' order)
//   Columns\size=N      Columns\i\Name, Field, Width, Visible, Band (a band
//                       Id, -1 for none), Row                     (column-list order)
//   Sort\size=N         Sort\i\Column, Sort\i\Descending          (first key first)
//   Filter\Active       true / false
//   Filter\size=N       Filter\i\Column, Op1, Values1, Text1, and with a
//                       second condition Op2, Values2, Text2, Join (And, Or)
//
// Columns are named by their Name, or by their field when they have none
// (Column entries hold that key). Ops are Equal, NotEqual, Greater,
// GreaterEqual, Less, LessEqual, Blank, NonBlank; a value is "i:" and an
// integer, "f:" a float, "d:" a date-time as days since 1899-12-30, "b:" 0 or
// 1, or "s:" and a text.
//
// Rules that are easy to break:
// - Reading checks everything before it hands anything over: a store that
//   is not what Write makes (a number that is none, a list too long, an
//   unknown word) is damaged and gives nothing, with the reason; no entry
//   of it is used.
// - Write replaces the whole group, so no entry of an older layout stays.

#include "grid/db/DBGridFilter.h"

#include <QString>

#include <vector>

class QSettings;

struct TqvGridLayout {
    struct Band {
        int Id = 0;
        AnsiString Caption;
        int Width = 0;
        bool Visible = true;
    };
    struct Column {
        AnsiString Name;
        AnsiString Field;
        int Width = 0;
        bool Visible = true;
        int Band = 0;  // a band's Id, -1 for none
        int Row = 0;
    };
    struct SortKey {
        AnsiString Column;
        bool Descending = false;
    };
    struct ColumnFilter {
        AnsiString Column;
        TqvFilterCondition First;
        bool HasSecond = false;
        bool OrJoined = false;
        TqvFilterCondition Second;
    };
    int HeaderPanelRowCount = 1;
    std::vector<Band> Bands;
    std::vector<Column> Columns;
    std::vector<SortKey> Sort;
    bool FilterActive = false;
    std::vector<ColumnFilter> Filters;
};

enum class TqvLayoutRead { Absent, Read, Damaged };

// Writes the layout under `group` (a path with "/" or "\").
void WriteGridLayout(QSettings& settings, const QString& group, const TqvGridLayout& layout);
// Reads the layout under `group`: Absent when none is stored, Damaged (with
// `reason`) when it cannot be the layout Write makes.
TqvLayoutRead ReadGridLayout(QSettings& settings, const QString& group, TqvGridLayout& layout, QString& reason);
