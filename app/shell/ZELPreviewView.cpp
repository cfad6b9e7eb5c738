#include "app/shell/ZELPreviewView.h"

FW_IMPLEMENT_DYNCREATE(CZELPreviewView, fw::CPreviewView)
