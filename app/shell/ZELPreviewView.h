#pragma once

// The program's print-preview view class: views hand its run-time class to
// the framework's print preview and recognise their preview window again
// by it when the preview ends. It has nothing of its own.

#include "framework/ui/PreviewView.h"

class CZELPreviewView : public fw::CPreviewView {
    FW_DECLARE_DYNCREATE(CZELPreviewView)
};
