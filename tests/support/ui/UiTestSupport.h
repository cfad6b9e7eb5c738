#pragma once

#include <QCoreApplication>
#include <QEvent>

namespace uitest {

// Frames destroy themselves when control is back in the event loop; tests
// have no loop, so they let the deferred deletions run here.
inline void RunDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Delivers queued calls (closes asked by close events, posted-message wakes).
inline void RunQueued()
{
    QCoreApplication::sendPostedEvents();
    RunDeferredDeletes();
}

} // namespace uitest
