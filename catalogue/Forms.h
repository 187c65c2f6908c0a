// The windows of the program, created once at start-up in a fixed order and reused. Windows
// whose subsystems are not built yet are plain dialogs with their captions.
#pragma once

#include "catalogue/CommandLine.h"
#include "catalogue/Main.h"
#include "platform/StringGrid.h"
#include "present/SetHTML.h"
#include "present/SlideShow.h"
#include "thumbnails/PHyoji.h"
#include "thumbnails/SetPKomoku.h"
#include "tools/Rename.h"
#include "tools/Sort.h"

#include <QDialog>

namespace kamelune {

class TBareForm : public QDialog {
public:
    TBareForm(const QString& caption, int width, int height);
    int Tag = 0; // what an opener hands the window (a picture number)
};

class TFormVersion : public TBareForm {
public:
    TFormVersion();
};

extern TFormMain* FormMain;
extern TFormSetHTML* FormSetHTML;
extern TFormMakeExifHTML* FormMakeExifHTML;
extern TFormSetPKomoku* FormSetPKomoku;
extern TFormPHyoji* FormPHyoji;
extern TFormSort* FormSort;
extern TFormSetHTML2* FormSetHTML2;
extern TFormSetSlideShow* FormSetSlideShow;
extern TFormVersion* FormVersion;
extern TFormRename* FormRename;
extern TFormRename2* FormRename2;
extern TFormSlideshow* FormSlideshow;

// Creates the twelve windows in start-up order; the last one loads the settings and builds the
// view of the remembered folder.
// start: the folder (and picture) the command line asked for, in place of the stored folder.
void CreateWindows(const AppPaths& paths, const CommandLine& start = {});
// Releases them in reverse order (the main window's FormDestroy runs on the way).
void DestroyWindows();

} // namespace kamelune
