#pragma once

#include <QApplication>

/// The wait cursor for as long as it lives, restored however the work ends.
class TZoWaitCursor {
public:
    TZoWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TZoWaitCursor() { QApplication::restoreOverrideCursor(); }
    TZoWaitCursor(const TZoWaitCursor&) = delete;
    TZoWaitCursor& operator=(const TZoWaitCursor&) = delete;
};
