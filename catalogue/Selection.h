// The selection: the list of selected pictures, in selection order, is the selection; column 1
// of both tables is written from it after every change. Plain code; the panels of the thumbnail
// page follow the cells.
#pragma once

#include "catalogue/ItemCatalogue.h"
#include "platform/StringGrid.h"

#include <string>
#include <vector>

namespace kamelune {

struct SelectionTables {
    StringGrid& base;
    StringGrid& view;
    PictureList& list; // picture numbers in selection order
};

// A thumbnail click: toggles picture pictNo (shown at view row exifRow). Returns whether it is
// now selected; the others after one dropped move up a number.
bool TogglePicture(SelectionTables& t, int pictNo, int exifRow);
// A click on column 1 of view row `row`: toggles its picture.
void ToggleSelectionOfRow(SelectionTables& t, int row);
// False (and nothing changes) when the table has no picture rows.
bool SelectAll(SelectionTables& t);
bool SelectReverse(SelectionTables& t);
// False when nothing was selected.
bool SelectNone(SelectionTables& t);
// The selection := pictures, in their order (a choice by EXIF values); false when it was that.
bool SelectPictures(SelectionTables& t, PictureList pictures);
// The pictures the view shows, in its order.
PictureList PicturesInViewOrder(const StringGrid& view);

// Every selected picture numbered 1..count in list order in both tables, and no other cell set.
bool SelectionConsistent(const StringGrid& base, const StringGrid& view, const PictureList& list);
bool SelectionConsistent(const SelectionTables& t);

} // namespace kamelune
