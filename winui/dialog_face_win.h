// Dialogs laid out in a face that is installed. The templates name
// "ＭＳ Ｐゴシック"; where that face is missing (a Windows without its
// Japanese fonts, a Wine prefix without a mapping), the dialog manager would
// lay them out in whatever it substitutes, often a fixed-pitch face whose
// wider text no longer fits. Instead the dialogs get the first installed face
// of a short list of proportional Japanese UI faces, found by asking GDI
// which faces exist; when none is, the template stays as it is.
#pragma once

#include <windows.h>

// Template `id` of `module` as the dialog manager is to get it: the
// resource itself when its face is installed or no face of the list is,
// else a copy naming the face that takes its place. Kept for the whole run;
// null when the module has no such template.
const DLGTEMPLATE* dialogTemplateToShow(HINSTANCE module, int id);

// The point size the template asks for (0 when it names no font).
int dialogTemplatePointSize(HINSTANCE module, int id);

// CreateDialogParamW and DialogBoxParamW on dialogTemplateToShow.
HWND createDialogInInstalledFace(HINSTANCE module, int id, HWND parent, DLGPROC proc);
INT_PTR dialogBoxInInstalledFace(HINSTANCE module, int id, HWND owner, DLGPROC proc);
