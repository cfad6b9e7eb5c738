#pragma once

// The pages made of several views side by side (the CAN settings page, the
// GPS page) put each view into a Qt splitter of their own window.

#include "framework/core/Document.h"

#include <QSplitter>

// A new view of `document` as the last pane of `host`; the view is deleted
// with its window.
template <class V> V* MakeSplitterPane(QSplitter* host, fw::CDocument* document)
{
    auto* view = new V;
    view->Create(host, document);
    host->addWidget(view->Widget());
    return view;
}
